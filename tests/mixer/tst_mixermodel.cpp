#include "scales.h"
#include "unitrig.h"

#include <QtTest>

using namespace mixer;

class TstMixerModel : public QObject {
    Q_OBJECT

private slots:
    void solo_data();
    void solo();
    void muteMirror_data();
    void muteMirror();
    void masterMute();
    void bypassOfSelected();
    void pairBypassSendsBothChannels();
    void selectMovesBetweenStrips();
    void sendLevels_data();
    void sendLevels();
    void masterSendsAndReturn();
    void reverbSwitch_data();
    void reverbSwitch();
    void sendPoints_data();
    void sendPoints();
    void pan_data();
    void pan();
    void fader_data();
    void fader();
    void phase_data();
    void phase();
    void dynamicsOn();
    void channelNameIsCut();
    void visibleChannels_data();
    void visibleChannels();
    void unknownRateChangesNothing();
    void unknownNamesAreRefused_data();
    void unknownNamesAreRefused();
};

// ------------------------------------------------------------------ solo

void TstMixerModel::solo_data()
{
    QTest::addColumn<QList<int>>("premuted");
    QTest::addColumn<QStringList>("actions"); // "+Track3" solo on, "-Track3" solo off
    QTest::addColumn<QList<int>>("muted");    // expected muted tracks afterwards
    QTest::addColumn<QList<int>>("saved");    // expected tracks with muteBeforeSolo set

    QList<int> allBut3, allBut34, allBut4, allBut12;
    for (int n = 1; n <= kTracks; ++n) {
        if (n != 3)
            allBut3 << n;
        if (n != 3 && n != 4)
            allBut34 << n;
        if (n != 4)
            allBut4 << n;
        if (n > 2)
            allBut12 << n;
    }
    QTest::newRow("first solo mutes the rest")
        << QList<int>{1, 5} << QStringList{"+Track3"} << allBut3 << QList<int>{1, 5};
    QTest::newRow("last solo restores memory")
        << QList<int>{1, 5} << QStringList{"+Track3", "-Track3"} << QList<int>{1, 5} << QList<int>{1, 5};
    QTest::newRow("second solo unmutes itself")
        << QList<int>{} << QStringList{"+Track3", "+Track4"} << allBut34 << QList<int>{};
    QTest::newRow("release one of two")
        << QList<int>{} << QStringList{"+Track3", "+Track4", "-Track3"} << allBut4 << QList<int>{};
    QTest::newRow("released first forgets its memory")
        << QList<int>{3} << QStringList{"+Track3", "+Track4", "-Track3", "-Track4"} << QList<int>{}
        << QList<int>{};
    QTest::newRow("soloed track muted before stays muted after")
        << QList<int>{3} << QStringList{"+Track3", "-Track3"} << QList<int>{3} << QList<int>{3};
    QTest::newRow("stereo solo") << QList<int>{} << QStringList{"+Track1_2"} << allBut12 << QList<int>{};
    QTest::newRow("stereo solo released")
        << QList<int>{7} << QStringList{"+Track1_2", "-Track1_2"} << QList<int>{7} << QList<int>{7};
}

void TstMixerModel::solo()
{
    QFETCH(QList<int>, premuted);
    QFETCH(QStringList, actions);
    QFETCH(QList<int>, muted);
    QFETCH(QList<int>, saved);

    UnitRig rig;
    for (int n : premuted)
        rig.model->setMute(trackName(n), true);
    for (const QString &a : actions)
        QVERIFY(rig.model->setSolo(a.mid(1), a.startsWith('+')));

    const auto &unit = rig.unit();
    for (int n = 1; n <= kTracks; ++n) {
        const bool want = muted.contains(n);
        QVERIFY2(rig.model->mute(trackName(n)) == want, qPrintable(trackName(n)));
        QCOMPARE(UnitRig::v(unit.inputMute[n - 1]), want ? 1 : 0);
        QCOMPARE(rig.settings.mute(trackName(n)), want);
        QCOMPARE(rig.model->muteBeforeSolo(n), saved.contains(n));
        // Solo lives in the panel only.
        QCOMPARE(UnitRig::v(unit.solo[n - 1]), -1000);
    }
}

// ------------------------------------------------------------------ mute

