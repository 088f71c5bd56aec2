// Item encoding and decoding: room rules, byte layout, and where a reader must stop.
#include "hexbytes.h"
#include "ixmsg.h"
#include "stdoutcapture.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// Renders every item a reader gets from `bytes` as "id:type:value" (texts as 'text').
QStringList decodeAll(QByteArray bytes)
{
    ixmsg_buf buf;
    ixmsg_init(&buf, reinterpret_cast<uint8_t *>(bytes.data()), uint8_t(bytes.size()));
    QStringList items;
    uint8_t id = 0, type = 0, length = 0;
    uint32_t value = 0;
    const uint8_t *text = nullptr;
    while (ixmsg_get(&buf, &id, &type, &value, &text, &length) == 0) {
        if (type == IXMSG_T_BYTES)
            items << QStringLiteral("%1:5:'%2'").arg(id).arg(QString::fromUtf8(reinterpret_cast<const char *>(text), length));
        else
            items << QStringLiteral("%1:%2:%3").arg(id).arg(type).arg(value);
    }
    return items;
}

} // namespace

class TestIxmsg : public QObject {
    Q_OBJECT

private slots:
    void put_data();
    void put();
    void oneByteItemsFillSixtyThree();
    void get_data();
    void get();
    void invalidTypeDiagnostic();
    void encoderDiagnostics_data();
    void encoderDiagnostics();
    void entryIsWholeOrNothing();
    void roundTrip_data();
    void roundTrip();
};

void TestIxmsg::put_data()
{
    QTest::addColumn<int>("position"); // where the 64-byte buffer already stands
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("type");
    QTest::addColumn<uint>("value");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("written"); // bytes from the old position on
    QTest::addColumn<int>("newPosition");

    const QByteArray none;
    QTest::newRow("u8 with exactly 3 left") << 61 << 130 << 2 << 20u << none << 0 << hexBytes("82 02 14") << 64;
    QTest::newRow("u8 with 2 left") << 62 << 130 << 2 << 20u << none << 1 << QByteArray() << 62;
    QTest::newRow("fader -1270") << 0 << 129 << 3 << 0xFB0Au << none << 0 << hexBytes("81 03 0A FB") << 4;
    QTest::newRow("u16 with 3 left") << 61 << 129 << 3 << 1u << none << 1 << QByteArray() << 61;
    QTest::newRow("u32 rate") << 0 << 24 << 4 << 48000u << none << 0 << hexBytes("18 04 80 BB 00 00") << 6;
    QTest::newRow("u32 with 5 left") << 59 << 24 << 4 << 1u << none << 1 << QByteArray() << 59;
    QTest::newRow("flag with 2 left") << 62 << 49 << 1 << 0u << none << 0 << hexBytes("31 01") << 64;
    QTest::newRow("flag with 1 left") << 63 << 49 << 1 << 0u << none << 1 << QByteArray() << 63;
    QTest::newRow("end with 1 left counts as written") << 63 << 0 << 0 << 0u << none << 0 << QByteArray() << 63;
    QTest::newRow("end with 0 left counts as written") << 64 << 0 << 0 << 0u << none << 0 << QByteArray() << 64;
    QTest::newRow("end with room") << 10 << 0 << 0 << 0u << none << 0 << hexBytes("00 00") << 12;
    QTest::newRow("end type with an identifier") << 0 << 5 << 0 << 0u << none << 1 << QByteArray() << 0;
    QTest::newRow("type 6") << 0 << 5 << 6 << 0u << none << 1 << QByteArray() << 0;
    QTest::newRow("u8 keeps the low byte") << 0 << 69 << 2 << 0xFFFFFF81u << none << 0 << hexBytes("45 02 81") << 3;
    QTest::newRow("text") << 0 << 52 << 5 << 0u << QByteArray("K2") << 0 << hexBytes("34 05 02 4B 32") << 5;
    QTest::newRow("61-byte text fills the buffer") << 0 << 18 << 5 << 0u << QByteArray(61, 'x') << 0
                                                   << (hexBytes("12 05 3D") + QByteArray(61, 'x')) << 64;
    QTest::newRow("62-byte text") << 0 << 18 << 5 << 0u << QByteArray(62, 'x') << 1 << QByteArray() << 0;
    QTest::newRow("empty text") << 0 << 18 << 5 << 0u << QByteArray("") << 1 << QByteArray() << 0;
    QTest::newRow("text one byte short of room") << 60 << 52 << 5 << 0u << QByteArray("ab") << 1 << QByteArray() << 60;
}

