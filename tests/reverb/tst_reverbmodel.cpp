// The reverb model against the in-process unit: per-type memory, what the switch sends and in which
// order, the ranges, the stored mode rule, initialise, and the return through the master's send 0.
#include "scales.h"
#include "settingkeys.h"
#include "unitrig.h"

#include <QtTest>

using namespace mixer;

namespace {

const QString kGroup = QStringLiteral("Reverb");

struct Unit {
    int type, predelay, time, diff, on, level;
};

Unit held(UnitRig &rig)
{
    const auto &m = rig.unit();
    return {UnitRig::v(m.reverbType), UnitRig::v(m.reverbPredelay), UnitRig::v(m.reverbTime),
            UnitRig::v(m.reverbDiff),  UnitRig::v(m.returnOn),       UnitRig::v(m.returnLevel)};
}

// "reverb" and "return" for each command in the messages the device object hands to the worker.
struct Outgoing {
    QStringList commands;
    QMetaObject::Connection watch;
    explicit Outgoing(UnitRig &rig)
    {
        watch = QObject::connect(&rig.dev, &QIXDevice::sig_ix_send, &rig.dev, [this](QByteArray b) {
            ixmsg_buf buf;
            ixmsg_init(&buf, reinterpret_cast<uint8_t *>(b.data()), uint8_t(b.size()));
            uint8_t id = 0;
            while (ixmsg_get(&buf, &id, nullptr, nullptr, nullptr, nullptr) == 0) {
                if (id == IXMSG_ID_REVERB)
                    commands << QStringLiteral("reverb");
                else if (id == IXMSG_ID_RETURN_ON)
                    commands << QStringLiteral("return");
            }
        });
    }
    ~Outgoing() { QObject::disconnect(watch); }
};

} // namespace

class TstReverbModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<ReverbParams>(); }
    void typesKeepTheirOwnValues_data();
    void typesKeepTheirOwnValues();
    void offStoresButSendsNothing();
    void switchSends_data();
    void switchSends();
    void ranges_data();
    void ranges();
    void storedMode_data();
    void storedMode();
    void initialize_data();
    void initialize();
    void returnKnob();
    void curveState();
};

void TstReverbModel::typesKeepTheirOwnValues_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("reverb on") << true;
    QTest::newRow("reverb off") << false;
}

void TstReverbModel::typesKeepTheirOwnValues()
{
    QFETCH(bool, on);
    UnitRig rig;
    ReverbModel &rv = rig.model->reverb();
    rv.setOn(on);
    rv.setPreDelay(120);
    rv.setTime(55);
    rv.setDiffusion(33);
    rv.selectType(2);
    QCOMPARE(rv.current(), reverb::factory(2));
    rv.setPreDelay(7);
    rv.setTime(8);
    rv.setDiffusion(9);
    QSignalSpy shown(&rv, &ReverbModel::paramsChanged);
    rv.selectType(1);
    const ReverbParams hall{120, 55, 33};
    QCOMPARE(rv.current(), hall);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).at(0).value<ReverbParams>(), hall);
    QCOMPARE(rv.params(2), (ReverbParams{7, 8, 9}));
    QCOMPARE(rig.settings.reverbMode(), 1);
    QCOMPARE(rig.settings.rvbTimeValue(1), QStringLiteral("5.5"));
    QCOMPARE(rig.settings.rvbTimeValue(2), QStringLiteral("0.8"));
    const Unit u = held(rig);
    if (on) {
        QCOMPARE(u.type, 1);
        QCOMPARE(u.predelay, 120);
        QCOMPARE(u.time, 55);
        QCOMPARE(u.diff, 33);
    } else {
        QCOMPARE(u.type, -1000);
    }
}