void TstMixerModel::muteMirror_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("muted");
    QTest::addColumn<bool>("stereoButton");

    QTest::newRow("odd mirrors into stereo") << "Track5" << QList<int>{5} << true;
    QTest::newRow("even leaves stereo alone") << "Track6" << QList<int>{6} << false;
    QTest::newRow("stereo mutes both") << "Track5_6" << QList<int>{5, 6} << true;
}

void TstMixerModel::muteMirror()
{
    QFETCH(QString, name);
    QFETCH(QList<int>, muted);
    QFETCH(bool, stereoButton);

    UnitRig rig;
    QVERIFY(rig.model->setMute(name, true));
    QCOMPARE(rig.model->mute("Track5_6"), stereoButton);
    const auto &unit = rig.unit();
    for (int n = 1; n <= kTracks; ++n)
        QCOMPARE(UnitRig::v(unit.inputMute[n - 1]), muted.contains(n) ? 1 : -1000);
}

void TstMixerModel::masterMute()
{
    UnitRig rig;
    QSignalSpy spy(rig.model.get(), &MixerModel::muteChanged);
    QVERIFY(rig.model->setMute(kMasterTrack, true));
    const auto &unit = rig.unit();
    QCOMPARE(UnitRig::v(unit.masterMute[0]), 1);
    QCOMPARE(UnitRig::v(unit.masterMute[1]), 1);
    for (int n = 0; n < kTracks; ++n)
        QCOMPARE(UnitRig::v(unit.inputMute[n]), -1000);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), kMasterTrack);
    QVERIFY(rig.settings.mute(kMasterTrack));
}

// ------------------------------------------------------------------ bypass and select

void TstMixerModel::bypassOfSelected()
{
    UnitRig rig;
    QSignalSpy editor(rig.model.get(), &MixerModel::editorBypassChanged);
    QVERIFY(rig.model->setSelect("Track3", true));
    QCOMPARE(rig.model->selectedTrack(), QString("Track3"));

    QVERIFY(rig.model->setTrueBypass("Track3", true));
    QCOMPARE(rig.model->selectedTrack(), kNoTrack);
    QVERIFY(!rig.model->selected("Track3"));
    QCOMPARE(editor.count(), 1);
    QCOMPARE(editor.at(0).at(0).toBool(), true);
    QCOMPARE(UnitRig::v(rig.unit().truebypass[2]), 1);
    QVERIFY(rig.settings.trueBypass(3));
    QVERIFY(!rig.model->setSelect("Track3", true)); // its select button is disabled

    QVERIFY(rig.model->setTrueBypass("Track3", false));
    QCOMPARE(editor.last().at(0).toBool(), false);
    QCOMPARE(rig.model->selectedTrack(), kNoTrack);
    QCOMPARE(UnitRig::v(rig.unit().truebypass[2]), 0);
}

void TstMixerModel::pairBypassSendsBothChannels()
{
    UnitRig rig;
    QVERIFY(rig.model->setTrueBypass("Track13_14", true));
    const auto &unit = rig.unit();
    QCOMPARE(UnitRig::v(unit.truebypass[12]), 1);
    QCOMPARE(UnitRig::v(unit.truebypass[13]), 1);
    QCOMPARE(UnitRig::v(unit.truebypass[14]), -1000);
    QVERIFY(rig.settings.trueBypass(13));
    QVERIFY(rig.settings.trueBypass(14));
}

void TstMixerModel::selectMovesBetweenStrips()
{
    UnitRig rig;
    QSignalSpy sel(rig.model.get(), &MixerModel::selectChanged);
    rig.model->setSelect("Track1", true);
    rig.model->setSelect("Track7_8", true);
    QVERIFY(!rig.model->selected("Track1"));
    QVERIFY(rig.model->selected("Track7_8"));
    QCOMPARE(rig.model->selectedTrack(), QString("Track7_8"));
    QVERIFY(rig.settings.select("Track7_8"));
    // Track1 deselected on the way: one "false" for it among the emissions.
    bool sawOff = false;
    for (const auto &args : sel)
        sawOff = sawOff || (args.at(0).toString() == "Track1" && !args.at(1).toBool());
    QVERIFY(sawOff);
    rig.model->setSelect("Track7_8", false);
    QCOMPARE(rig.model->selectedTrack(), kNoTrack);
}

