// The firmware model in-process: settings into the state, answers out of the reply queue, meters.
#include "firmware.h"
#include "meter_model.h"
#include "wire_helpers.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

using namespace lyntra::fw;
using namespace wire;

namespace {

QJsonValue at(const QJsonObject &root, const QString &path)
{
    QJsonValue v = root;
    for (const QString &key : path.split(QLatin1Char('.'))) {
        bool index = false;
        const int i = key.toInt(&index);
        v = index && v.isArray() ? v.toArray().at(i) : v.toObject().value(key);
    }
    return v;
}

void apply(Firmware &fw, const QByteArray &msg)
{
    fw.apply(reinterpret_cast<const uint8_t *>(msg.constData()), size_t(msg.size()));
}

QByteArray reply(Firmware &fw)
{
    QByteArray out(int(ReplyQueue::kReplySize), '\x55');
    fw.nextReply(reinterpret_cast<uint8_t *>(out.data()));
    return out;
}

// Reads replies until the queue is empty; checks the shape every reply must have.
ReplyReader drain(Firmware &fw, int *count = nullptr)
{
    ReplyReader reader;
    int n = 0;
    do {
        const QByteArray r = reply(fw);
        const int end = reader.read(r);
        const Seen &last = reader.items.constLast();
        if (last.id != IXMSG_ID_READY || last.value == 0)
            qFatal("reply %d does not end with a ready token", n);
        if (r.mid(end).count('\0') != r.size() - end || r.size() - end < 2)
            qFatal("reply %d is not zero after its ready token", n);
        ++n;
    } while (fw.hasPendingAnswers() && n < 100);
    if (count)
        *count = n;
    return reader;
}

QByteArray address(uint32_t type, uint32_t no)
{
    return message({u8(IXMSG_ID_CH_TYPE, type), u8(IXMSG_ID_CH_NO, no)});
}

QByteArray withAddress(uint32_t type, uint32_t no, Item item)
{
    return message({u8(IXMSG_ID_CH_TYPE, type), u8(IXMSG_ID_CH_NO, no), item});
}

QByteArray connection(uint32_t fromType, uint32_t fromNo, uint32_t toType, uint32_t toNo,
                      std::initializer_list<Item> tail)
{
    QByteArray m = message({u8(IXMSG_ID_CH_TYPE, fromType), u8(IXMSG_ID_CH_NO, fromNo), flag(IXMSG_ID_FROM),
                            u8(IXMSG_ID_CH_TYPE, toType), u8(IXMSG_ID_CH_NO, toNo), flag(IXMSG_ID_TO)});
    return m + message(tail);
}

uint32_t meterOf(const ReplyReader &r, uint32_t type, uint32_t no)
{
    for (const Seen &s : r.withId(IXMSG_ID_METER))
        if (s.chType == type && s.chNo == no)
            return s.value;
    return 0xFFFFFFFF;
}

} // namespace

class TestFirmware : public QObject {
    Q_OBJECT
private slots:
    void settingIsVisibleInState_data();
    void settingIsVisibleInState();
    void refusedSettingChangesNothing_data();
    void refusedSettingChangesNothing();
    void requestIsAnswered_data();
    void requestIsAnswered();
    void metersSplitOverReplies();
    void answersSurviveAcrossRequests();
    void clockLockGroups();
    void meterFollowsMix_data();
    void meterFollowsMix();
    void gainReductionFollowsCompressor_data();
    void gainReductionFollowsCompressor();
    void stateNamesEveryParameter();
};

