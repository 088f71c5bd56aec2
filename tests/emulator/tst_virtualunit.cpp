// The virtual unit: the firmware model in-process (answers, meters, what it refuses), the driver's frame
// checks, and the real program through its unit and control sockets.
#include "datarow.h"
#include "driver_frame.h"
#include "driverframes.h"
#include "firmware.h"
#include "meter_model.h"
#include "qixwire.h"
#include "virtualunit.h"

#include <QtTest>

#include <csignal>

using namespace lyntra::fw;
using frames::Frame;
using lyntra_test::VirtualUnit;
using wire::flag;
using wire::message;
using wire::u16;
using wire::u8;

namespace {

void apply(Firmware &fw, const QByteArray &msg)
{
    fw.apply(reinterpret_cast<const uint8_t *>(msg.constData()), size_t(msg.size()));
}

QByteArray at(uint32_t type, uint32_t no, wire::Item item = {0, 0, 0})
{
    return item.type ? message({u8(IXMSG_ID_CH_TYPE, type), u8(IXMSG_ID_CH_NO, no), item})
                     : message({u8(IXMSG_ID_CH_TYPE, type), u8(IXMSG_ID_CH_NO, no)});
}

// Reads replies until nothing is queued; every reply must end with a ready token and zeros.
wire::ReplyReader drain(Firmware &fw, int *count = nullptr)
{
    wire::ReplyReader reader;
    int n = 0;
    do {
        QByteArray reply(64, '\x55');
        fw.nextReply(reinterpret_cast<uint8_t *>(reply.data()));
        const int end = reader.read(reply);
        const wire::Seen &last = reader.items.constLast();
        if (last.id != IXMSG_ID_READY || last.value == 0 || reply.mid(end) != QByteArray(64 - end, '\0') ||
            end > 62)
            qFatal("reply %d: %s", n, reply.toHex().constData());
        ++n;
    } while (fw.hasPendingAnswers() && n < 100);
    if (count)
        *count = n;
    return reader;
}

std::vector<DriverRequest> parse(const QByteArray &bytes, int chunk = 4096)
{
    FrameParser p;
    std::vector<DriverRequest> out;
    for (int i = 0; i < bytes.size(); i += chunk) {
        p.feed(reinterpret_cast<const uint8_t *>(bytes.constData()) + i, size_t(qMin(chunk, bytes.size() - i)));
        for (DriverRequest r; p.next(&r);)
            out.push_back(r);
    }
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Frame)

class TestVirtualUnit : public QObject {
    Q_OBJECT

private slots:
    // ---- The firmware model.

    void answers_identity_and_clock()
    {
        Firmware fw(Model::K1);
        fw.setVersion(321);
        fw.setBuild(77);
        fw.setRate(96000);
        QVERIFY(fw.setBuildDate("Jan  2 2027") && fw.setBuildTime("01:02:03") && !fw.setBuildTime(QString(41, 'x')));
        fw.setDspMode(3);
        QVERIFY(fw.setClockLock(5, 2) && fw.setClockHz(5, 44100) && !fw.setClockLock(3, 2));
        apply(fw, message({flag(IXMSG_ID_GET_INFO), flag(IXMSG_ID_HZ), u8(IXMSG_ID_SET_CLOCKSOURCE, 6),
                           flag(IXMSG_ID_CLOCKSOURCE), flag(IXMSG_ID_DSPMODE), flag(IXMSG_ID_CLOCKLOCK)}));
        const wire::ReplyReader r = drain(fw);
        QStringList got;
        for (const wire::Seen &s : r.items)
            if (s.id != IXMSG_ID_READY)
                got << (s.type == IXMSG_T_BYTES ? s.text : QString("%1:%2@%3").arg(s.id).arg(s.value).arg(s.source));
        QCOMPARE(got, (QStringList{"50:321@0", "51:77@0", "LYNTRA K1", "Jan  2 2027", "01:02:03", "24:96000@0",
                                   "26:6@0", "193:3@0", "29:1@1", "27:3@1", "30:96000@1", "29:2@2", "27:1@2",
                                   "30:0@2", "29:5@5", "27:2@5", "30:44100@5", "29:6@6", "27:1@6", "30:0@6"}));
        QCOMPARE(r.withId(IXMSG_ID_VERSION)[0].type, uint8_t(IXMSG_T_U16));
    }

