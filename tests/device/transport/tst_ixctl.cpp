// Message send and receive against a scripted fake unit: frames on the wire, retries, refusals.
#include "devif_block.h"
#include "fakeunit.h"
#include "hexbytes.h"
#include "ixctl.h"
#include "stdoutcapture.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstring>
#include <memory>

class TstIxctl : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sendFrame_data();
    void sendFrame();
    void sendRetries_data();
    void sendRetries();
    void sendGivesUpAfterTen();
    void sendRefusedWithoutIo_data();
    void sendRefusedWithoutIo();
    void recvReadsReply();
    void recvFailures_data();
    void recvFailures();
    void recvCutsLargeCapacity();
    void nothingSelected();

private:
    static int errorLines(const QByteArray &text) { return text.count(":ERROR"); }
    QByteArray message(int length) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeUnit> m_unit;
    devif_device m_dev{};
};

void TstIxctl::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const QString path = m_dir->filePath("unit");
    m_unit = std::make_unique<FakeUnit>(path);
    QVERIFY(m_unit->listening());
    std::memset(&m_dev, 0, sizeof m_dev);
    std::strcpy(m_dev.path, path.toLocal8Bit().constData());
}

void TstIxctl::cleanup()
{
    m_unit.reset();
    m_dir.reset();
}

QByteArray TstIxctl::message(int length) const
{
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(0xA0 + i);
    return bytes;
}

void TstIxctl::sendFrame_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("blockSize");
    QTest::newRow("1 byte") << 1 << 20;
    QTest::newRow("2 bytes") << 2 << 20;
    QTest::newRow("4 bytes") << 4 << 20;
    QTest::newRow("5 bytes") << 5 << 21;
    QTest::newRow("63 bytes") << 63 << 79;
    QTest::newRow("64 bytes") << 64 << 80;
}

void TstIxctl::sendFrame()
{
    QFETCH(int, length);
    QFETCH(int, blockSize);
    QByteArray bytes = message(length);
    ixmsg_buf msg{reinterpret_cast<uint8_t *>(bytes.data()), 64, static_cast<uint8_t>(length)};
    QCOMPARE(ixctl_send_msg(&m_dev, &msg), 0);

    const auto frames = m_unit->frames();
    QCOMPARE(frames.size(), 1);
    QCOMPARE(frames[0].code, 0x222000u);
    QCOMPARE(frames[0].outLength, 0u);
    QCOMPARE(frames[0].block.size(), blockSize);
    const QByteArray header = frames[0].block.left(16);
    QCOMPARE(hexOf(header), hexOf(hexBytes("00 00 00 00") + QByteArray(1, char(length)) +
                                  hexBytes("00 00 00 17 00 00 00 00 00 00 1D")));
    QCOMPARE(frames[0].block.mid(16, length), bytes);
    QCOMPARE(frames[0].block.mid(16 + length), QByteArray(blockSize - 16 - length, '\0'));
}

void TstIxctl::sendRetries_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<int>("attempts");
    QTest::newRow("first time") << "" << 1;
    QTest::newRow("one failure") << "fail" << 2;
    QTest::newRow("three failures") << "fail,fail,fail" << 4;
    QTest::newRow("mixed failures") << "hangup,short,fail" << 4;
    QTest::newRow("nine failures") << "fail,fail,fail,fail,fail,fail,fail,fail,fail" << 10;
}

void TstIxctl::sendRetries()
{
    QFETCH(QString, answers);
    QFETCH(int, attempts);
    m_unit->script(fakeAnswers(answers));
    QByteArray bytes = message(6);
    ixmsg_buf msg{reinterpret_cast<uint8_t *>(bytes.data()), 64, 6};

    StdoutCapture out;
    QElapsedTimer clock;
    clock.start();
    const int result = ixctl_send_msg(&m_dev, &msg);
    const qint64 elapsed = clock.elapsed();
    const QByteArray text = out.text();
    const int failures = attempts - 1;
    QCOMPARE(result, 0);

    QCOMPARE(m_unit->frames().size(), attempts);
    // One diagnostic per failed attempt at this level (the request layer adds its own lines).
    QVERIFY2(errorLines(text) >= failures, text.constData());
    QVERIFY2(elapsed >= 5 * failures, qPrintable(QString::number(elapsed)));
    // Five pauses more than needed is still well below ten attempts' worth for the short rows.
    QVERIFY2(elapsed < 5 * failures + 25, qPrintable(QString::number(elapsed)));
    qInfo("%d failure(s): %lld ms", failures, static_cast<long long>(elapsed));
}