void TestFirmware::settingIsVisibleInState_data()
{
    QTest::addColumn<QByteArray>("msg");
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("fader input 3 -6.0 dB")
        << withAddress(4, 3, u16(IXMSG_ID_FADER, 0xFFC4)) << "fader.input.2" << qint64(-60);
    QTest::newRow("fader -inf") << withAddress(4, 20, u16(IXMSG_ID_FADER, 0xFB0A)) << "fader.input.19"
                                << qint64(-1270);
    QTest::newRow("fader +6.0 master 2")
        << withAddress(2, 2, u16(IXMSG_ID_FADER, 60)) << "fader.master.1" << qint64(60);
    QTest::newRow("fader monitor master")
        << withAddress(1, 9, u16(IXMSG_ID_FADER, 0xFF9C)) << "fader.output.8" << qint64(-100);
    QTest::newRow("pan centre") << withAddress(4, 1, u8(IXMSG_ID_PAN, 20)) << "pan.0" << qint64(20);
    QTest::newRow("mute input 12") << withAddress(4, 12, u8(IXMSG_ID_MUTE, 1)) << "mute.input.11"
                                   << qint64(1);
    QTest::newRow("mute master 1") << withAddress(2, 1, u8(IXMSG_ID_MUTE, 1)) << "mute.master.0" << qint64(1);
    QTest::newRow("solo") << withAddress(4, 5, u8(IXMSG_ID_SOLO, 1)) << "solo.4" << qint64(1);
    QTest::newRow("phase") << withAddress(4, 6, u8(IXMSG_ID_PHASE, 1)) << "phase.5" << qint64(1);
    QTest::newRow("truebypass") << withAddress(4, 7, u8(IXMSG_ID_TRUEBYPASS, 1)) << "truebypass.6"
                                << qint64(1);

    const QByteArray send = connection(
        4, 7, 5, 2, {u8(IXMSG_ID_SEND_POINT, 2), u8(IXMSG_ID_SEND_LEVEL, 0xF6), flag(IXMSG_ID_SEND)});
    QTest::newRow("send level signed") << send << "send.input.6.1.level" << qint64(-10);
    QTest::newRow("send point") << send << "send.input.6.1.point" << qint64(2);
    const QByteArray masterSend = connection(
        2, 1, 5, 4, {u8(IXMSG_ID_SEND_POINT, 3), u8(IXMSG_ID_SEND_LEVEL, 0x81), flag(IXMSG_ID_SEND)});
    QTest::newRow("master send -inf") << masterSend << "send.master.3.level" << qint64(-127);

    const QByteArray route = connection(3, 3, 1, 20, {flag(IXMSG_ID_ASSIGN)});
    QTest::newRow("route type") << route << "route.19.type" << qint64(3);
    QTest::newRow("route channel") << route << "route.19.channel" << qint64(3);

    const QByteArray eq =
        address(4, 2) + message({u8(IXMSG_ID_EQ_BAND, 3), u8(IXMSG_ID_EQ_GAIN, 17), u8(IXMSG_ID_EQ_FREQ, 40),
                                 u8(IXMSG_ID_EQ_Q, 5), u8(IXMSG_ID_EQ_ON, 1)});
    QTest::newRow("eq gain") << eq << "eq.1.2.gain" << qint64(17);
    QTest::newRow("eq freq") << eq << "eq.1.2.freq" << qint64(40);
    QTest::newRow("eq q") << eq << "eq.1.2.q" << qint64(5);
    QTest::newRow("eq on") << eq << "eq.1.2.on" << qint64(1);

    const QByteArray comp =
        address(4, 7) +
        message({u8(IXMSG_ID_COMP_THRESHOLD, 0xEC), u8(IXMSG_ID_COMP_RATIO, 255),
                 u8(IXMSG_ID_COMP_ATTACK, 20), u8(IXMSG_ID_COMP_RELEASE, 50), u8(IXMSG_ID_COMP_GAIN, 4),
                 u8(IXMSG_ID_COMP_LINK, 2), u8(IXMSG_ID_COMP_ON, 1)});
    QTest::newRow("comp threshold signed") << comp << "comp.6.threshold" << qint64(-20);
    QTest::newRow("comp ratio") << comp << "comp.6.ratio" << qint64(255);
    QTest::newRow("comp attack") << comp << "comp.6.attack" << qint64(20);
    QTest::newRow("comp release") << comp << "comp.6.release" << qint64(50);
    QTest::newRow("comp gain") << comp << "comp.6.gain" << qint64(4);
    QTest::newRow("comp link") << comp << "comp.6.link" << qint64(2);
    QTest::newRow("comp on") << comp << "comp.6.on" << qint64(1);

    const QByteArray reverb =
        message({u8(IXMSG_ID_REVERB_TYPE, 5), u8(IXMSG_ID_REVERB_PREDELAY, 10), u8(IXMSG_ID_REVERB_TIME, 20),
                 u8(IXMSG_ID_REVERB_DIFF, 30), flag(IXMSG_ID_REVERB)});
    QTest::newRow("reverb type") << reverb << "reverb.type" << qint64(5);
    QTest::newRow("reverb predelay") << reverb << "reverb.predelay" << qint64(10);
    QTest::newRow("reverb time") << reverb << "reverb.time" << qint64(20);
    QTest::newRow("reverb diff") << reverb << "reverb.diff" << qint64(30);
    QTest::newRow("return level") << message({u8(IXMSG_ID_RETURN_LEVEL, 0xFD)}) << "return.level"
                                  << qint64(-3);
    QTest::newRow("return on") << message({u8(IXMSG_ID_RETURN_ON, 1)}) << "return.on" << qint64(1);
    QTest::newRow("clock source") << message({u8(IXMSG_ID_SET_CLOCKSOURCE, 5)}) << "clock_source"
                                  << qint64(5);
    QTest::newRow("optical mode B") << message({u8(IXMSG_ID_SRC, 6), u8(IXMSG_ID_SET_ADAT_X4MODE, 1)})
                                    << "optical_mode.6" << qint64(1);
    QTest::newRow("store") << message({flag(IXMSG_ID_STORE)}) << "store_count" << qint64(1);
    QTest::newRow("two settings in one message")
        << withAddress(4, 1, u8(IXMSG_ID_MUTE, 1)) + withAddress(4, 2, u8(IXMSG_ID_MUTE, 1)) << "mute.input.1"
        << qint64(1);
    QTest::newRow("u32 fader read as signed 32")
        << withAddress(4, 4, {IXMSG_ID_FADER, IXMSG_T_U32, 0xFFFFFFFF}) << "fader.input.3" << qint64(-1);
}