// ------------------------------------------------------------------ sends

void TstMixerModel::sendLevels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("send");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("channels"); // input channels that receive the level
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("stereoKnob"); // stereo knob of pair 3 afterwards

    QTest::newRow("odd moves stereo knob") << "Track5" << 2 << 28 << QList<int>{5} << -42 << 28;
    QTest::newRow("29 same level") << "Track5" << 2 << 29 << QList<int>{5} << -42 << 29;
    QTest::newRow("even leaves stereo knob") << "Track6" << 2 << 127 << QList<int>{6} << 6 << 0;
    QTest::newRow("stereo drives both") << "Track5_6" << 2 << 101 << QList<int>{5, 6} << 0 << 101;
    QTest::newRow("zero is off") << "Track5" << 2 << 0 << QList<int>{5} << -127 << 0;
}

void TstMixerModel::sendLevels()
{
    QFETCH(QString, name);
    QFETCH(int, send);
    QFETCH(int, position);
    QFETCH(QList<int>, channels);
    QFETCH(int, level);
    QFETCH(int, stereoKnob);

    UnitRig rig;
    if (position == 0) // make "off" observable as a change
        rig.model->setSendLevel(name, send, 50);
    QVERIFY(rig.model->setSendLevel(name, send, position));
    QCOMPARE(rig.model->sendPosition("Track5_6", send), stereoKnob);
    const auto &unit = rig.unit();
    for (int n = 1; n <= kTracks; ++n) {
        const auto &slot = unit.inputSend[n - 1][send - 1];
        QCOMPARE(UnitRig::v(slot.level), channels.contains(n) ? level : -1000);
        if (channels.contains(n)) {
            QCOMPARE(UnitRig::v(slot.point), 1);
            QCOMPARE(rig.settings.sendLevel(trackName(n), send), position);
            QCOMPARE(rig.settings.sendValue(trackName(n), send), send::label(position));
        }
    }
    // Nothing is kept under the pair name.
    QCOMPARE(rig.settings.sendLevel("Track5_6", send), 0);
}

void TstMixerModel::masterSendsAndReturn()
{
    UnitRig rig;
    rig.model->setPre("Track1", 2, true);
    QVERIFY(rig.model->setSendLevel(kMasterTrack, 2, 127));
    QVERIFY(rig.model->setSendLevel(kMasterTrack, 0, 101));
    QVERIFY(!rig.model->setSendLevel(kMasterTrack, 5, 101));
    const auto &unit = rig.unit();
    QCOMPARE(UnitRig::v(unit.masterSend[1].point), 1);
    QCOMPARE(UnitRig::v(unit.masterSend[1].level), 6);
    QCOMPARE(UnitRig::v(unit.returnOn), 1);
    QCOMPARE(UnitRig::v(unit.returnLevel), 0);
    QCOMPARE(rig.settings.sendLevel(kMasterTrack, 2), 127);
    QCOMPARE(rig.settings.returnLevel(), 101);
    QCOMPARE(rig.settings.returnValue(), QString("  0dB"));
}

void TstMixerModel::sendPoints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("pre");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("odd");
    QTest::addColumn<int>("even");
    QTest::addColumn<int>("stereo");

    QTest::newRow("odd pre") << "Track9" << true << true << 2 << 1 << 2;
    QTest::newRow("odd post") << "Track9" << false << true << 3 << 1 << 3;
    QTest::newRow("even pre") << "Track10" << true << true << 1 << 2 << 1;
    QTest::newRow("stereo post") << "Track9_10" << false << true << 3 << 3 << 3;
    QTest::newRow("odd pre released") << "Track9" << true << false << 1 << 1 << 1;
}