void TestIxmsg::put()
{
    QFETCH(int, position);
    QFETCH(int, id);
    QFETCH(int, type);
    QFETCH(uint, value);
    QFETCH(QByteArray, payload);
    QFETCH(int, result);
    QFETCH(QByteArray, written);
    QFETCH(int, newPosition);

    uint8_t storage[64];
    memset(storage, 0xEE, sizeof storage);
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, sizeof storage);
    buf.position = uint8_t(position);

    StdoutCapture quiet;
    const int got = ixmsg_put(&buf, uint8_t(id), uint8_t(type), value,
                              payload.isNull() ? nullptr : reinterpret_cast<const uint8_t *>(payload.constData()),
                              uint8_t(payload.size()));
    QCOMPARE(got, result);
    QCOMPARE(int(buf.position), newPosition);
    if (result == 0)
        QCOMPARE(QByteArray(reinterpret_cast<char *>(storage) + position, written.size()), written);
}

void TestIxmsg::oneByteItemsFillSixtyThree()
{
    uint8_t storage[64] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, sizeof storage);
    int written = 0;
    while (ixmsg_put(&buf, uint8_t(IXMSG_ID_PAN), IXMSG_T_U8, uint32_t(written)) == 0)
        ++written;
    QCOMPARE(written, 21);
    QCOMPARE(int(buf.position), 63);
    QCOMPARE(int(buf.capacity - buf.position), 1);

    const QStringList items = decodeAll(QByteArray(reinterpret_cast<char *>(storage), buf.position));
    QCOMPARE(items.size(), 21);
    QCOMPARE(items.last(), QStringLiteral("130:2:20"));
}

void TestIxmsg::get_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("starts with two zero bytes") << hexBytes("00 00 A1 02 01") << QStringList();
    QTest::newRow("end item stops mid-buffer") << hexBytes("A1 02 01 00 00 18 04 80 BB 00 00") << QStringList{"161:2:1"};
    QTest::newRow("numeric widths widen")
        << hexBytes("18 02 2A 18 03 44 AC 18 04 00 EE 02 00")
        << QStringList{"24:2:42", "24:3:44100", "24:4:192000"};
    QTest::newRow("u16 is unsigned") << hexBytes("81 03 0A FB") << QStringList{"129:3:64266"};
    QTest::newRow("flag") << hexBytes("31 01 1B 01") << QStringList{"49:1:0", "27:1:0"};
    QTest::newRow("text") << hexBytes("34 05 09 4C 59 4E 54 52 41 20 4B 32 A1 02 01")
                          << QStringList{"52:5:'LYNTRA K2'", "161:2:1"};
    QTest::newRow("text overruns: items before it are read")
        << (hexBytes("A1 02 01 34 05 0A") + QByteArray(8, 'x')) << QStringList{"161:2:1"};
    QTest::newRow("truncated u16 at the end") << hexBytes("A1 02 01 81 03 0A") << QStringList{"161:2:1"};
    QTest::newRow("truncated u32 at the end") << hexBytes("18 04 80 BB 00") << QStringList();
    QTest::newRow("lone byte at the end") << hexBytes("A1 02 01 72") << QStringList{"161:2:1"};
    QTest::newRow("type 7 stops the reader") << hexBytes("A1 02 01 72 07 00 00 A1 02 00") << QStringList{"161:2:1"};
    QTest::newRow("meter group") << hexBytes("61 02 04 62 02 03 72 03 00 80 62 02 04 72 04 00 40 00 00")
                                 << QStringList{"97:2:4", "98:2:3", "114:3:32768", "98:2:4", "114:4:16384"};
}