void TestFirmware::settingIsVisibleInState()
{
    QFETCH(QByteArray, msg);
    QFETCH(QString, path);
    QFETCH(qint64, expected);
    Firmware fw;
    const QJsonValue before = at(fw.state(), path);
    QVERIFY(before.isNull() || qint64(before.toDouble()) != expected);
    apply(fw, msg);
    const QJsonValue v = at(fw.state(), path);
    QVERIFY2(v.isDouble(), qPrintable(path));
    QCOMPARE(qint64(v.toDouble()), expected);
    QCOMPARE(fw.state().value("messages").toInt(), 1);
}

void TestFirmware::refusedSettingChangesNothing_data()
{
    QTest::addColumn<QByteArray>("msg");
    QTest::newRow("fader output 10") << withAddress(1, 10, u16(IXMSG_ID_FADER, 10));
    QTest::newRow("fader master 3") << withAddress(2, 3, u16(IXMSG_ID_FADER, 10));
    QTest::newRow("fader input 0") << withAddress(4, 0, u16(IXMSG_ID_FADER, 10));
    QTest::newRow("fader input 255") << withAddress(4, 255, u16(IXMSG_ID_FADER, 10));
    QTest::newRow("fader as flag") << address(4, 1) + message({flag(IXMSG_ID_FADER)});
    QTest::newRow("pan on master") << withAddress(2, 1, u8(IXMSG_ID_PAN, 3));
    QTest::newRow("mute output 1") << withAddress(1, 1, u8(IXMSG_ID_MUTE, 1));
    QTest::newRow("send from master 2")
        << connection(2, 2, 5, 1, {u8(IXMSG_ID_SEND_LEVEL, 1), flag(IXMSG_ID_SEND)});
    QTest::newRow("send to bus 5") << connection(4, 1, 5, 5,
                                                 {u8(IXMSG_ID_SEND_LEVEL, 1), flag(IXMSG_ID_SEND)});
    QTest::newRow("send to output") << connection(4, 1, 1, 1,
                                                  {u8(IXMSG_ID_SEND_LEVEL, 1), flag(IXMSG_ID_SEND)});
    QTest::newRow("route to output 21") << connection(4, 1, 1, 21, {flag(IXMSG_ID_ASSIGN)});
    QTest::newRow("route to master") << connection(4, 1, 2, 1, {flag(IXMSG_ID_ASSIGN)});
    QTest::newRow("eq band 5") << address(4, 1) + message({u8(IXMSG_ID_EQ_BAND, 5), u8(IXMSG_ID_EQ_ON, 1)});
    QTest::newRow("eq without band") << address(4, 1) +
                                            message({u8(IXMSG_ID_EQ_GAIN, 5), u8(IXMSG_ID_EQ_ON, 1)});
    QTest::newRow("eq on master") << address(2, 1) +
                                         message({u8(IXMSG_ID_EQ_BAND, 1), u8(IXMSG_ID_EQ_ON, 1)});
    QTest::newRow("comp on master") << address(2, 1) + message({u8(IXMSG_ID_COMP_ON, 1)});
    QTest::newRow("optical mode for internal")
        << message({u8(IXMSG_ID_SRC, 1), u8(IXMSG_ID_SET_ADAT_X4MODE, 2)});
    QTest::newRow("optical mode without source") << message({u8(IXMSG_ID_SET_ADAT_X4MODE, 2)});
    QTest::newRow("values without completing item")
        << message({u8(IXMSG_ID_REVERB_TYPE, 2), u8(IXMSG_ID_EQ_BAND, 1), u8(IXMSG_ID_COMP_RATIO, 20)});
    QTest::newRow("context does not carry over")
        << address(4, 1) + QByteArray("\x00\x00", 2) + message({u8(IXMSG_ID_MUTE, 1)});
    QTest::newRow("invalid type stops the message")
        << QByteArray("\x61\x07\x04", 3) + withAddress(4, 1, u8(IXMSG_ID_MUTE, 1));
    QTest::newRow("truncated item") << address(4, 1) + QByteArray("\x83\x03\x01", 3);
    QTest::newRow("unknown ids") << message({u8(200, 1), u8(3, 4), flag(255)});
}