void TstMixerModel::sendPoints()
{
    QFETCH(QString, name);
    QFETCH(bool, pre);
    QFETCH(bool, on);
    QFETCH(int, odd);
    QFETCH(int, even);
    QFETCH(int, stereo);

    UnitRig rig;
    rig.model->setSendLevel("Track9", 3, 120);
    rig.model->setSendLevel("Track10", 3, 64);
    if (!on)
        pre ? rig.model->setPre(name, 3, true) : rig.model->setPost(name, 3, true);
    QVERIFY(pre ? rig.model->setPre(name, 3, on) : rig.model->setPost(name, 3, on));
    QCOMPARE(rig.model->sendPoint("Track9", 3), odd);
    QCOMPARE(rig.model->sendPoint("Track10", 3), even);
    QCOMPARE(rig.model->sendPoint("Track9_10", 3), stereo);
    QCOMPARE(rig.settings.sendPoint("Track9", 3), odd);
    QCOMPARE(rig.settings.sendPoint("Track10", 3), even);
    const auto &unit = rig.unit();
    QCOMPARE(UnitRig::v(unit.inputSend[8][2].point), odd);
    QCOMPARE(UnitRig::v(unit.inputSend[9][2].point), even);
    // The new point goes out with the track's own level.
    QCOMPARE(UnitRig::v(unit.inputSend[8][2].level), 4);
    QCOMPARE(UnitRig::v(unit.inputSend[9][2].level), -18);
}

void TstMixerModel::reverbSwitch_data()
{
    QTest::addColumn<int>("storedReturn"); // return knob position in the file, -1 for none
    QTest::addColumn<int>("storedOn");     // MasterReverb in the file: -1 absent, 0 false, 1 true
    QTest::addColumn<bool>("load");        // the master strip is loaded before the click
    QTest::addColumn<bool>("loadedOn");    // the switch as the load leaves it
    QTest::addColumn<bool>("click");
    QTest::addColumn<int>("level"); // return level the unit holds afterwards

    QTest::newRow("off, nothing stored") << -1 << -1 << false << true << false << -127;
    // The knob in memory still sits at -inf.: only the stored label can give -4.
    QTest::newRow("on takes the stored label") << 90 << 0 << false << true << true << -4;
    QTest::newRow("absent key loads on") << 101 << -1 << true << true << false << 0;
    QTest::newRow("stored off loads off, then on") << 127 << 0 << true << false << true << 6;
    QTest::newRow("stored on loads on, then off") << 28 << 1 << true << true << false << -42;
}

void TstMixerModel::reverbSwitch()
{
    QFETCH(int, storedReturn);
    QFETCH(int, storedOn);
    QFETCH(bool, load);
    QFETCH(bool, loadedOn);
    QFETCH(bool, click);
    QFETCH(int, level);

    UnitRig rig;
    if (storedReturn >= 0)
        rig.settings.setReturn(storedReturn, send::label(storedReturn));
    if (storedOn >= 0)
        rig.settings.setMasterReverb(storedOn == 1);
    QSignalSpy shown(rig.model.get(), &MixerModel::reverbOnChanged);
    if (load) {
        rig.model->loadMaster();
        QCOMPARE(rig.model->reverbOn(), loadedOn);
        QCOMPARE(UnitRig::v(rig.unit().returnOn), int(loadedOn));
        QCOMPARE(shown.takeLast().at(0).toBool(), loadedOn);
    }
    rig.model->setReverbOn(click);
    QCOMPARE(rig.model->reverbOn(), click);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).at(0).toBool(), click);
    // Read with both defaults, so that only a stored value passes.
    QCOMPARE(rig.settings.readBool(QStringLiteral("Reverb"), QStringLiteral("MasterReverb")), click);
    QCOMPARE(rig.settings.readBoolTrue(QStringLiteral("Reverb"), QStringLiteral("MasterReverb")), click);
    QCOMPARE(UnitRig::v(rig.unit().returnOn), int(click));
    QCOMPARE(UnitRig::v(rig.unit().returnLevel), level);
}

// ------------------------------------------------------------------ pan, fader, phase

void TstMixerModel::pan_data()
{
    QTest::addColumn<int>("track");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("unit");

    QTest::newRow("odd hard left") << 1 << 0 << 0 << "L20" << 0;
    QTest::newRow("odd centre") << 1 << 20 << 20 << "C" << 20;
    QTest::newRow("even hard right") << 2 << 99 << 99 << "R20" << 40;
    QTest::newRow("even centre") << 2 << 79 << 79 << "C" << 20;
    QTest::newRow("odd past lane clamps") << 3 << 55 << 40 << "R20" << 40;
    QTest::newRow("even below lane clamps") << 4 << 10 << 59 << "L20" << 0;
}

