// The transport against the real virtual unit program: discovery, one message out, 64-byte replies in.
#include "ixctl.h"
#include "ixmsg.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

class TstTransportE2e : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void requestAnswered_data();
    void requestAnswered();

private:
    QJsonObject unitState();

    QTemporaryDir m_runtime;
    QProcess m_unit;
    QString m_socket;
    int m_sent = 0;
};

void TstTransportE2e::initTestCase()
{
    const QString program = qEnvironmentVariable("LYNTRA_BIN_DIR") + "/lyntra-virtual-unit";
    if (!QFileInfo(program).isExecutable())
        QSKIP("lyntra-virtual-unit is not built");
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    qputenv("LYNTRA_UNIT", "");
    m_unit.start(program, {"--dir", m_runtime.filePath("ixdev"), "--name", "lyntra0"});
    QVERIFY(m_unit.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(m_unit.canReadLine(), 5000);
    m_socket = QString::fromLocal8Bit(m_unit.readLine()).trimmed();
    QCOMPARE(m_socket, m_runtime.filePath("ixdev/lyntra0"));
}

void TstTransportE2e::cleanupTestCase()
{
    if (m_unit.state() != QProcess::NotRunning) {
        m_unit.terminate();
        if (!m_unit.waitForFinished(3000))
            m_unit.kill();
        m_unit.waitForFinished(1000);
    }
}

QJsonObject TstTransportE2e::unitState()
{
    QLocalSocket control;
    control.connectToServer(m_socket + ".ctl");
    if (!control.waitForConnected(2000))
        return {};
    control.write("state\n");
    control.flush();
    QByteArray line;
    QElapsedTimer clock;
    clock.start();
    while (!line.endsWith('\n') && clock.elapsed() < 3000) {
        control.waitForReadyRead(100);
        line += control.readAll();
    }
    return QJsonDocument::fromJson(line).object();
}

void TstTransportE2e::requestAnswered_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("answer");
    QTest::newRow("firmware information") << int(IXMSG_ID_GET_INFO) << int(IXMSG_ID_PRODUCTNAME);
    QTest::newRow("sample rate") << int(IXMSG_ID_HZ) << int(IXMSG_ID_HZ);
    QTest::newRow("clock source") << int(IXMSG_ID_CLOCKSOURCE) << int(IXMSG_ID_CLOCKSOURCE);
}

void TstTransportE2e::requestAnswered()
{
    QFETCH(int, request);
    QFETCH(int, answer);

    devif_device record{};
    devif_device *selected = nullptr;
    QCOMPARE(ixctl_select(&record, &selected), 0);
    QCOMPARE(QString::fromLocal8Bit(selected->path), m_socket);

    uint8_t out[IXMSG_CAPACITY];
    ixmsg_buf msg;
    ixmsg_init(&msg, out, sizeof out);
    QCOMPARE(ixmsg_put(&msg, uint8_t(request), IXMSG_T_FLAG, 0), 0);
    QCOMPARE(ixctl_send_msg(selected, &msg), 0);
    ++m_sent;

    bool answered = false;
    for (int reply = 0; reply < 8 && !answered; ++reply) {
        uint8_t in[IXMSG_CAPACITY];
        std::memset(in, 0xEE, sizeof in);
        ixmsg_buf buf;
        ixmsg_init(&buf, in, sizeof in);
        QCOMPARE(ixctl_recv_msg(selected, &buf), 0);
        QCOMPARE(int(buf.position), 0);
        uint8_t id = 0;
        uint32_t value = 0;
        uint8_t lastId = 0;
        uint32_t lastValue = 0;
        while (ixmsg_get(&buf, &id, nullptr, &value, nullptr, nullptr) == 0) {
            answered = answered || id == answer;
            lastId = id;
            lastValue = value;
        }
        QCOMPARE(int(lastId), int(IXMSG_ID_READY));
        QVERIFY(lastValue != 0);
    }
    QVERIFY(answered);
    QCOMPARE(unitState().value("messages").toInt(), m_sent);
}

QTEST_GUILESS_MAIN(TstTransportE2e)
#include "tst_transport_e2e.moc"