void TestFirmware::refusedSettingChangesNothing()
{
    QFETCH(QByteArray, msg);
    Firmware fw;
    QJsonObject before = fw.state();
    apply(fw, msg);
    QJsonObject after = fw.state();
    QCOMPARE(after.value("messages").toInt(), 1);
    before.remove("messages");
    after.remove("messages");
    QCOMPARE(after, before);
    QVERIFY(!fw.hasPendingAnswers());
}

void TestFirmware::requestIsAnswered_data()
{
    QTest::addColumn<QByteArray>("msg");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("expected"); // number or text

    QTest::newRow("version") << message({flag(IXMSG_ID_GET_INFO)}) << int(IXMSG_ID_VERSION) << "321";
    QTest::newRow("build") << message({flag(IXMSG_ID_GET_INFO)}) << int(IXMSG_ID_BUILD) << "77";
    QTest::newRow("product") << message({flag(IXMSG_ID_GET_INFO)}) << int(IXMSG_ID_PRODUCTNAME)
                             << "LYNTRA K1";
    QTest::newRow("build date") << message({flag(IXMSG_ID_GET_INFO)}) << int(IXMSG_ID_BUILDDATE)
                                << "Jan  2 2027";
    QTest::newRow("build time") << message({flag(IXMSG_ID_GET_INFO)}) << int(IXMSG_ID_BUILDTIME)
                                << "01:02:03";
    QTest::newRow("rate") << message({flag(IXMSG_ID_HZ)}) << int(IXMSG_ID_HZ) << "192000";
    QTest::newRow("clock source default")
        << message({flag(IXMSG_ID_CLOCKSOURCE)}) << int(IXMSG_ID_CLOCKSOURCE) << "1";
    QTest::newRow("clock source set")
        << message({u8(IXMSG_ID_SET_CLOCKSOURCE, 6), flag(IXMSG_ID_CLOCKSOURCE)}) << int(IXMSG_ID_CLOCKSOURCE)
        << "6";
    QTest::newRow("dsp mode") << message({flag(IXMSG_ID_DSPMODE)}) << int(IXMSG_ID_DSPMODE) << "3";
    QTest::newRow("gr of an idle input")
        << address(4, 9) + message({flag(IXMSG_ID_GET_GRMETER)}) << int(IXMSG_ID_GRMETER) << "32768";
}