void TstReverbModel::offStoresButSendsNothing()
{
    UnitRig rig;
    ReverbModel &rv = rig.model->reverb();
    rig.model->setSendLevel(kMasterTrack, 0, 90);
    rv.setOn(false);
    QCOMPARE(held(rig).on, 0);
    Outgoing out(rig);
    rv.selectType(4);
    rv.setTime(0);
    rv.setDiffusion(100);
    rv.setPreDelay(250);
    rig.flush();
    QCOMPARE(out.commands, QStringList());
    QCOMPARE(rig.settings.reverbMode(), 4);
    QCOMPARE(rig.settings.rvbTimePos(4), 1);
    QCOMPARE(rig.settings.rvbDiffPos(4), 100);
    QCOMPARE(rig.settings.rvbPreDelayPos(4), 250);

    // The unit is ready: whatever goes first leaves in a message of its own.
    rv.setOn(true);
    rig.flush();
    QCOMPARE(out.commands, (QStringList{"reverb", "return"}));
    const Unit u = held(rig);
    QCOMPARE(u.type, 4);
    QCOMPARE(u.predelay, 250);
    QCOMPARE(u.time, 1);
    QCOMPARE(u.diff, 100);
    QCOMPARE(u.on, 1);
    QCOMPARE(u.level, -4);

    out.commands.clear();
    rv.setOn(false);
    rig.flush();
    QCOMPARE(out.commands, QStringList{"return"});
    QCOMPARE(held(rig).on, 0);
    QCOMPARE(held(rig).level, -4);
}

void TstReverbModel::switchSends_data()
{
    QTest::addColumn<int>("storedReturn"); // return knob position in the file, -1 for none
    QTest::addColumn<int>("storedOn");     // MasterReverb in the file: -1 absent, 0 false, 1 true
    QTest::addColumn<bool>("load");        // the master strip is loaded before the click
    QTest::addColumn<QStringList>("loaded"); // what the load sends
    QTest::addColumn<bool>("click");
    QTest::addColumn<int>("level"); // return level the unit holds afterwards

    const QStringList both{"reverb", "return"};
    const QStringList returnOnly{"return"};
    QTest::newRow("off, nothing stored") << -1 << -1 << false << QStringList() << false << -127;
    QTest::newRow("on takes the stored return") << 90 << 0 << false << QStringList() << true << -4;
    QTest::newRow("absent key loads on") << 101 << -1 << true << both << false << 0;
    QTest::newRow("stored off loads off, then on") << 127 << 0 << true << returnOnly << true << 6;
    QTest::newRow("stored on loads on, then off") << 28 << 1 << true << both << false << -42;
}

void TstReverbModel::switchSends()
{
    QFETCH(int, storedReturn);
    QFETCH(int, storedOn);
    QFETCH(bool, load);
    QFETCH(QStringList, loaded);
    QFETCH(bool, click);
    QFETCH(int, level);

    UnitRig rig;
    ReverbModel &rv = rig.model->reverb();
    if (storedReturn >= 0)
        rig.settings.setReturn(storedReturn, send::label(storedReturn));
    if (storedOn >= 0)
        rig.settings.setMasterReverb(storedOn == 1);
    Outgoing out(rig);
    QSignalSpy shown(&rv, &ReverbModel::onChanged);
    if (load) {
        rig.model->loadMaster();
        rig.flush();
        QCOMPARE(out.commands, loaded);
        QCOMPARE(shown.takeLast().at(0).toBool(), storedOn != 0);
        QCOMPARE(held(rig).on, int(storedOn != 0));
    }
    rv.setOn(click);
    QCOMPARE(rv.on(), click);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).at(0).toBool(), click);
    // Read with both defaults, so that only a stored value passes.
    QCOMPARE(rig.settings.readBool(kGroup, QStringLiteral("MasterReverb")), click);
    QCOMPARE(rig.settings.readBoolTrue(kGroup, QStringLiteral("MasterReverb")), click);
    QCOMPARE(held(rig).on, int(click));
    QCOMPARE(held(rig).level, level);
}