void TestIxmsg::get()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, items);
    StdoutCapture quiet;
    QCOMPARE(decodeAll(bytes), items);
}

void TestIxmsg::invalidTypeDiagnostic()
{
    StdoutCapture capture;
    const QStringList items = decodeAll(hexBytes("72 07 00 00"));
    const QString printed = QString::fromLatin1(capture.text());
    QVERIFY(items.isEmpty());
    QVERIFY2(QRegularExpression("^ixmsg\\.cpp:\\d+:ERROR 0x7\\n$").match(printed).hasMatch(), qPrintable(printed));
}

void TestIxmsg::encoderDiagnostics_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("diagnostic");

    QTest::newRow("no room at all is silent") << 63 << 130 << 2 << false;
    QTest::newRow("u8 without room") << 62 << 130 << 2 << true;
    QTest::newRow("end type with identifier") << 0 << 3 << 0 << true;
    QTest::newRow("invalid type") << 0 << 3 << 9 << true;
    QTest::newRow("success is silent") << 0 << 130 << 2 << false;
}

void TestIxmsg::encoderDiagnostics()
{
    QFETCH(int, position);
    QFETCH(int, id);
    QFETCH(int, type);
    QFETCH(bool, diagnostic);

    uint8_t storage[64] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, sizeof storage);
    buf.position = uint8_t(position);
    StdoutCapture capture;
    ixmsg_put(&buf, uint8_t(id), uint8_t(type), 1);
    const QString printed = QString::fromLatin1(capture.text());
    if (diagnostic)
        QVERIFY2(QRegularExpression("^ixmsg\\.cpp:\\d+:ERROR\\n$").match(printed).hasMatch(), qPrintable(printed));
    else
        QCOMPARE(printed, QString());
}

void TestIxmsg::entryIsWholeOrNothing()
{
    uint8_t storage[64] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, sizeof storage);
    buf.position = 56; // 8 bytes left: two u8 items fit, the third does not
    const ixmsg_item fader[] = {{IXMSG_ID_CH_TYPE, IXMSG_T_U8, 4}, {IXMSG_ID_CH_NO, IXMSG_T_U8, 1},
                                {IXMSG_ID_MUTE, IXMSG_T_U8, 1}};
    StdoutCapture quiet;
    QCOMPARE(ixmsg_put_entry(&buf, fader, 3), 1);
    QCOMPARE(int(buf.position), 56);
    QCOMPARE(buf.data, storage);
    QCOMPARE(int(buf.capacity), 64);

    buf.position = 55; // exactly 9 left
    QCOMPARE(ixmsg_put_entry(&buf, fader, 3), 0);
    QCOMPARE(int(buf.position), 64);
}

void TestIxmsg::roundTrip_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<uint>("value");
    QTest::newRow("u8 max") << 2 << 255u;
    QTest::newRow("u16 max") << 3 << 65535u;
    QTest::newRow("u32 max") << 4 << 0xFFFFFFFFu;
    QTest::newRow("u32 byte order") << 4 << 0x01020304u;
}

void TestIxmsg::roundTrip()
{
    QFETCH(int, type);
    QFETCH(uint, value);
    uint8_t storage[64] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, sizeof storage);
    QCOMPARE(ixmsg_put(&buf, 30, uint8_t(type), value), 0);
    const uint8_t size = buf.position;
    ixmsg_rewind(&buf);
    buf.capacity = size;
    uint8_t id = 0, gotType = 0, length = 0;
    uint32_t got = 0;
    QCOMPARE(ixmsg_get(&buf, &id, &gotType, &got, nullptr, &length), 0);
    QCOMPARE(int(id), 30);
    QCOMPARE(int(gotType), type);
    QCOMPARE(got, value);
    QCOMPARE(int(length), type == 2 ? 1 : type == 3 ? 2 : 4);
    QCOMPARE(ixmsg_get(&buf, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
}

QTEST_APPLESS_MAIN(TestIxmsg)
#include "tst_ixmsg.moc"