void TestFirmware::requestIsAnswered()
{
    QFETCH(QByteArray, msg);
    QFETCH(int, id);
    QFETCH(QString, expected);
    Firmware fw(Model::K1);
    fw.setVersion(321);
    fw.setBuild(77);
    fw.setRate(192000);
    QVERIFY(fw.setBuildDate("Jan  2 2027"));
    QVERIFY(fw.setBuildTime("01:02:03"));
    fw.setDspMode(3);
    apply(fw, msg);
    QVERIFY(fw.hasPendingAnswers());
    const ReplyReader r = drain(fw);
    const QVector<Seen> seen = r.withId(uint8_t(id));
    QCOMPARE(seen.size(), 1);
    const QString got = seen[0].type == IXMSG_T_BYTES ? seen[0].text : QString::number(seen[0].value);
    QCOMPARE(got, expected);
    if (id == IXMSG_ID_VERSION || id == IXMSG_ID_BUILD)
        QCOMPARE(seen[0].type, uint8_t(IXMSG_T_U16));
    if (id == IXMSG_ID_GRMETER)
        QCOMPARE(seen[0].chNo, 9u);
}

void TestFirmware::metersSplitOverReplies()
{
    Firmware fw;
    fw.setTime(1.5);
    apply(fw, message({flag(IXMSG_ID_GET_METER)}));
    int replies = 0;
    const ReplyReader r = drain(fw, &replies);
    QVERIFY2(replies > 1, "22 meter groups cannot fit one reply");
    const QVector<Seen> levels = r.withId(IXMSG_ID_METER);
    QCOMPARE(levels.size(), 22);
    for (int i = 0; i < 22; ++i) {
        QCOMPARE(levels[i].chType, i < 20 ? 4u : 2u);
        QCOMPARE(levels[i].chNo, uint32_t(i < 20 ? i + 1 : i - 19));
        QCOMPARE(levels[i].value, (i < 20 ? fw.inputLevel(i + 1) : fw.masterLevel(i - 19)));
    }
    // Each reply that carries levels names the channel type itself, once per type change.
    QVector<int> typesPerReply(replies, 0);
    for (const Seen &s : r.withId(IXMSG_ID_CH_TYPE))
        ++typesPerReply[s.reply];
    for (int i = 0; i < replies; ++i) {
        bool hasLevel = false;
        for (const Seen &s : levels)
            hasLevel |= s.reply == i;
        if (hasLevel)
            QVERIFY(typesPerReply[i] >= 1 && typesPerReply[i] <= 2);
    }
}

void TestFirmware::answersSurviveAcrossRequests()
{
    Firmware fw;
    apply(fw, message({flag(IXMSG_ID_GET_METER), flag(IXMSG_ID_HZ)}));
    apply(fw, message({flag(IXMSG_ID_GET_INFO)}));
    const ReplyReader r = drain(fw);
    QCOMPARE(r.withId(IXMSG_ID_METER).size(), 22);
    QCOMPARE(r.withId(IXMSG_ID_HZ).size(), 1);
    QCOMPARE(r.withId(IXMSG_ID_PRODUCTNAME).size(), 1);
    QVERIFY(r.withId(IXMSG_ID_HZ)[0].reply <= r.withId(IXMSG_ID_PRODUCTNAME)[0].reply);
    // An idle unit still says it is ready.
    ReplyReader idle;
    idle.read(reply(fw));
    QCOMPARE(idle.items.size(), 1);
    QCOMPARE(idle.items[0].id, uint8_t(IXMSG_ID_READY));
}