void TstIxctl::sendGivesUpAfterTen()
{
    m_unit->script(fakeAnswers("fail,fail,fail,fail,fail,fail,fail,fail,fail,fail,ok"));
    QByteArray bytes = message(3);
    ixmsg_buf msg{reinterpret_cast<uint8_t *>(bytes.data()), 64, 3};
    StdoutCapture out;
    const int result = ixctl_send_msg(&m_dev, &msg);
    const QByteArray text = out.text();
    QCOMPARE(result, 1);
    QCOMPARE(m_unit->frames().size(), 10);
    QCOMPARE(text.count("ixctl.cpp:"), 11);
}

void TstIxctl::sendRefusedWithoutIo_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("nullData");
    QTest::newRow("65 bytes") << 65 << false;
    QTest::newRow("255 bytes") << 255 << false;
    QTest::newRow("empty") << 0 << false;
    QTest::newRow("no storage") << 4 << true;
}

void TstIxctl::sendRefusedWithoutIo()
{
    QFETCH(int, position);
    QFETCH(bool, nullData);
    QByteArray bytes = message(255);
    ixmsg_buf msg{nullData ? nullptr : reinterpret_cast<uint8_t *>(bytes.data()), 255,
                  static_cast<uint8_t>(position)};
    StdoutCapture out;
    QElapsedTimer clock;
    clock.start();
    const int result = ixctl_send_msg(&m_dev, &msg);
    const qint64 elapsed = clock.elapsed();
    const QByteArray text = out.text();
    QCOMPARE(result, 1);
    QVERIFY(elapsed < 5); // no retry pauses either
    QCOMPARE(errorLines(text), 1);
    QThread::msleep(30); // give a connection, had there been one, time to be accepted
    QCOMPARE(m_unit->connections(), 0);
}

void TstIxctl::recvReadsReply()
{
    QByteArray reply = hexBytes("31 01 A1 02 01 00");
    m_unit->setReply(reply);
    uint8_t data[64];
    std::memset(data, 0xEE, sizeof data);
    ixmsg_buf buf{data, 64, 17};
    QCOMPARE(ixctl_recv_msg(&m_dev, &buf), 0);
    QCOMPARE(int(buf.position), 0);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(data), 64), reply.leftJustified(64, '\0'));

    const auto frames = m_unit->frames();
    QCOMPARE(frames.size(), 1);
    QCOMPARE(frames[0].outLength, 64u);
    QCOMPARE(hexOf(frames[0].block), hexOf(hexBytes("01 00 00 00 00 00 00 00 17 00 00 00 00 00 00 1E "
                                                    "00 00 00 00")));
}

void TstIxctl::recvFailures_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("63 of 64 bytes") << "short";
    QTest::newRow("65 of 64 bytes") << "long";
    QTest::newRow("error status") << "fail";
    QTest::newRow("hang-up") << "hangup";
    QTest::newRow("no answer") << "silent";
}

void TstIxctl::recvFailures()
{
    QFETCH(QString, answer);
    m_unit->script(fakeAnswers(answer));
    uint8_t data[64];
    std::memset(data, 0xEE, sizeof data);
    ixmsg_buf buf{data, 64, 9};
    StdoutCapture out;
    QElapsedTimer clock;
    clock.start();
    const int result = ixctl_recv_msg(&m_dev, &buf);
    const qint64 elapsed = clock.elapsed();
    const QByteArray text = out.text();
    QCOMPARE(result, 1);
    QVERIFY(elapsed < 3000); // a silent unit is given up after the receive timeout
    QVERIFY(errorLines(text) >= 1);
    QCOMPARE(m_unit->frames().size(), 1); // one attempt only
    QCOMPARE(int(buf.position), 0);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(data), 64), QByteArray(64, char(0xEE)));
}

void TstIxctl::recvCutsLargeCapacity()
{
    uint8_t data[100];
    ixmsg_buf buf{data, 100, 0};
    StdoutCapture out;
    const int result = ixctl_recv_msg(&m_dev, &buf);
    const QByteArray text = out.text();
    QCOMPARE(result, 0);
    QCOMPARE(errorLines(text), 1);
    QCOMPARE(m_unit->frames().value(0).outLength, 64u);
}

void TstIxctl::nothingSelected()
{
    uint8_t data[64] = {1, 1};
    ixmsg_buf buf{data, 64, 2};
    devif_device empty{};
    StdoutCapture out;
    const int sent = ixctl_send_msg(nullptr, &buf);
    const int received = ixctl_recv_msg(nullptr, &buf);
    const int read = devif_control_in(&empty, IXCTL_REQUEST_IN, 0, 0, 64, data);
    const QByteArray text = out.text();
    QCOMPARE(sent, 1);
    QCOMPARE(received, 1);
    QCOMPARE(read, 1);
    QCOMPARE(errorLines(text), 3);
    QCOMPARE(m_unit->connections(), 0);
}

QTEST_GUILESS_MAIN(TstIxctl)
#include "tst_ixctl.moc"
