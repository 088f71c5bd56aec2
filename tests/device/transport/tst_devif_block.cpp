// Request blocks byte for byte, and the parsing of USB unit paths.
#include "devif_block.h"
#include "devif_usb.h"
#include "hexbytes.h"

#include <QtTest>

class TstDevifBlock : public QObject {
    Q_OBJECT

private slots:
    void outBlock_data();
    void outBlock();
    void inBlock_data();
    void inBlock();
    void refused_data();
    void refused();
    void usbPath_data();
    void usbPath();
};

void TstDevifBlock::outBlock_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("1 byte") << 29 << 0 << 0 << hexBytes("A1")
                            << hexBytes("00000000 01000000 1700 0000 0000 00 1D A1 000000");
    QTest::newRow("2 bytes, 18 and 19 zero")
        << 29 << 0 << 0 << hexBytes("31 01") << hexBytes("00000000 02000000 1700 0000 0000 00 1D 3101 0000");
    QTest::newRow("3 bytes") << 29 << 0 << 0 << hexBytes("18 02 30")
                             << hexBytes("00000000 03000000 1700 0000 0000 00 1D 180230 00");
    QTest::newRow("4 bytes, no padding") << 29 << 0 << 0 << hexBytes("81 03 0A FB")
                                         << hexBytes("00000000 04000000 1700 0000 0000 00 1D 81030AFB");
    QTest::newRow("5 bytes") << 29 << 0 << 0 << hexBytes("01 02 03 04 05")
                             << hexBytes("00000000 05000000 1700 0000 0000 00 1D 0102030405");
    QTest::newRow("value, index, request little-endian")
        << 0xAB << 0x1234 << 0xBEEF << hexBytes("FF FE")
        << hexBytes("00000000 02000000 1700 3412 EFBE 00 AB FFFE 0000");
    const QByteArray full(64, char(0x5A));
    QTest::newRow("64 bytes -> 80") << 29 << 0 << 0 << full
                                    << hexBytes("00000000 40000000 1700 0000 0000 00 1D") + full;
    const QByteArray large(300, char(0x11));
    QTest::newRow("length above 255")
        << 29 << 0 << 0 << large << hexBytes("00000000 2C010000 1700 0000 0000 00 1D") + large;
}

void TstDevifBlock::outBlock()
{
    QFETCH(int, request);
    QFETCH(int, value);
    QFETCH(int, index);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, block);
    QByteArray out(400, char(0xCC));
    const size_t size =
        devif_block_out(uint8_t(request), uint16_t(value), uint16_t(index),
                        reinterpret_cast<const uint8_t *>(payload.constData()), uint16_t(payload.size()),
                        reinterpret_cast<uint8_t *>(out.data()), size_t(out.size()));
    QCOMPARE(int(size), block.size());
    QCOMPARE(int(devif_block_out_size(uint16_t(payload.size()))), block.size());
    QCOMPARE(hexOf(out.left(int(size))), hexOf(block));
    QCOMPARE(out.at(int(size)), char(0xCC)); // nothing written past the block
}

void TstDevifBlock::inBlock_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("read message") << 30 << 0 << 0
                                  << hexBytes("01000000 00000000 1700 0000 0000 00 1E 00000000");
    QTest::newRow("fields") << 0x7F << 0x0102 << 0xA0B0
                            << hexBytes("01000000 00000000 1700 0201 B0A0 00 7F 00000000");
}

void TstDevifBlock::inBlock()
{
    QFETCH(int, request);
    QFETCH(int, value);
    QFETCH(int, index);
    QFETCH(QByteArray, block);
    QByteArray out(24, char(0xCC));
    const size_t size = devif_block_in(uint8_t(request), uint16_t(value), uint16_t(index),
                                       reinterpret_cast<uint8_t *>(out.data()), size_t(out.size()));
    QCOMPARE(int(size), 20);
    QCOMPARE(hexOf(out.left(20)), hexOf(block));
    QCOMPARE(out.at(20), char(0xCC));
}

void TstDevifBlock::refused_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("nullPayload");
    QTest::addColumn<int>("capacity");
    QTest::newRow("no bytes") << 0 << false << 100;
    QTest::newRow("null payload") << 4 << true << 100;
    QTest::newRow("1 byte, 19 of room") << 1 << false << 19;
    QTest::newRow("64 bytes, 79 of room") << 64 << false << 79;
}

void TstDevifBlock::refused()
{
    QFETCH(int, length);
    QFETCH(bool, nullPayload);
    QFETCH(int, capacity);
    const QByteArray payload(64, char(1));
    QByteArray out(100, char(0xCC));
    const auto *src = nullPayload ? nullptr : reinterpret_cast<const uint8_t *>(payload.constData());
    QCOMPARE(int(devif_block_out(29, 0, 0, src, uint16_t(length), reinterpret_cast<uint8_t *>(out.data()),
                                 size_t(capacity))),
             0);
    QCOMPARE(out, QByteArray(100, char(0xCC)));
    QCOMPARE(int(devif_block_in(30, 0, 0, reinterpret_cast<uint8_t *>(out.data()), 19)), 0);
    QCOMPARE(out, QByteArray(100, char(0xCC)));
}

void TstDevifBlock::usbPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("bus");
    QTest::addColumn<int>("address");
    QTest::newRow("plain") << "usb:1:2" << true << 1 << 2;
    QTest::newRow("limits") << "usb:255:127" << true << 255 << 127;
    QTest::newRow("leading zeros") << "usb:003:010" << true << 3 << 10;
    QTest::newRow("bus too big") << "usb:256:1" << false << 0 << 0;
    QTest::newRow("address too big") << "usb:1:128" << false << 0 << 0;
    QTest::newRow("four digits") << "usb:0001:2" << false << 0 << 0;
    QTest::newRow("trailing text") << "usb:1:2x" << false << 0 << 0;
    QTest::newRow("no address") << "usb:1" << false << 0 << 0;
    QTest::newRow("empty fields") << "usb::" << false << 0 << 0;
    QTest::newRow("sign") << "usb:-1:2" << false << 0 << 0;
    QTest::newRow("space") << "usb:1: 2" << false << 0 << 0;
    QTest::newRow("socket path") << "/run/user/1000/ixdev/lyntra0" << false << 0 << 0;
}

void TstDevifBlock::usbPath()
{
    QFETCH(QString, path);
    QFETCH(bool, valid);
    QFETCH(int, bus);
    QFETCH(int, address);
    uint8_t b = 0;
    uint8_t a = 0;
    QCOMPARE(devif_usb_parse_path(path.toLatin1().constData(), &b, &a), valid);
    QCOMPARE(int(b), bus);
    QCOMPARE(int(a), address);
}

QTEST_GUILESS_MAIN(TstDevifBlock)
#include "tst_devif_block.moc"