void TstMixerModel::pan()
{
    QFETCH(int, track);
    QFETCH(int, position);
    QFETCH(int, stored);
    QFETCH(QString, label);
    QFETCH(int, unit);

    UnitRig rig;
    QSignalSpy spy(rig.model.get(), &MixerModel::panChanged);
    QVERIFY(rig.model->setPan(track, position));
    QCOMPARE(rig.settings.panPos(trackName(track), track % 2 == 0), stored);
    QCOMPARE(rig.settings.panValue(trackName(track)), label);
    QCOMPARE(UnitRig::v(rig.unit().pan[track - 1]), unit);
    QCOMPARE(spy.last().at(2).toString(), label);

    QVERIFY(rig.model->resetPan(track));
    QCOMPARE(rig.model->panLabel(track), QString("C"));
    QCOMPARE(UnitRig::v(rig.unit().pan[track - 1]), 20);
}

void TstMixerModel::fader_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("db");
    QTest::addColumn<QList<int>>("inputs");
    QTest::addColumn<bool>("master");
    QTest::addColumn<int>("wire");

    QTest::newRow("bottom") << "Track1" << -99.9 << QList<int>{1} << false << -1270;
    QTest::newRow("top") << "Track1" << 6.0 << QList<int>{1} << false << 60;
    QTest::newRow("typed -0.1") << "Track1" << -0.1 << QList<int>{1} << false << -1;
    QTest::newRow("pair both channels") << "Track11_12" << -10.7 << QList<int>{11, 12} << false << -107;
    QTest::newRow("master both sides") << "TrackMaster" << -4.1 << QList<int>{} << true << -41;
}

void TstMixerModel::fader()
{
    QFETCH(QString, name);
    QFETCH(double, db);
    QFETCH(QList<int>, inputs);
    QFETCH(bool, master);
    QFETCH(int, wire);

    UnitRig rig;
    QVERIFY(rig.model->setFaderLevel(name, db));
    QCOMPARE(rig.settings.fader(name), db);
    const auto &unit = rig.unit();
    for (int n = 1; n <= kTracks; ++n)
        QCOMPARE(UnitRig::v(unit.inputFader[n - 1]), inputs.contains(n) ? wire : -1000);
    QCOMPARE(UnitRig::v(unit.masterFader[0]), master ? wire : -1000);
    QCOMPARE(UnitRig::v(unit.masterFader[1]), master ? wire : -1000);
}

void TstMixerModel::phase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("track");
    QTest::addColumn<QString>("side");

    QTest::newRow("odd") << "Track11" << 11 << "Track11_12_L";
    QTest::newRow("even") << "Track12" << 12 << "Track11_12_R";
    QTest::newRow("stereo R") << "Track11_12_R" << 12 << "Track11_12_R";
}

void TstMixerModel::phase()
{
    QFETCH(QString, name);
    QFETCH(int, track);
    QFETCH(QString, side);

    UnitRig rig;
    QVERIFY(rig.model->setPhase(name, true));
    QVERIFY(rig.model->phase(trackName(track)));
    QVERIFY(rig.model->phase(side));
    QVERIFY(rig.settings.phase(trackName(track)));
    QVERIFY(rig.settings.phase(side));
    const auto &unit = rig.unit();
    for (int n = 1; n <= kTracks; ++n)
        QCOMPARE(UnitRig::v(unit.phase[n - 1]), n == track ? 1 : -1000);
}

// ------------------------------------------------------------------ dynamics, names

void TstMixerModel::dynamicsOn()
{
    UnitRig rig;
    QVERIFY(rig.model->setEqOn("Track4", true));
    QVERIFY(rig.model->setCompOn("Track4", true));
    const auto &unit = rig.unit();
    for (int band = 0; band < 4; ++band)
        QCOMPARE(UnitRig::v(unit.eq[3][band].on), 1);
    QCOMPARE(UnitRig::v(unit.eq[3][1].q), 2);   // default Q position 36 -> "1.00"
    QCOMPARE(UnitRig::v(unit.eq[3][0].q), 255); // shelving band
    QCOMPARE(UnitRig::v(unit.comp[3].on), 1);
    QCOMPARE(UnitRig::v(unit.comp[3].threshold), 0);
    QCOMPARE(UnitRig::v(unit.comp[3].link), 1);
    QVERIFY(rig.settings.eq("Track4"));
    QVERIFY(rig.settings.comp("Track4"));
}