    void meters_split_over_replies_and_answers_wait()
    {
        Firmware fw;
        fw.setTime(1.5);
        apply(fw, message({flag(IXMSG_ID_GET_METER), flag(IXMSG_ID_HZ)}));
        apply(fw, at(4, 9, flag(IXMSG_ID_GET_GRMETER)));
        int replies = 0;
        const wire::ReplyReader r = drain(fw, &replies);
        QVERIFY2(replies > 1, "22 meter groups cannot fit one reply");
        const QVector<wire::Seen> levels = r.withId(IXMSG_ID_METER);
        QCOMPARE(levels.size(), 22);
        for (int i = 0; i < 22; ++i) {
            QCOMPARE(levels[i].chType, i < 20 ? 4u : 2u);
            QCOMPARE(levels[i].chNo, uint32_t(i < 20 ? i + 1 : i - 19));
            QCOMPARE(levels[i].value, i < 20 ? fw.inputLevel(i + 1) : fw.masterLevel(i - 19));
        }
        QCOMPARE(r.withId(IXMSG_ID_HZ).size(), 1);
        QCOMPARE(r.withId(IXMSG_ID_GRMETER).value(0).chNo, 9u);
        QCOMPARE(r.withId(IXMSG_ID_GRMETER).value(0).value, kFullScale); // an idle input
        // An idle unit still says it is ready.
        QCOMPARE(drain(fw).items.size(), 1);
    }

    void malformed_settings_change_nothing_data()
    {
        QTest::addColumn<QByteArray>("msg");
        row("fader as a flag", at(4, 1, flag(IXMSG_ID_FADER)));
        row("values without their completing item",
            message({u8(IXMSG_ID_REVERB_TYPE, 2), u8(IXMSG_ID_EQ_BAND, 1), u8(IXMSG_ID_COMP_RATIO, 20)}));
        row("eq without a band", at(4, 1) + message({u8(IXMSG_ID_EQ_GAIN, 5), u8(IXMSG_ID_EQ_ON, 1)}));
        row("optical mode without a source", message({u8(IXMSG_ID_SET_ADAT_X4MODE, 2)}));
        row("address does not carry past an end item",
            at(4, 1) + QByteArray(2, '\0') + message({u8(IXMSG_ID_MUTE, 1)}));
        row("invalid type stops the message", QByteArray("\x61\x07\x04", 3) + at(4, 1, u8(IXMSG_ID_MUTE, 1)));
        row("truncated item", at(4, 1) + QByteArray("\x83\x03\x01", 3));
        row("unknown ids", message({u8(200, 1), u8(3, 4), flag(255)}));
        row("input 21", at(4, 21, u16(IXMSG_ID_FADER, 10)));
        row("master 3", at(2, 3, u8(IXMSG_ID_MUTE, 1)));
        row("pan of a master", at(2, 1, u8(IXMSG_ID_PAN, 3)));
    }
    void malformed_settings_change_nothing()
    {
        QFETCH(QByteArray, msg);
        Firmware fw;
        QJsonObject before = fw.state();
        apply(fw, msg);
        QJsonObject after = fw.state();
        QCOMPARE(after.take("messages").toInt(), 1);
        before.remove("messages");
        QCOMPARE(after, before);
        QVERIFY(!fw.hasPendingAnswers());
    }

    // ---- The driver's frame checks.