void TestFirmware::clockLockGroups()
{
    Firmware fw;
    fw.setRate(96000);
    QVERIFY(fw.setClockLock(5, 2));
    QVERIFY(fw.setClockHz(5, 44100));
    QVERIFY(!fw.setClockLock(3, 2));
    apply(fw, message({flag(IXMSG_ID_CLOCKLOCK)}));
    const ReplyReader r = drain(fw);
    const QVector<Seen> locks = r.withId(IXMSG_ID_CLOCKLOCK);
    const QVector<Seen> rates = r.withId(IXMSG_ID_CLOCKHZ);
    QCOMPARE(locks.size(), 4);
    QCOMPARE(rates.size(), 4);
    const uint32_t sources[4] = {1, 2, 5, 6};
    const uint32_t lock[4] = {3, 1, 2, 1};
    const uint32_t hz[4] = {96000, 0, 44100, 0};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(locks[i].source, sources[i]);
        QCOMPARE(locks[i].value, lock[i]);
        QCOMPARE(rates[i].source, sources[i]);
        QCOMPARE(rates[i].value, hz[i]);
    }
}

void TestFirmware::meterFollowsMix_data()
{
    QTest::addColumn<int>("model"); // 1 or 2
    QTest::addColumn<QByteArray>("mix");
    QTest::addColumn<int>("input");        // 1-20 input, 21-22 master
    QTest::addColumn<QString>("relation"); // "zero", "lower", "higher", "same" compared to no mix
    QTest::newRow("muted input reads 0") << 2 << withAddress(4, 3, u8(IXMSG_ID_MUTE, 1)) << 3 << "zero";
    QTest::newRow("-inf fader reads 0") << 2 << withAddress(4, 4, u16(IXMSG_ID_FADER, 0xFB0A)) << 4 << "zero";
    QTest::newRow("louder fader reads higher")
        << 2 << withAddress(4, 5, u16(IXMSG_ID_FADER, 60)) << 5 << "higher";
    QTest::newRow("lower fader reads lower")
        << 2 << withAddress(4, 5, u16(IXMSG_ID_FADER, 0xFF38)) << 5 << "lower";
    QTest::newRow("unmute restores") << 2
                                     << withAddress(4, 6, u8(IXMSG_ID_MUTE, 1)) +
                                            withAddress(4, 6, u8(IXMSG_ID_MUTE, 0))
                                     << 6 << "same";
    QTest::newRow("K1 has no input 3") << 1 << QByteArray() << 3 << "zero";
    QTest::newRow("K1 has no input 13") << 1 << QByteArray() << 13 << "zero";
    QTest::newRow("master mute") << 2 << withAddress(2, 1, u8(IXMSG_ID_MUTE, 1)) << 21 << "zero";
    QTest::newRow("master fader up") << 2 << withAddress(2, 2, u16(IXMSG_ID_FADER, 30)) << 22 << "higher";
    QTest::newRow("master follows input fader")
        << 2 << withAddress(4, 1, u16(IXMSG_ID_FADER, 60)) << 21 << "higher";
    QTest::newRow("master follows input mute")
        << 2 << withAddress(4, 1, u8(IXMSG_ID_MUTE, 1)) << 22 << "lower";
    QTest::newRow("pan hard left lowers right")
        << 2 << withAddress(4, 1, u8(IXMSG_ID_PAN, 0)) << 22 << "lower";
    QTest::newRow("pan hard left raises left")
        << 2 << withAddress(4, 1, u8(IXMSG_ID_PAN, 0)) << 21 << "higher";
    QTest::newRow("other input untouched") << 2 << withAddress(4, 7, u8(IXMSG_ID_MUTE, 1)) << 8 << "same";
}

void TestFirmware::meterFollowsMix()
{
    QFETCH(int, model);
    QFETCH(QByteArray, mix);
    QFETCH(int, input);
    QFETCH(QString, relation);
    const Model m = model == 1 ? Model::K1 : Model::K2;
    for (double t : {0.0, 2.7, 11.3}) {
        Firmware plain(m), mixed(m);
        plain.setTime(t);
        mixed.setTime(t);
        apply(mixed, mix);
        apply(plain, message({flag(IXMSG_ID_GET_METER)}));
        apply(mixed, message({flag(IXMSG_ID_GET_METER)}));
        const uint32_t type = input <= 20 ? 4 : 2;
        const uint32_t no = input <= 20 ? uint32_t(input) : uint32_t(input - 20);
        const uint32_t base = meterOf(drain(plain), type, no);
        const uint32_t got = meterOf(drain(mixed), type, no);
        QVERIFY(base <= kFullScale && got <= kFullScale);
        if (relation == "zero")
            QCOMPARE(got, 0u);
        else if (relation == "higher")
            QVERIFY2(got > base, qPrintable(QString("%1 vs %2").arg(got).arg(base)));
        else if (relation == "lower")
            QVERIFY2(got < base, qPrintable(QString("%1 vs %2").arg(got).arg(base)));
        else
            QCOMPARE(got, base);
        if (relation != "zero" && model == 2)
            QVERIFY(base > 0);
    }
}

