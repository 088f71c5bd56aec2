// The real program through its sockets: frames, control commands, faults, plugging, shutdown.
#include "wire_helpers.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

constexpr uint32_t kCode = 0x222000;

void le32(QByteArray &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char(v >> (8 * i)));
}

uint32_t readLe32(const QByteArray &b, int at)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(uint8_t(b[at + i])) << (8 * i);
    return v;
}

QByteArray outFrame(const QByteArray &msg, uint16_t function = 23)
{
    QByteArray block;
    le32(block, 0);
    le32(block, uint32_t(msg.size()));
    block.append(char(function))
        .append(char(function >> 8))
        .append(QByteArray(4, '\0'))
        .append('\0')
        .append(char(29));
    block += msg;
    block = block.leftJustified(20, '\0');
    QByteArray f;
    le32(f, kCode);
    le32(f, uint32_t(block.size()));
    f += block;
    le32(f, 0);
    return f;
}

QByteArray inFrame(uint32_t outputLength = 64)
{
    QByteArray block;
    le32(block, 1);
    le32(block, 0);
    block.append(char(23)).append('\0').append(QByteArray(4, '\0')).append('\0').append(char(30));
    block.append(QByteArray(4, '\0'));
    QByteArray f;
    le32(f, kCode);
    le32(f, 20);
    f += block;
    le32(f, outputLength);
    return f;
}

struct Answer {
    bool ok = false; // a whole answer arrived
    uint32_t status = 0;
    QByteArray bytes;
};

class Unit {
public:
    // Starts the unit in a private directory, or with `defaults` where it would go by itself.
    bool start(const QStringList &extra = {}, bool defaults = false)
    {
        if (!dir_.isValid())
            return false;
        const QString program = qEnvironmentVariable("LYNTRA_BIN_DIR") + "/lyntra-virtual-unit";
        proc_.setProgram(program);
        const QStringList where{"--dir", dir_.path() + "/ixdev", "--name", "unit7"};
        proc_.setArguments(defaults ? extra : where + extra);
        proc_.start();
        if (!proc_.waitForStarted(5000) || !proc_.waitForReadyRead(5000))
            return false;
        path = QString::fromLocal8Bit(proc_.readLine()).trimmed();
        return defaults || path == dir_.path() + "/ixdev/unit7";
    }

    ~Unit()
    {
        if (proc_.state() != QProcess::NotRunning) {
            proc_.kill();
            proc_.waitForFinished(3000);
        }
    }

    QJsonObject control(const QString &line)
    {
        QLocalSocket s;
        s.connectToServer(path + ".ctl");
        if (!s.waitForConnected(2000))
            return {{"client", "no control socket"}};
        s.write(line.toUtf8() + '\n');
        while (!s.canReadLine())
            if (!s.waitForReadyRead(3000))
                return {{"client", "no answer"}};
        return QJsonDocument::fromJson(s.readLine()).object();
    }

    QProcess &process() { return proc_; }
    QString path;

private:
    QTemporaryDir dir_;
    QProcess proc_;
};

bool connectTo(QLocalSocket &s, const QString &path)
{
    s.connectToServer(path);
    return s.waitForConnected(2000);
}

// Reads one answer; whatever follows it stays in the socket.
Answer readAnswer(QLocalSocket &s, int timeoutMs = 3000)
{
    Answer a;
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (got.size() >= 8 && got.size() >= 8 + int(readLe32(got, 4))) {
            if (got.size() > 8 + int(readLe32(got, 4)))
                qFatal("read past one answer");
            a.ok = true;
            a.status = readLe32(got, 0);
            a.bytes = got.mid(8, int(readLe32(got, 4)));
            return a;
        }
        if (!s.bytesAvailable() && !s.waitForReadyRead(int(timeoutMs - t.elapsed())))
            break;
        const int need = got.size() < 8 ? 8 - got.size() : 8 + int(readLe32(got, 4)) - got.size();
        got += s.read(need);
    }
    return a;
}

Answer exchange(QLocalSocket &s, const QByteArray &frame, int timeoutMs = 3000)
{
    s.write(frame);
    s.flush();
    return readAnswer(s, timeoutMs);
}

} // namespace