    void frames_refused_data()
    {
        QTest::addColumn<Frame>("frame");
        QTest::addColumn<uint32_t>("status");
        auto refused = [](const char *name, FrameStatus status, bool in, std::function<void(Frame &)> change) {
            Frame f = in ? frames::in_request() : Frame();
            change(f);
            QTest::newRow(name) << f << uint32_t(status);
        };
        refused("wrong code", kFrameBadCode, false, [](Frame &f) { f.code = 0x222004; });
        refused("direction 2", kFrameBadDirection, false, [](Frame &f) { f.direction = 2; });
        refused("function 22", kFrameBadFunction, false, [](Frame &f) { f.function = 22; });
        refused("value 1", kFrameBadValueIndex, false, [](Frame &f) { f.value = 1; });
        refused("index 256", kFrameBadValueIndex, false, [](Frame &f) { f.index = 0x100; });
        refused("IN with reserved 1", kFrameBadReserved, true, [](Frame &f) { f.reserved = 1; });
        refused("OUT with request 30", kFrameBadRequest, false, [](Frame &f) { f.request = 30; });
        refused("IN with request 29", kFrameBadRequest, true, [](Frame &f) { f.request = 29; });
        refused("empty message", kFrameBadPayloadLength, false, [](Frame &f) { f.payload.clear(); });
        refused("message of 65", kFrameBadPayloadLength, false,
                [](Frame &f) { f.payload = QByteArray(65, 'x'); });
        refused("length field short of block", kFrameBadBlockLength, false,
                [](Frame &f) { f.payload = QByteArray(8, 'x'), f.lengthField = 7; });
        refused("block under 20", kFrameBadBlockLength, false, [](Frame &f) { f.blockLength = 18; });
        refused("block padded past payload", kFrameBadBlockLength, false,
                [](Frame &f) { f.payload = QByteArray(8, 'x'), f.blockLength = 28; });
        refused("OUT asking for output", kFrameBadOutputLength, false, [](Frame &f) { f.outputLength = 64; });
        refused("IN of 63", kFrameBadOutputLength, true, [](Frame &f) { f.outputLength = 63; });
        refused("IN block of 24", kFrameBadBlockLength, true, [](Frame &f) { f.blockLength = 24; });
        refused("IN with a length", kFrameBadPayloadLength, true, [](Frame &f) { f.lengthField = 4; });
    }
    void frames_refused()
    {
        QFETCH(Frame, frame);
        QFETCH(uint32_t, status);
        const auto got = parse(frame.bytes());
        QCOMPARE(got.size(), size_t(1));
        QCOMPARE(got[0].status, status);
        QVERIFY(got[0].message.empty() && !got[0].closeAfterAnswer);
    }

    void frames_split_and_merged_data()
    {
        QTest::addColumn<int>("chunk");
        for (int chunk : {1, 3, 7, 31, 10000})
            QTest::addRow("chunks of %d", chunk) << chunk;
    }
    void frames_split_and_merged()
    {
        QFETCH(int, chunk);
        Frame bad;
        bad.function = 1;
        const QByteArray first(1, '\x11'), full(64, '\x22');
        const auto got =
            parse(frames::out_frame(first) + frames::in_frame() + bad.bytes() + frames::out_frame(full), chunk);
        QCOMPARE(got.size(), size_t(4));
        QCOMPARE(got[0].message, std::vector<uint8_t>(1, 0x11));
        QVERIFY(got[1].in && got[1].status == kFrameOk && got[1].outputLength == 64);
        QCOMPARE(got[2].status, uint32_t(kFrameBadFunction));
        QCOMPARE(got[3].message, std::vector<uint8_t>(64, 0x22));
    }

    // The largest legal length is only waited for, not refused (a runaway one: the program's test below).
    void longest_length_is_waited_for()
    {
        QByteArray big;
        frames::le32(big, frames::kCode);
        frames::le32(big, kMaxInputLength);
        QVERIFY(parse(big).empty());
    }

    // ---- The program.

    void refused_frame_keeps_the_connection()
    {
        VirtualUnit unit;
        QVERIFY(unit.start());
        QLocalSocket s;
        s.connectToServer(unit.socket_path());
        QVERIFY(s.waitForConnected(lyntra_test::kPatienceMs));
        Frame bad;
        bad.payload = message({flag(IXMSG_ID_STORE)});
        bad.function = 24;
        const frames::Answer refused = frames::exchange(s, bad.bytes());
        QVERIFY(refused.whole && refused.status == kFrameBadFunction && refused.bytes.isEmpty());
        QCOMPARE(frames::exchange(s, frames::in_frame()).bytes.size(), 64);
        QCOMPARE(unit.at("store_count").toInt(-1), 0);

        // A runaway length is answered, then the connection is dropped; the unit serves the next one.
        QByteArray runaway;
        frames::le32(runaway, frames::kCode);
        frames::le32(runaway, kMaxInputLength + 1);
        QCOMPARE(frames::exchange(s, runaway).status, uint32_t(kFrameInputTooLong));
        QVERIFY(s.state() == QLocalSocket::UnconnectedState || s.waitForDisconnected(lyntra_test::kPatienceMs));
        QLocalSocket again;
        again.connectToServer(unit.socket_path());
        QVERIFY(again.waitForConnected(lyntra_test::kPatienceMs));
        QCOMPARE(frames::exchange(again, frames::in_frame()).status, 0u);
    }