void TstMixerModel::channelNameIsCut()
{
    UnitRig rig;
    QVERIFY(rig.model->setChannelName(7, QStringLiteral("Gesang ü")));
    QCOMPARE(rig.model->channelName(7), QStringLiteral("Gesang"));
    QCOMPARE(rig.settings.name("Track7"), QStringLiteral("Gesang"));
    QVERIFY(!rig.model->setChannelName(21, "x"));
}

// ------------------------------------------------------------------ visible channels

void TstMixerModel::visibleChannels_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<uint>("hz");
    QTest::addColumn<QList<int>>("pairs");

    const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("K2 44.1") << "LYNTRA K2" << 44100u << all;
    QTest::newRow("K2 48") << "LYNTRA K2" << 48000u << all;
    QTest::newRow("K2 88.2") << "LYNTRA K2" << 88200u << QList<int>{1, 2, 3, 4, 7, 8};
    QTest::newRow("K2 96") << "LYNTRA K2" << 96000u << QList<int>{1, 2, 3, 4, 7, 8};
    QTest::newRow("K2 176.4") << "LYNTRA K2" << 176400u << QList<int>{1, 2, 3, 7};
    QTest::newRow("K2 192") << "LYNTRA K2" << 192000u << QList<int>{1, 2, 3, 7};
    QTest::newRow("K1 48") << "LYNTRA K1" << 48000u << QList<int>{1, 3, 4, 5, 6};
    QTest::newRow("K1 96") << "LYNTRA K1" << 96000u << QList<int>{1, 3, 4};
    QTest::newRow("K1 192") << "LYNTRA K1" << 192000u << QList<int>{1, 3};
    QTest::newRow("other name is K2") << "LYNTRA" << 96000u << QList<int>{1, 2, 3, 4, 7, 8};
}

void TstMixerModel::visibleChannels()
{
    QFETCH(QString, product);
    QFETCH(uint, hz);
    QFETCH(QList<int>, pairs);

    UnitRig rig;
    QSignalSpy spy(rig.model.get(), &MixerModel::visibleChannelsChanged);
    rig.model->setProductName(product);
    rig.model->setSampleRate(hz);
    QCOMPARE(spy.count(), 2);
    for (int p = 1; p <= kPairs; ++p)
        QVERIFY2(rig.model->pairVisible(p) == pairs.contains(p), qPrintable(pairName(p)));
}

void TstMixerModel::unknownRateChangesNothing()
{
    UnitRig rig;
    rig.model->setSampleRate(96000);
    QSignalSpy spy(rig.model.get(), &MixerModel::visibleChannelsChanged);
    rig.model->setSampleRate(32000);
    rig.model->setSampleRate(0);
    rig.model->setSampleRate(96000); // the same rate again changes nothing either
    QCOMPARE(spy.count(), 0);
    QCOMPARE(rig.model->rateClass(), 2);
}

void TstMixerModel::unknownNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("none") << "none";
    QTest::newRow("side for mute") << "Track1_2_L";
    QTest::newRow("garbage") << "Track99";
    QTest::newRow("empty") << "";
}

void TstMixerModel::unknownNamesAreRefused()
{
    QFETCH(QString, name);
    UnitRig rig;
    QVERIFY(!rig.model->setMute(name, true));
    QVERIFY(!rig.model->setSolo(name, true));
    QVERIFY(!rig.model->setEqOn(name, true));
    QVERIFY(!rig.model->setSelect(name, true));
    QVERIFY(!rig.model->setSendLevel(name, 1, 50));
    QVERIFY(!rig.model->setPre(name, 1, true));
    QVERIFY(!rig.model->setTrueBypass(name, true));
    rig.unit();
    QCOMPARE(rig.messages, 0);
    QCOMPARE(rig.model->selectedTrack(), kNoTrack);
}

QTEST_GUILESS_MAIN(TstMixerModel)
#include "tst_mixermodel.moc"