class TestVirtualUnit : public QObject {
    Q_OBJECT
private slots:
    void malformedFrameRefused_data();
    void malformedFrameRefused();
    void runawayLengthDropsConnection();
    void settingVisibleInStateAndTrace();
    void options();
    void fault_data();
    void fault();
    void unplugAndPlug();
    void controlErrors_data();
    void controlErrors();
    void defaultLocation();
    void signalRemovesSockets_data();
    void signalRemovesSockets();
};

void TestVirtualUnit::malformedFrameRefused_data()
{
    QTest::addColumn<QByteArray>("frame");
    QByteArray badCode = outFrame(wire::message({wire::flag(IXMSG_ID_STORE)}));
    badCode[0] = 0x01;
    QTest::newRow("code") << badCode;
    QTest::newRow("function") << outFrame(wire::message({wire::flag(IXMSG_ID_STORE)}), 24);
    QTest::newRow("IN of 63") << inFrame(63);
    QByteArray lying = outFrame(wire::message({wire::flag(IXMSG_ID_STORE)}));
    lying[12] = 9; // payload length field
    QTest::newRow("length field") << lying;
}

void TestVirtualUnit::malformedFrameRefused()
{
    QFETCH(QByteArray, frame);
    Unit unit;
    QVERIFY(unit.start());
    QLocalSocket s;
    QVERIFY(connectTo(s, unit.path));
    const Answer bad = exchange(s, frame);
    QVERIFY(bad.ok);
    QVERIFY(bad.status != 0);
    QCOMPARE(bad.bytes.size(), 0);
    // The connection keeps serving after a refusal, and the refused frame changed nothing.
    const Answer good = exchange(s, inFrame());
    QVERIFY(good.ok);
    QCOMPARE(good.status, 0u);
    QCOMPARE(good.bytes.size(), 64);
    const QJsonObject state = unit.control("state");
    QCOMPARE(state.value("messages").toInt(), 0);
    QCOMPARE(state.value("store_count").toInt(), 0);
}

void TestVirtualUnit::runawayLengthDropsConnection()
{
    Unit unit;
    QVERIFY(unit.start());
    QLocalSocket s;
    QVERIFY(connectTo(s, unit.path));
    QByteArray f;
    le32(f, kCode);
    le32(f, 1u << 30);
    const Answer a = exchange(s, f);
    QVERIFY(a.ok);
    QVERIFY(a.status != 0);
    QVERIFY(s.state() == QLocalSocket::UnconnectedState || s.waitForDisconnected(3000));
    QLocalSocket again;
    QVERIFY(connectTo(again, unit.path));
    QCOMPARE(exchange(again, inFrame()).status, 0u);
}

void TestVirtualUnit::settingVisibleInStateAndTrace()
{
    Unit unit;
    QVERIFY(unit.start());
    QLocalSocket s;
    QVERIFY(connectTo(s, unit.path));
    const QByteArray msg = wire::message({wire::u8(IXMSG_ID_CH_TYPE, 4), wire::u8(IXMSG_ID_CH_NO, 3),
                                          wire::u16(IXMSG_ID_FADER, 0xFFC4), wire::flag(IXMSG_ID_HZ)});
    // Several requests on one connection, sent in one write.
    s.write(outFrame(msg) + inFrame());
    const Answer accepted = readAnswer(s);
    QVERIFY(accepted.ok);
    QCOMPARE(accepted.status, 0u);
    QCOMPARE(accepted.bytes.size(), 0);
    const Answer sent = readAnswer(s);
    QVERIFY(sent.ok);
    QCOMPARE(sent.status, 0u);
    wire::ReplyReader reader;
    reader.read(sent.bytes);
    QCOMPARE(reader.withId(IXMSG_ID_HZ).size(), 1);
    QCOMPARE(reader.withId(IXMSG_ID_HZ)[0].value, 48000u);
    const QJsonObject state = unit.control("state");
    QCOMPARE(state.value("fader").toObject().value("input").toArray().at(2).toInt(), -60);
    QCOMPARE(state.value("messages").toInt(), 1);
    const QJsonArray trace = unit.control("trace").value("trace").toArray();
    QCOMPARE(trace.size(), 2);
    QCOMPARE(trace[0].toObject().value("dir").toString(), QString("out"));
    QCOMPARE(trace[0].toObject().value("hex").toString(), QString::fromLatin1(msg.toHex()));
    QCOMPARE(trace[1].toObject().value("dir").toString(), QString("in"));
    QCOMPARE(trace[1].toObject().value("hex").toString(), QString::fromLatin1(sent.bytes.toHex()));
    QVERIFY(trace[1].toObject().value("t").toDouble() >= trace[0].toObject().value("t").toDouble());
}