    void requests_in_one_write_reach_state_and_trace()
    {
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K1", "--version", "258", "--rate", "96000"}));
        QCOMPARE(unit.control("set clockhz 6 88200")["ok"].toBool(), true);
        QLocalSocket s;
        s.connectToServer(unit.socket_path());
        QVERIFY(s.waitForConnected(lyntra_test::kPatienceMs));
        const QByteArray msg = at(4, 3, u16(IXMSG_ID_FADER, 0xFFC4)) +
                               message({flag(IXMSG_ID_GET_INFO), flag(IXMSG_ID_CLOCKLOCK)});
        s.write(frames::out_frame(msg) + frames::in_frame() + frames::in_frame());
        const frames::Answer accepted = frames::read_answer(s);
        QVERIFY(accepted.whole && accepted.status == 0 && accepted.bytes.isEmpty());
        wire::ReplyReader r;
        const frames::Answer first = frames::read_answer(s), second = frames::read_answer(s);
        r.read(first.bytes);
        r.read(second.bytes);
        // Options and control commands reach the answers.
        QCOMPARE(r.withId(IXMSG_ID_PRODUCTNAME).value(0).text, QStringLiteral("LYNTRA K1"));
        QCOMPARE(r.withId(IXMSG_ID_CLOCKHZ).value(3).value, 88200u);
        QCOMPARE(unit.at("fader.input.2").toInt(), -60);
        QCOMPARE(unit.at("messages").toInt(), 1);
        const QJsonArray trace = unit.control("trace")["trace"].toArray();
        QCOMPARE(trace.size(), 3);
        QCOMPARE(trace[0].toObject()["dir"].toString(), QStringLiteral("out"));
        QCOMPARE(trace[0].toObject()["hex"].toString(), QString::fromLatin1(msg.toHex()));
        QCOMPARE(trace[2].toObject()["dir"].toString(), QStringLiteral("in"));
        QCOMPARE(trace[2].toObject()["hex"].toString(), QString::fromLatin1(second.bytes.toHex()));
    }

    void control_errors_change_nothing()
    {
        VirtualUnit unit;
        QVERIFY(unit.start());
        const QJsonObject before = unit.state();
        for (const char *line :
             {"frobnicate", "set", "set lock 3 1", "set version 70000", "set model K3", "fault explode 1",
              "fault fail x", "fault short 1 50", "set rate -1", "state extra", "set level 3 32769",
              "set level 21 100", "set freeze maybe"}) {
            QVERIFY2(unit.control(line)["error"].isString(), line);
            QCOMPARE(unit.state(), before);
            QCOMPARE(unit.control("status")["faults"].toObject()["fail"].toInt(-1), 0);
        }
    }

    void default_location()
    {
        VirtualUnit unit;
        QVERIFY(unit.start({}, true));
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        QCOMPARE(unit.socket_path(), runtime + "/ixdev/lyntra0");
        QCOMPARE(QFileInfo(runtime + "/ixdev").permissions() & 0x0077, QFileDevice::Permissions());
    }

    void signal_removes_sockets_data()
    {
        QTest::addColumn<int>("signal");
        row("SIGTERM", int(SIGTERM));
        row("SIGINT", int(SIGINT));
    }
    void signal_removes_sockets()
    {
        QFETCH(int, signal);
        VirtualUnit unit;
        QVERIFY(unit.start());
        QLocalSocket midFrame; // a client gone mid-frame is dropped, the unit carries on
        midFrame.connectToServer(unit.socket_path());
        QVERIFY(midFrame.waitForConnected(lyntra_test::kPatienceMs));
        midFrame.write(frames::in_frame().left(10));
        midFrame.flush();
        midFrame.abort();
        QCOMPARE(unit.control("status")["plugged"].toBool(), true);
        QVERIFY(QFileInfo::exists(unit.ctl_path()));
        ::kill(pid_t(unit.process().processId()), signal);
        QVERIFY(unit.process().waitForFinished(lyntra_test::kPatienceMs));
        QCOMPARE(unit.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(unit.process().exitCode(), 0);
        QVERIFY(!QFileInfo::exists(unit.socket_path()) && !QFileInfo::exists(unit.ctl_path()));
    }
};

QTEST_GUILESS_MAIN(TestVirtualUnit)
#include "tst_virtualunit.moc"