void TstReverbModel::ranges_data()
{
    QTest::addColumn<int>("knob"); // 0 pre-delay, 1 time, 2 diffusion
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("timeLabel"); // stored with the time only

    QTest::newRow("time 0 is 0.1 s") << 1 << 0 << 1 << "0.1";
    QTest::newRow("time -40 is 0.1 s") << 1 << -40 << 1 << "0.1";
    QTest::newRow("time 1") << 1 << 1 << 1 << "0.1";
    QTest::newRow("time 9") << 1 << 9 << 9 << "0.9";
    QTest::newRow("time 10") << 1 << 10 << 10 << "1.0";
    QTest::newRow("time 100") << 1 << 100 << 100 << "10.0";
    QTest::newRow("time 101 is 10 s") << 1 << 101 << 100 << "10.0";
    QTest::newRow("pre-delay -1") << 0 << -1 << 0 << QString();
    QTest::newRow("pre-delay 250") << 0 << 250 << 250 << QString();
    QTest::newRow("pre-delay 251") << 0 << 251 << 250 << QString();
    QTest::newRow("diffusion -3") << 2 << -3 << 0 << QString();
    QTest::newRow("diffusion 101") << 2 << 101 << 100 << QString();
}

void TstReverbModel::ranges()
{
    QFETCH(int, knob);
    QFETCH(int, position);
    QFETCH(int, kept);
    QFETCH(QString, timeLabel);

    UnitRig rig;
    ReverbModel &rv = rig.model->reverb();
    rv.selectType(3);
    void (ReverbModel::*set[])(int) = {&ReverbModel::setPreDelay, &ReverbModel::setTime,
                                       &ReverbModel::setDiffusion};
    (rv.*set[knob])(position);
    const ReverbParams p = rv.current();
    const int stored[] = {rig.settings.rvbPreDelayPos(3), rig.settings.rvbTimePos(3), rig.settings.rvbDiffPos(3)};
    const int shown[] = {p.preDelay, p.time, p.diff};
    const Unit u = held(rig);
    const int sent[] = {u.predelay, u.time, u.diff};
    QCOMPARE(shown[knob], kept);
    QCOMPARE(stored[knob], kept);
    QCOMPARE(sent[knob], kept);
    if (knob == 1)
        QCOMPARE(rig.settings.rvbTimeValue(3), timeLabel);
}

void TstReverbModel::storedMode_data()
{
    QTest::addColumn<QString>("mode"); // as written in the file, empty for none
    QTest::addColumn<int>("type");

    QTest::newRow("none is HALL") << QString() << 1;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("2") << "2" << 2;
    QTest::newRow("4") << "4" << 4;
    QTest::newRow("5") << "5" << 5;
    QTest::newRow("0 is PLATE") << "0" << 5;
    QTest::newRow("6 is PLATE") << "6" << 5;
    QTest::newRow("-2 is PLATE") << "-2" << 5;
    QTest::newRow("365 means none") << "365" << 1;
}

void TstReverbModel::storedMode()
{
    QFETCH(QString, mode);
    QFETCH(int, type);

    UnitRig rig;
    if (!mode.isEmpty())
        rig.settings.writeValue(kGroup, QStringLiteral("Mode"), mode);
    rig.settings.setRvbPreDelay(type, 77);
    QSignalSpy selected(&rig.model->reverb(), &ReverbModel::typeChanged);
    rig.model->loadMaster();
    QCOMPARE(selected.takeLast().at(0).toInt(), type);
    QCOMPARE(held(rig).type, type);
    QCOMPARE(held(rig).predelay, 77);
    // Loading writes nothing back.
    QCOMPARE(rig.settings.readInt(kGroup, QStringLiteral("Mode")), mode.isEmpty() ? 365 : mode.toInt());
}

void TstReverbModel::initialize_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("reverb on") << true;
    QTest::newRow("reverb off") << false;
}