void TestVirtualUnit::options()
{
    Unit unit;
    QVERIFY(unit.start({"--model", "K1", "--version", "258", "--build", "9", "--rate", "96000"}));
    QCOMPARE(unit.control("set lock 6 2").value("ok").toBool(), true);
    QCOMPARE(unit.control("set clockhz 6 88200").value("ok").toBool(), true);
    QLocalSocket s;
    QVERIFY(connectTo(s, unit.path));
    QCOMPARE(
        exchange(s, outFrame(wire::message({wire::flag(IXMSG_ID_GET_INFO), wire::flag(IXMSG_ID_CLOCKLOCK)})))
            .status,
        0u);
    wire::ReplyReader r;
    for (int i = 0; i < 3; ++i)
        r.read(exchange(s, inFrame()).bytes);
    QCOMPARE(r.withId(IXMSG_ID_PRODUCTNAME).value(0).text, QString("LYNTRA K1"));
    QCOMPARE(r.withId(IXMSG_ID_VERSION).value(0).value, 258u);
    QCOMPARE(r.withId(IXMSG_ID_BUILD).value(0).value, 9u);
    QCOMPARE(unit.control("state").value("rate").toInt(), 96000);
    const QVector<wire::Seen> locks = r.withId(IXMSG_ID_CLOCKLOCK);
    QCOMPARE(locks.size(), 4);
    QCOMPARE(locks[3].source, 6u);
    QCOMPARE(locks[3].value, 2u);
    QCOMPARE(r.withId(IXMSG_ID_CLOCKHZ).value(3).value, 88200u);
    QCOMPARE(r.withId(IXMSG_ID_CLOCKHZ).value(0).value, 96000u);
}

void TestVirtualUnit::fault_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("effect");
    QTest::newRow("fail") << "fault fail 4"
                          << "fail";
    QTest::newRow("short") << "fault short 2"
                           << "short";
    QTest::newRow("garbage") << "fault garbage 2"
                             << "garbage";
    QTest::newRow("notready") << "fault notready 2"
                              << "notready";
    QTest::newRow("delay") << "fault delay 2 300"
                           << "delay";
}

void TestVirtualUnit::fault()
{
    QFETCH(QString, command);
    QFETCH(QString, effect);
    Unit unit;
    QVERIFY(unit.start());
    QLocalSocket s;
    QVERIFY(connectTo(s, unit.path));
    QCOMPARE(unit.control(command).value("ok").toBool(), true);
    const QByteArray ask = outFrame(wire::message({wire::flag(IXMSG_ID_HZ)}));

    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 2; ++i) {
        const Answer sent = exchange(s, ask);
        const Answer got = exchange(s, inFrame());
        QVERIFY(sent.ok && got.ok);
        if (effect == "fail") {
            QVERIFY(sent.status != 0 && got.status != 0);
            QCOMPARE(got.bytes.size(), 0);
            continue;
        }
        QCOMPARE(got.status, 0u);
        wire::ReplyReader r;
        r.read(got.bytes);
        if (effect == "short") {
            QCOMPARE(got.bytes.size(), 63);
        } else if (effect == "garbage") {
            QCOMPARE(got.bytes.size(), 64);
            QVERIFY(uint8_t(got.bytes[1]) > IXMSG_T_BYTES);
            QCOMPARE(r.items.size(), 0);
        } else if (effect == "notready") {
            QCOMPARE(r.items.size(), 1);
            QCOMPARE(r.items[0].id, uint8_t(IXMSG_ID_READY));
            QCOMPARE(r.items[0].value, 0u);
        } else {
            QCOMPARE(r.withId(IXMSG_ID_HZ).size(), 1);
        }
    }
    if (effect == "delay")
        QVERIFY2(t.elapsed() >= 550, "two delayed answers of 300 ms");
    // Faults are used up; what was asked meanwhile was not lost (fail: the messages never arrived).
    const Answer after = exchange(s, inFrame());
    QCOMPARE(after.status, 0u);
    wire::ReplyReader r;
    r.read(after.bytes);
    // Spoilt reads consume nothing: both answers are still there.
    const int expected = (effect == "short" || effect == "garbage" || effect == "notready") ? 2 : 0;
    QCOMPARE(r.withId(IXMSG_ID_HZ).size(), expected);
    QCOMPARE(r.items.constLast().id, uint8_t(IXMSG_ID_READY));
    QVERIFY(r.items.constLast().value != 0);
}