void TestFirmware::gainReductionFollowsCompressor_data()
{
    QTest::addColumn<int>("threshold"); // dB
    QTest::addColumn<int>("ratio");
    QTest::addColumn<int>("on");
    QTest::addColumn<bool>("reduces");
    QTest::newRow("on, low threshold") << -32 << 40 << 1 << true;
    QTest::newRow("on, infinite ratio") << -32 << 255 << 1 << true;
    QTest::newRow("off") << -32 << 40 << 0 << false;
    QTest::newRow("ratio 1:1") << -32 << 10 << 1 << false;
    QTest::newRow("threshold above signal") << 0 << 160 << 1 << false;
}

void TestFirmware::gainReductionFollowsCompressor()
{
    QFETCH(int, threshold);
    QFETCH(int, ratio);
    QFETCH(int, on);
    QFETCH(bool, reduces);
    Firmware fw;
    fw.setTime(3.0);
    const uint32_t levelBefore = fw.inputLevel(2);
    apply(fw, address(4, 2) +
                  message({u8(IXMSG_ID_COMP_THRESHOLD, uint8_t(int8_t(threshold))),
                           u8(IXMSG_ID_COMP_RATIO, uint32_t(ratio)), u8(IXMSG_ID_COMP_ON, uint32_t(on))}));
    apply(fw, address(4, 2) + message({flag(IXMSG_ID_GET_GRMETER)}));
    const QVector<Seen> gr = drain(fw).withId(IXMSG_ID_GRMETER);
    QCOMPARE(gr.size(), 1);
    QCOMPARE(gr[0].chType, 4u);
    QCOMPARE(gr[0].chNo, 2u);
    if (reduces) {
        QVERIFY(gr[0].value < kFullScale);
        QVERIFY(fw.inputLevel(2) < levelBefore);
    } else {
        QCOMPARE(gr[0].value, kFullScale);
        QCOMPARE(fw.inputLevel(2), levelBefore);
    }
}

void TestFirmware::stateNamesEveryParameter()
{
    const QJsonObject s = Firmware(Model::K1).state();
    const QStringList keys = {"product",      "version",     "build",    "rate",       "clock_source",
                              "optical_mode", "store_count", "messages", "fader",      "pan",
                              "mute",         "solo",        "phase",    "truebypass", "send",
                              "eq",           "comp",        "reverb",   "return",     "route"};
    QCOMPARE(s.keys().size(), keys.size());
    for (const QString &k : keys)
        QVERIFY2(s.contains(k), qPrintable(k));
    QCOMPARE(s.value("product").toString(), QString("LYNTRA K1"));
    QCOMPARE(at(s, "fader.input").toArray().size(), 20);
    QCOMPARE(at(s, "fader.master").toArray().size(), 2);
    QCOMPARE(at(s, "fader.output").toArray().size(), 9);
    QCOMPARE(at(s, "send.input").toArray().size(), 20);
    QCOMPARE(at(s, "send.input.19").toArray().size(), 4);
    QCOMPARE(at(s, "send.master").toArray().size(), 4);
    QCOMPARE(at(s, "eq.19").toArray().size(), 4);
    QCOMPARE(at(s, "comp").toArray().size(), 20);
    QCOMPARE(at(s, "route").toArray().size(), 20);
    QVERIFY(at(s, "optical_mode.5").isNull());
}

QTEST_GUILESS_MAIN(TestFirmware)
#include "tst_firmware.moc"