void TstReverbModel::initialize()
{
    QFETCH(bool, on);
    UnitRig rig;
    ReverbModel &rv = rig.model->reverb();
    for (int code = 1; code <= reverb::kTypes; ++code) {
        rv.selectType(code);
        rv.setPreDelay(200 + code);
        rv.setTime(60 + code);
        rv.setDiffusion(code);
    }
    rv.setOn(on);
    rig.flush();
    Outgoing out(rig);
    rv.initialize();
    const struct {
        int preDelay, time;
        const char *label;
        int diff;
    } factory[] = {{90, 27, "2.7", 20}, {25, 14, "1.4", 60}, {6, 26, "2.6", 50}, {60, 4, "0.4", 70}, {42, 27, "2.7", 50}};
    for (int code = 1; code <= reverb::kTypes; ++code) {
        const auto &f = factory[code - 1];
        QCOMPARE(rig.settings.rvbPreDelayPos(code), f.preDelay);
        QCOMPARE(rig.settings.rvbTimePos(code), f.time);
        QCOMPARE(rig.settings.rvbTimeValue(code), QString::fromLatin1(f.label));
        QCOMPARE(rig.settings.rvbDiffPos(code), f.diff);
        // Written, not left to the defaults.
        QCOMPARE(rig.settings.readInt(kGroup, "RvbDiffPos_" + settings::reverbSuffix(code)), f.diff);
    }
    QCOMPARE(rv.type(), 1);
    QCOMPARE(rig.settings.readInt(kGroup, QStringLiteral("Mode")), 1);
    rig.flush();
    const Unit u = held(rig);
    if (on) {
        // Only the final HALL reaches the unit.
        QCOMPARE(out.commands, (QStringList{"reverb", "return"}));
        QCOMPARE(u.type, 1);
        QCOMPARE(u.predelay, 90);
        QCOMPARE(u.time, 27);
        QCOMPARE(u.diff, 20);
    } else {
        QCOMPARE(out.commands, QStringList());
    }
}

void TstReverbModel::returnKnob()
{
    UnitRig rig;
    QSignalSpy shown(rig.model.get(), &MixerModel::sendChanged);
    QVERIFY(rig.model->setSendLevel(kMasterTrack, 0, 300));
    QCOMPARE(rig.model->sendPosition(kMasterTrack, 0), 127);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).at(1).toInt(), 0);
    QCOMPARE(shown.at(0).at(3).toString(), QStringLiteral("  6dB"));
    QCOMPARE(rig.settings.returnLevel(), 127);
    QCOMPARE(rig.settings.returnValue(), QStringLiteral("  6dB"));
    QCOMPARE(held(rig).on, 1);
    QCOMPARE(held(rig).level, 6);
    rig.model->reverb().setOn(false);
    QVERIFY(rig.model->setSendLevel(kMasterTrack, 0, 0));
    QCOMPARE(held(rig).on, 0);
    QCOMPARE(held(rig).level, -127);
    QCOMPARE(rig.settings.returnValue(), QStringLiteral("-inf."));
}

void TstReverbModel::curveState()
{
    UnitRig rig;
    ReverbModel &rv = rig.model->reverb();
    rv.selectType(5);
    rv.setPreDelay(249);
    rv.setTime(100);
    ReverbCurveState c = rv.curve();
    QCOMPARE(int(c.preDelayPx), 24);
    QCOMPARE(int(c.timePx), 200);
    QCOMPARE(c.type, 5);
    QVERIFY(c.reverbOn);
    QSignalSpy repaint(&rv, &ReverbModel::curveChanged);
    rv.setOn(false);
    rv.setPreDelay(9);
    rv.setTime(1);
    QCOMPARE(repaint.size(), 3);
    c = rv.curve();
    QVERIFY(!c.reverbOn);
    QCOMPARE(int(c.preDelayPx), 0);
    QCOMPARE(int(c.timePx), 2);
}

QTEST_GUILESS_MAIN(TstReverbModel)
#include "tst_reverbmodel.moc"