void TestVirtualUnit::unplugAndPlug()
{
    Unit unit;
    QVERIFY(unit.start());
    QLocalSocket held;
    QVERIFY(connectTo(held, unit.path));
    QLocalSocket s;
    QVERIFY(connectTo(s, unit.path));
    QCOMPARE(exchange(s, outFrame(wire::message({wire::flag(IXMSG_ID_STORE)}))).status, 0u);
    QCOMPARE(unit.control("unplug").value("ok").toBool(), true);
    QVERIFY(!QFileInfo::exists(unit.path));
    QVERIFY(held.state() == QLocalSocket::UnconnectedState || held.waitForDisconnected(2000));
    QLocalSocket refused;
    QVERIFY(!connectTo(refused, unit.path));
    QCOMPARE(unit.control("state").value("store_count").toInt(), 1);
    QCOMPARE(unit.control("status").value("plugged").toBool(), false);
    QCOMPARE(unit.control("plug").value("ok").toBool(), true);
    QVERIFY(QFileInfo::exists(unit.path));
    QLocalSocket back;
    QVERIFY(connectTo(back, unit.path));
    QCOMPARE(exchange(back, inFrame()).status, 0u);
    QCOMPARE(unit.control("state").value("store_count").toInt(), 1);
}

void TestVirtualUnit::controlErrors_data()
{
    QTest::addColumn<QString>("line");
    for (const char *line :
         {"frobnicate", "set", "set lock 3 1", "set version 70000", "set model K3", "fault explode 1",
          "fault fail x", "fault short 1 50", "set rate -1", "state extra"})
        QTest::newRow(line) << QString::fromLatin1(line);
}

void TestVirtualUnit::controlErrors()
{
    QFETCH(QString, line);
    Unit unit;
    QVERIFY(unit.start());
    const QJsonObject before = unit.control("state");
    const QJsonObject answer = unit.control(line);
    QVERIFY2(answer.value("error").isString(), qPrintable(QJsonDocument(answer).toJson()));
    QCOMPARE(unit.control("state"), before);
    QCOMPARE(unit.control("status").value("faults").toObject().value("fail").toInt(), 0);
}

void TestVirtualUnit::defaultLocation()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        QSKIP("needs the private XDG_RUNTIME_DIR the test runner provides");
    Unit unit;
    QVERIFY(unit.start({}, true));
    QCOMPARE(unit.path, runtime + "/ixdev/lyntra0");
    QCOMPARE(QFileInfo(runtime + "/ixdev").permissions() & 0x0077, QFileDevice::Permissions());
    QVERIFY(QFileInfo::exists(unit.path + ".ctl"));
    QCOMPARE(unit.control("state").value("product").toString(), QString("LYNTRA K2"));
}

void TestVirtualUnit::signalRemovesSockets_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestVirtualUnit::signalRemovesSockets()
{
    QFETCH(int, signal);
    Unit unit;
    QVERIFY(unit.start());
    QLocalSocket midFrame;
    QVERIFY(connectTo(midFrame, unit.path));
    midFrame.write(inFrame().left(10));
    midFrame.flush();
    midFrame.abort(); // a client gone mid-frame is dropped, the unit carries on
    QCOMPARE(unit.control("status").value("plugged").toBool(), true);
    QVERIFY(QFileInfo::exists(unit.path + ".ctl"));
    ::kill(pid_t(unit.process().processId()), signal);
    QVERIFY(unit.process().waitForFinished(5000));
    QCOMPARE(unit.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(unit.process().exitCode(), 0);
    QVERIFY(!QFileInfo::exists(unit.path));
    QVERIFY(!QFileInfo::exists(unit.path + ".ctl"));
}

QTEST_GUILESS_MAIN(TestVirtualUnit)
#include "tst_virtualunit.moc"
