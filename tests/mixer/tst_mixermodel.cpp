// The mixer model against the in-process firmware: scales over every position, strip names, the strip
// rules (mute, solo, sends, pan, fader, phase, bypass, select), the stereo link and visible pairs.
#include "scales.h"
#include "unitrig.h"

#include <QtTest>

using namespace mixer;

Q_DECLARE_METATYPE(mixer::WidgetKind)
Q_DECLARE_METATYPE(mixer::StripKind)

class TstMixerModel : public QObject {
    Q_OBJECT

private slots:
    // ---- scales

    void faderScale()
    {
        for (int p = 0; p < fader::kPositions; ++p) {
            const double db = fader::levelAt(p);
            QVERIFY(db >= fader::kMinDb && db <= fader::kMaxDb);
            if (p > 0)
                QVERIFY2(db > fader::levelAt(p - 1), qPrintable(QString::number(p)));
            QCOMPARE(fader::positionFor(db), p);
            QCOMPARE(int(fader::wire(db)), p == 0 ? -1270 : qRound(db * 10));
            QVERIFY(fader::label(db).endsWith(p == 0 ? "-infinity" : " dB"));
        }
        QCOMPARE(fader::levelAt(-5), fader::kMinDb);
        QCOMPARE(fader::levelAt(140), fader::kMaxDb);
        QCOMPARE(fader::levelAt(fader::kUnityPosition), 0.0);
        QCOMPARE(fader::levelAt(67), -4.1);
        QCOMPARE(fader::levelAt(53), -10.0);
        QCOMPARE(fader::label(-4.1), QStringLiteral("-4.1 dB"));
        QCOMPARE(fader::label(-10.0), QStringLiteral("-10 dB"));
        QCOMPARE(fader::label(6.0), QStringLiteral("  6 dB"));
        // Typed levels between entries land on the lower position and go out as typed.
        QCOMPARE(fader::positionFor(-0.1), 79);
        QCOMPARE(int(fader::wire(-0.1)), -1);
        QCOMPARE(fader::positionFor(-70.0), 2);
        QCOMPARE(int(fader::wire(-99.8)), -998);
        QCOMPARE(int(fader::wire(-4.14)), -41);
        QCOMPARE(fader::positionFor(9.0), 100);
        QCOMPARE(int(fader::wire(9.0)), 60);
        QCOMPARE(fader::positionFor(-150.0), 0);
        QCOMPARE(int(fader::wire(-150.0)), -1270);
    }

    void panScale()
    {
        for (int p = -1; p <= 100; ++p) {
            const bool odd = p >= pan::kOddFirst && p < pan::kOddFirst + pan::kSteps;
            const bool even = p >= pan::kEvenFirst && p < pan::kEvenFirst + pan::kSteps;
            const QString label = pan::label(p);
            if (!odd && !even) {
                QCOMPARE(label, QStringLiteral("Error"));
                QCOMPARE(int(pan::unitIndex(label)), 255);
                continue;
            }
            const int index = p - (odd ? pan::kOddFirst : pan::kEvenFirst);
            QCOMPARE(int(pan::unitIndex(label)), index);
            QCOMPARE(label, index < 20   ? QStringLiteral("L%1").arg(20 - index)
                            : index > 20 ? QStringLiteral("R%1").arg(index - 20)
                                         : QStringLiteral("C"));
            QCOMPARE(pan::clampToLane(p, true), odd ? p : pan::kOddFirst + pan::kSteps - 1);
            QCOMPARE(pan::clampToLane(p, false), even ? p : pan::kEvenFirst);
        }
        QCOMPARE(pan::centre(true), 20);
        QCOMPARE(pan::centre(false), 79);
    }

    void sendScale()
    {
        for (int p = 0; p < send::kPositions; ++p) {
            const QString label = send::label(p);
            QCOMPARE(label.size(), 5);
            QCOMPARE(int(send::levelFromLabel(label)), p == 0 ? -127 : send::dbAt(p));
            if (p > 1)
                QVERIFY(send::dbAt(p) >= send::dbAt(p - 1));
        }
        QCOMPARE(send::label(0), QStringLiteral("-inf."));
        QCOMPARE(send::label(1), QStringLiteral("-98dB"));
        QCOMPARE(send::label(28), send::label(29));
        QCOMPARE(send::label(29), QStringLiteral("-42dB"));
        QCOMPARE(send::label(79), QStringLiteral(" -9dB"));
        QCOMPARE(send::label(101), QStringLiteral("  0dB"));
        QCOMPARE(send::label(send::kMasterDefault), QStringLiteral("  0dB"));
        QCOMPARE(send::label(127), QStringLiteral("  6dB"));
        QCOMPARE(send::label(300), send::label(127));
        QCOMPARE(send::label(-4), send::label(0));
        for (const char *bad : {"abcde", ""})
            QCOMPARE(int(send::levelFromLabel(QLatin1String(bad))), -127);
    }

    // ---- names

    void stripNames()
    {
        for (int t = 1; t <= kTracks; ++t) {
            QCOMPARE(parseStrip(trackName(t)), (StripRef{StripKind::Mono, t}));
            QCOMPARE(stripName({StripKind::Mono, t}), trackName(t));
            QCOMPARE(unitChannel(trackName(t)), t);
            QCOMPARE(pairOfTrack(t), (t + 1) / 2);
        }
        for (int p = 1; p <= kPairs; ++p) {
            const PairInfo *info = pairInfo(p);
            QCOMPARE(info->name, QStringLiteral("Track%1_%2").arg(2 * p - 1).arg(2 * p));
            QCOMPARE(parseStrip(info->name), (StripRef{StripKind::Pair, p}));
            QCOMPARE(unitChannel(info->name), 255);
            bool right = false;
            QCOMPARE(parseSide(info->rightSide, &right), p);
            QVERIFY(right);
            QCOMPARE(parseSide(info->leftSide, &right), p);
            QVERIFY(!right);
        }
        QCOMPARE(parseStrip(kMasterTrack), (StripRef{StripKind::Master, 0}));
        for (const char *bad : {"Track1_2_L", "Track2_3", "Track21", "none", ""})
            QVERIFY2(!parseStrip(QLatin1String(bad)).valid(), bad);
        QVERIFY(!pairInfo(11) && !trackInfo(0));
    }

    // Anchors of each suffix family; the page test checks that every name is carried by one widget.
    void widgetNames_data()
    {
        QTest::addColumn<WidgetKind>("kind");
        QTest::addColumn<StripKind>("strip");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("send");
        QTest::addColumn<QString>("expected");
        const auto M = StripKind::Mono, P = StripKind::Pair, X = StripKind::Master;
        using K = WidgetKind;
        QTest::newRow("phase SP1") << K::Phase << M << 11 << 0 << "pB_PhaseSP1";
        QTest::newRow("fader by number") << K::Fader << M << 11 << 0 << "vS_FaderKnob11";
        QTest::newRow("send knob adat") << K::SendKnob << M << 15 << 2 << "label_Send2KnobAdat3";
        QTest::newRow("post mono adat") << K::Post << M << 20 << 4 << "pB_Post4_Adat8";
        QTest::newRow("select analog") << K::Select << M << 2 << 0 << "pB_Analog2";
        QTest::newRow("select spdif") << K::Select << M << 12 << 0 << "pB_SPDIF2";
        QTest::newRow("pair stack spdif") << K::Stack << P << 6 << 0 << "sW_channelSP1_2";
        QTest::newRow("pair fader spdif") << K::Fader << P << 6 << 0 << "vS_FaderKnob11_12";
        QTest::newRow("pair phase L") << K::PhaseL << P << 7 << 0 << "pB_PhaseAdat1_2_L";
        QTest::newRow("pair pre") << K::Pre << P << 8 << 2 << "pB_Pre2_Adat3_4";
        QTest::newRow("pair pan R") << K::PanDisplayR << P << 10 << 0 << "label_panDisplayAdat7_8_R";
        QTest::newRow("master send") << K::SendKnob << X << 0 << 1 << "label_Send1KnobMaster";
        QTest::newRow("master meter") << K::LevelMeterR << X << 0 << 0 << "label_LevelMeterMasterR";
        QTest::newRow("mono has no link") << K::LinkOn << M << 1 << 0 << "";
        QTest::newRow("send 0") << K::SendKnob << M << 1 << 0 << "";
        QTest::newRow("send 5") << K::Pre << M << 1 << 5 << "";
        QTest::newRow("track 21") << K::Mute << M << 21 << 0 << "";
        QTest::newRow("pair has no name") << K::Name << P << 1 << 0 << "";
        QTest::newRow("master has no solo") << K::Solo << X << 0 << 0 << "";
    }
    void widgetNames()
    {
        QFETCH(WidgetKind, kind);
        QFETCH(StripKind, strip);
        QFETCH(int, number);
        QFETCH(int, send);
        QFETCH(QString, expected);
        QCOMPARE(widgetName(kind, StripRef{strip, number}, send), expected);
    }

    // ---- strip rules

    void solo_data()
    {
        QTest::addColumn<QList<int>>("premuted");
        QTest::addColumn<QStringList>("actions"); // "+Track3" solo on, "-Track3" solo off
        QTest::addColumn<QList<int>>("unmuted");  // tracks not muted afterwards (-1: all but these muted)
        QTest::addColumn<QList<int>>("saved");    // tracks whose mute before the solo is remembered
        const QList<int> all{-1};
        QTest::newRow("first solo mutes the rest")
            << QList<int>{1, 5} << QStringList{"+Track3"} << QList<int>{3} << QList<int>{1, 5};
        QTest::newRow("last solo restores memory") << QList<int>{1, 5} << QStringList{"+Track3", "-Track3"}
                                                   << QList<int>{-1, 1, 5} << QList<int>{1, 5};
        QTest::newRow("second solo unmutes itself")
            << QList<int>{} << QStringList{"+Track3", "+Track4"} << QList<int>{3, 4} << QList<int>{};
        QTest::newRow("release one of two")
            << QList<int>{} << QStringList{"+Track3", "+Track4", "-Track3"} << QList<int>{4} << QList<int>{};
        QTest::newRow("released first forgets")
            << QList<int>{3} << QStringList{"+Track3", "+Track4", "-Track3", "-Track4"} << QList<int>{-1}
            << QList<int>{};
        QTest::newRow("muted soloist stays muted")
            << QList<int>{3} << QStringList{"+Track3", "-Track3"} << QList<int>{-1, 3} << QList<int>{3};
        QTest::newRow("stereo solo") << QList<int>{} << QStringList{"+Track1_2"} << QList<int>{1, 2}
                                     << QList<int>{};
        QTest::newRow("stereo released")
            << QList<int>{7} << QStringList{"+Track1_2", "-Track1_2"} << QList<int>{-1, 7} << QList<int>{7};
    }
    void solo()
    {
        QFETCH(QList<int>, premuted);
        QFETCH(QStringList, actions);
        QFETCH(QList<int>, unmuted);
        QFETCH(QList<int>, saved);
        UnitRig rig;
        for (int n : premuted)
            rig.model->setMute(trackName(n), true);
        for (const QString &a : actions)
            QVERIFY(rig.model->setSolo(a.mid(1), a.startsWith('+')));
        // A leading -1 turns the list round: the tracks listed are the muted ones.
        const bool listMuted = !unmuted.isEmpty() && unmuted.first() == -1;
        const auto &unit = rig.unit();
        for (int n = 1; n <= kTracks; ++n) {
            const bool want = unmuted.contains(n) == listMuted;
            QVERIFY2(rig.model->mute(trackName(n)) == want, qPrintable(trackName(n)));
            QCOMPARE(UnitRig::v(unit.inputMute[n - 1]), want ? 1 : 0);
            QCOMPARE(rig.settings.mute(trackName(n)), want);
            QCOMPARE(rig.model->muteBeforeSolo(n), saved.contains(n));
            QCOMPARE(UnitRig::v(unit.solo[n - 1]), -1000); // solo lives in the panel only
        }
    }

    // Switches by strip name: which channels the unit sets, which stereo state mirrors it.
    void switches_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<bool>("stereo"); // the pair's own state afterwards (pair 3 or 7)
        QTest::newRow("odd mute mirrors into stereo") << "mute"
                                                      << "Track5" << QList<int>{5} << true;
        QTest::newRow("even mute leaves stereo") << "mute"
                                                 << "Track6" << QList<int>{6} << false;
        QTest::newRow("stereo mute both") << "mute"
                                          << "Track5_6" << QList<int>{5, 6} << true;
        QTest::newRow("master mute, no input") << "mute"
                                               << "TrackMaster" << QList<int>{} << false;
        QTest::newRow("pair bypass both") << "bypass"
                                          << "Track13_14" << QList<int>{13, 14} << true;
        QTest::newRow("odd phase") << "phase"
                                   << "Track11" << QList<int>{11} << false;
        QTest::newRow("stereo right phase") << "phase"
                                            << "Track11_12_R" << QList<int>{12} << false;
    }
    void switches()
    {
        QFETCH(QString, what);
        QFETCH(QString, name);
        QFETCH(QList<int>, channels);
        QFETCH(bool, stereo);
        UnitRig rig;
        QSignalSpy muted(rig.model.get(), &MixerModel::muteChanged);
        const StripRef pair{StripKind::Pair, name.contains("13") ? 7 : name.contains("11") ? 6 : 3};
        const QString pairTrack = stripName(pair);
        const auto &unit = rig.unit();
        if (what == "mute") {
            QVERIFY(rig.model->setMute(name, true));
            QCOMPARE(rig.model->mute(pairTrack), stereo);
            const bool master = name == kMasterTrack;
            if (master)
                QCOMPARE(muted.first().at(0).toString(), name);
            QCOMPARE(UnitRig::v(rig.unit().masterMute[0]), master ? 1 : -1000);
            QCOMPARE(UnitRig::v(unit.masterMute[1]), master ? 1 : -1000);
            for (const QString &stored :
                 master ? QStringList{name}
                        : QStringList{trackName(channels.first()), trackName(channels.last())})
                QVERIFY(rig.settings.mute(stored));
        } else if (what == "bypass") {
            QVERIFY(rig.model->setTrueBypass(name, true));
            QCOMPARE(rig.model->trueBypass(name), stereo);
        } else {
            QVERIFY(rig.model->setPhase(name, true));
            for (int n : channels) {
                QVERIFY(rig.model->phase(trackName(n)));
                QVERIFY(rig.settings.phase(trackName(n)));
                const PairInfo *p = pairInfo(pairOfTrack(n));
                QVERIFY(rig.settings.phase(n % 2 ? p->leftSide : p->rightSide));
            }
        }
        const auto &after = rig.unit();
        for (int n = 1; n <= kTracks; ++n) {
            const int want = channels.contains(n) ? 1 : -1000;
            const lyntra::fw::Value &v = what == "mute"     ? after.inputMute[n - 1]
                                         : what == "bypass" ? after.truebypass[n - 1]
                                                            : after.phase[n - 1];
            QVERIFY2(UnitRig::v(v) == want, qPrintable(trackName(n)));
            if (what == "bypass")
                QCOMPARE(rig.settings.trueBypass(n), channels.contains(n));
        }
    }

    void bypassDeselects()
    {
        UnitRig rig;
        QSignalSpy editor(rig.model.get(), &MixerModel::editorBypassChanged);
        QSignalSpy sel(rig.model.get(), &MixerModel::selectChanged);
        rig.model->setSelect("Track1", true);
        QVERIFY(rig.model->setSelect("Track3", true));
        QVERIFY(!rig.model->selected("Track1"));
        QVERIFY(rig.settings.select("Track3"));
        QVERIFY(std::any_of(sel.begin(), sel.end(), [](const QList<QVariant> &a) {
            return a.at(0).toString() == "Track1" && !a.at(1).toBool();
        }));
        QVERIFY(rig.model->setTrueBypass("Track3", true));
        QCOMPARE(rig.model->selectedTrack(), kNoTrack);
        QCOMPARE(editor.count(), 1);
        QVERIFY(editor.at(0).at(0).toBool());
        QVERIFY(!rig.model->setSelect("Track3", true)); // its select button is disabled
        QVERIFY(rig.model->setTrueBypass("Track3", false));
        QCOMPARE(editor.last().at(0).toBool(), false);
        QCOMPARE(UnitRig::v(rig.unit().truebypass[2]), 0);
        rig.model->setSelect("Track7_8", true);
        rig.model->setSelect("Track7_8", false);
        QCOMPARE(rig.model->selectedTrack(), kNoTrack);
    }

    void sendLevels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("stereoKnob"); // send 2 knob of pair 3 afterwards
        QTest::newRow("odd moves stereo knob") << "Track5" << 29 << QList<int>{5} << -42 << 29;
        QTest::newRow("even leaves stereo knob") << "Track6" << 127 << QList<int>{6} << 6 << 0;
        QTest::newRow("stereo drives both") << "Track5_6" << 101 << QList<int>{5, 6} << 0 << 101;
        QTest::newRow("zero is off") << "Track5" << 0 << QList<int>{5} << -127 << 0;
    }
    void sendLevels()
    {
        QFETCH(QString, name);
        QFETCH(int, position);
        QFETCH(QList<int>, channels);
        QFETCH(int, level);
        QFETCH(int, stereoKnob);
        UnitRig rig;
        if (position == 0) // make "off" observable as a change
            rig.model->setSendLevel(name, 2, 50);
        QVERIFY(rig.model->setSendLevel(name, 2, position));
        QCOMPARE(rig.model->sendPosition("Track5_6", 2), stereoKnob);
        const auto &unit = rig.unit();
        for (int n = 1; n <= kTracks; ++n) {
            QCOMPARE(UnitRig::v(unit.inputSend[n - 1][1].level), channels.contains(n) ? level : -1000);
            if (channels.contains(n)) {
                QCOMPARE(UnitRig::v(unit.inputSend[n - 1][1].point), 1);
                QCOMPARE(rig.settings.sendLevel(trackName(n), 2), position);
                QCOMPARE(rig.settings.value(trackName(n), "Send2_Value").toString(), send::label(position));
            }
        }
        QCOMPARE(rig.settings.sendLevel("Track5_6", 2), 0); // nothing kept under the pair name
    }

    void masterSendsAndReturn()
    {
        UnitRig rig;
        QVERIFY(rig.model->setSendLevel(kMasterTrack, 2, 127));
        QVERIFY(rig.model->setSendLevel(kMasterTrack, 4, 200));
        QVERIFY(rig.model->setSendLevel(kMasterTrack, 0, 101));
        QVERIFY(!rig.model->setSendLevel(kMasterTrack, 5, 101));
        const auto &unit = rig.unit();
        QCOMPARE(UnitRig::v(unit.masterSend[1].point), 1);
        QCOMPARE(UnitRig::v(unit.masterSend[1].level), 6);
        QCOMPARE(UnitRig::v(unit.masterSend[3].level), 6);
        QCOMPARE(rig.model->sendPosition(kMasterTrack, 4), 127);
        QCOMPARE(UnitRig::v(unit.returnOn), 1);
        QCOMPARE(UnitRig::v(unit.returnLevel), 0);
        QCOMPARE(rig.settings.sendLevel(kMasterTrack, 2), 127);
        QCOMPARE(rig.settings.returnLevel(), 101);
        QCOMPARE(rig.settings.returnValue(), QString("  0dB"));
    }

    void sendPoints_data()
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
    void sendPoints()
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

    void reverbSwitch_data()
    {
        QTest::addColumn<int>("storedReturn"); // return knob position in the file, -1 for none
        QTest::addColumn<int>("storedOn");     // MasterReverb in the file: -1 absent, 0 false, 1 true
        QTest::addColumn<bool>("load");        // the master strip is loaded before the click
        QTest::addColumn<bool>("loadedOn");
        QTest::addColumn<bool>("click");
        QTest::addColumn<int>("level"); // return level the unit holds afterwards
        QTest::newRow("off, nothing stored") << -1 << -1 << false << true << false << -127;
        // The knob in memory still sits at -inf.: only the stored label can give -4.
        QTest::newRow("on takes the stored label") << 90 << 0 << false << true << true << -4;
        QTest::newRow("absent key loads on") << 101 << -1 << true << true << false << 0;
        QTest::newRow("stored off loads off, then on") << 127 << 0 << true << false << true << 6;
        QTest::newRow("stored on loads on, then off") << 28 << 1 << true << true << false << -42;
    }
    void reverbSwitch()
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
        rig.settings.sync();
        QCOMPARE(QSettings(rig.settings.mainFilePath(), QSettings::IniFormat)
                     .value("Reverb/MasterReverb")
                     .toString(),
                 QVariant(click).toString());
        QCOMPARE(UnitRig::v(rig.unit().returnOn), int(click));
        QCOMPARE(UnitRig::v(rig.unit().returnLevel), level);
    }

    void pan_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("unit");
        QTest::newRow("odd hard left") << 1 << 0 << 0 << 0;
        QTest::newRow("even hard right") << 2 << 99 << 99 << 40;
        QTest::newRow("odd past lane clamps") << 3 << 55 << 40 << 40;
        QTest::newRow("even below lane clamps") << 4 << 10 << 59 << 0;
    }
    void pan()
    {
        QFETCH(int, track);
        QFETCH(int, position);
        QFETCH(int, stored);
        QFETCH(int, unit);
        UnitRig rig;
        QSignalSpy spy(rig.model.get(), &MixerModel::panChanged);
        QVERIFY(rig.model->setPan(track, position));
        QCOMPARE(rig.settings.panPos(trackName(track), track % 2 == 0), stored);
        QCOMPARE(rig.settings.value(trackName(track), "Pan_value").toString(), pan::label(stored));
        QCOMPARE(UnitRig::v(rig.unit().pan[track - 1]), unit);
        QCOMPARE(spy.last().at(2).toString(), pan::label(stored));
        QVERIFY(rig.model->resetPan(track));
        QCOMPARE(rig.model->panLabel(track), QString("C"));
        QCOMPARE(UnitRig::v(rig.unit().pan[track - 1]), 20);
    }

    void fader_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("db");
        QTest::addColumn<QList<int>>("inputs");
        QTest::addColumn<int>("wire");
        QTest::newRow("bottom") << "Track1" << -99.9 << QList<int>{1} << -1270;
        QTest::newRow("typed -0.1") << "Track1" << -0.1 << QList<int>{1} << -1;
        QTest::newRow("pair both channels") << "Track11_12" << -10.7 << QList<int>{11, 12} << -107;
        QTest::newRow("master both sides") << "TrackMaster" << -4.1 << QList<int>{} << -41;
    }
    void fader()
    {
        QFETCH(QString, name);
        QFETCH(double, db);
        QFETCH(QList<int>, inputs);
        QFETCH(int, wire);
        UnitRig rig;
        QVERIFY(rig.model->setFaderLevel(name, db));
        QCOMPARE(rig.settings.fader(name), db);
        const auto &unit = rig.unit();
        for (int n = 1; n <= kTracks; ++n)
            QCOMPARE(UnitRig::v(unit.inputFader[n - 1]), inputs.contains(n) ? wire : -1000);
        const bool master = name == kMasterTrack;
        QCOMPARE(UnitRig::v(unit.masterFader[0]), master ? wire : -1000);
        QCOMPARE(UnitRig::v(unit.masterFader[1]), master ? wire : -1000);
    }

    void dynamicsAndNames()
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
        QVERIFY(rig.settings.eq("Track4") && rig.settings.comp("Track4"));

        QVERIFY(rig.model->setChannelName(7, QStringLiteral("Gesang ü")));
        QCOMPARE(rig.model->channelName(7), QStringLiteral("Gesang"));
        QCOMPARE(rig.settings.name("Track7"), QStringLiteral("Gesang"));
        QVERIFY(!rig.model->setChannelName(21, "x"));
    }

    void unknownNamesAreRefused()
    {
        for (const char *bad : {"none", "Track1_2_L", "Track99", ""}) {
            UnitRig rig;
            const QString name = QLatin1String(bad);
            QVERIFY(!rig.model->setMute(name, true));
            QVERIFY(!rig.model->setSolo(name, true));
            QVERIFY(!rig.model->setEqOn(name, true));
            QVERIFY(!rig.model->setSelect(name, true));
            QVERIFY(!rig.model->setSendLevel(name, 1, 50));
            QVERIFY(!rig.model->setPre(name, 1, true));
            QVERIFY(!rig.model->setTrueBypass(name, true));
            rig.unit();
            QCOMPARE(rig.messages, 0);
        }
    }

    // ---- visible pairs

    void visibleChannels_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<uint>("hz");
        QTest::addColumn<QList<int>>("pairs");
        const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("K2 44.1") << "LYNTRA K2" << 44100u << all;
        QTest::newRow("K2 88.2") << "LYNTRA K2" << 88200u << QList<int>{1, 2, 3, 4, 7, 8};
        QTest::newRow("K2 192") << "LYNTRA K2" << 192000u << QList<int>{1, 2, 3, 7};
        QTest::newRow("K1 48") << "LYNTRA K1" << 48000u << QList<int>{1, 3, 4, 5, 6};
        QTest::newRow("K1 96") << "LYNTRA K1" << 96000u << QList<int>{1, 3, 4};
        QTest::newRow("K1 176.4") << "LYNTRA K1" << 176400u << QList<int>{1, 3};
        QTest::newRow("other name is K2") << "LYNTRA" << 96000u << QList<int>{1, 2, 3, 4, 7, 8};
    }
    void visibleChannels()
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
        // An unknown rate, or the same again, changes nothing.
        for (uint same : {32000u, 0u, hz})
            rig.model->setSampleRate(same);
        QCOMPARE(spy.count(), 2);
    }

    // ---- link

    void linkSoloAndMute_data()
    {
        QTest::addColumn<bool>("muteA");
        QTest::addColumn<bool>("muteB");
        QTest::addColumn<bool>("soloA");
        QTest::addColumn<bool>("muteBAfter");
        QTest::newRow("right muted, left not") << false << true << false << false;
        QTest::newRow("left muted, right not") << true << false << false << true;
        QTest::newRow("both muted") << true << true << false << true;
        QTest::newRow("left soloed") << false << false << true << false;
    }
    void linkSoloAndMute()
    {
        QFETCH(bool, muteA);
        QFETCH(bool, muteB);
        QFETCH(bool, soloA);
        QFETCH(bool, muteBAfter);
        UnitRig rig;
        rig.model->setMute("Track1", muteA);
        rig.model->setMute("Track2", muteB);
        if (soloA)
            rig.model->setSolo("Track1", true);
        QSignalSpy link(rig.model.get(), &MixerModel::linkChanged);
        QVERIFY(rig.model->setLink(1, true));
        QCOMPARE(link.count(), 1);
        QCOMPARE(link.at(0).at(0).toInt(), 1);
        QVERIFY(link.at(0).at(1).toBool());
        QVERIFY(rig.model->pairLinked(1));
        QVERIFY(rig.settings.link("Track1_2"));
        QCOMPARE(rig.model->mute("Track2"), muteBAfter);
        QCOMPARE(rig.model->mute("Track1_2"), muteA && !soloA);
        QCOMPARE(rig.model->solo("Track1_2"), soloA);
        QCOMPARE(rig.model->solo("Track2"), soloA);
        QCOMPARE(rig.model->muteBeforeSolo(1), soloA);
        const auto &unit = rig.unit();
        QCOMPARE(UnitRig::v(unit.inputMute[1]), muteBAfter ? 1 : 0);
        QCOMPARE(UnitRig::v(unit.inputMute[0]), muteA && !soloA ? 1 : 0);
    }

    void linkCopiesDynamics()
    {
        UnitRig rig;
        rig.settings.setCompKnob("Track3", Settings::CompKnob::Threshold, 40, QStringLiteral("-22"));
        rig.settings.setCompKnob("Track3", Settings::CompKnob::Ratio, 84, QStringLiteral("inf:1"));
        rig.settings.setEqGain("Track3", Settings::EqBand::High, 121, 12);
        rig.settings.setEqLowCutFilter("Track3", true);
        rig.settings.setComp("Track3", true);
        rig.settings.setEq("Track3", true);
        rig.model->loadMonoTrack(3);
        rig.model->loadMonoTrack(4);
        QVERIFY(rig.model->setLink(2, true));
        const CompRecord &b = rig.model->compRecord(4);
        QCOMPARE(int(b.threshold), 40);
        QCOMPARE(int(b.ratio), 84);
        QCOMPARE(int(b.on), 1);
        QCOMPARE(int(b.channel), 4);
        QCOMPARE(int(rig.model->eqRecord(4).highGain), 121);
        QCOMPARE(int(rig.model->eqRecord(4).lowGain), 255);
        QCOMPARE(int(rig.model->eqRecord(4).channel), 4);
        const auto &unit = rig.unit();
        QCOMPARE(UnitRig::v(unit.comp[2].link), 2);
        QCOMPARE(UnitRig::v(unit.comp[3].link), 3);
        QCOMPARE(UnitRig::v(unit.comp[3].threshold), -22);
        QCOMPARE(UnitRig::v(unit.comp[3].ratio), 255);
        QCOMPARE(UnitRig::v(unit.eq[3][3].gain), 24);
        QCOMPARE(UnitRig::v(unit.eq[3][0].gain), 255);
        // The pair group now carries the editor keys of the left track.
        QCOMPARE(rig.settings.compPos("Track3_4", Settings::CompKnob::Threshold), 40);
        QCOMPARE(rig.settings.compDisplay("Track3_4", Settings::CompKnob::Ratio).toString(),
                 QString("inf:1"));
        QVERIFY(rig.settings.eqLowCutFilter("Track3_4") && rig.settings.eq("Track3_4"));
        QVERIFY(rig.settings.comp("Track3_4"));
        QVERIFY(rig.model->setLink(2, false));
        QCOMPARE(UnitRig::v(rig.unit().comp[3].link), 1);
        QCOMPARE(UnitRig::v(rig.unit().comp[2].link), 1);
    }

    void linkFaderSendsAndSelection()
    {
        UnitRig rig;
        rig.model->setFaderLevel("Track5", -4.1);
        rig.model->setFaderLevel("Track6", -20.0);
        rig.model->setPost("Track5", 2, true);
        rig.model->setPre("Track6", 3, true);
        rig.model->setSendLevel("Track5", 2, 64);
        rig.model->setSendLevel("Track6", 2, 110);
        rig.model->setSelect("Track6", true);
        QVERIFY(rig.model->setLink(3, true));
        QCOMPARE(rig.model->selectedTrack(), QString("Track5_6"));
        QCOMPARE(rig.model->faderLevel("Track5_6"), -4.1);
        QCOMPARE(rig.settings.fader("Track5_6"), -4.1);
        QCOMPARE(rig.model->sendPoint("Track6", 2), 3);
        QCOMPARE(rig.model->sendPoint("Track6", 3), 1);
        QCOMPARE(rig.settings.sendPoint("Track6", 2), 3);
        QCOMPARE(rig.model->sendPosition("Track5_6", 2), 64);
        const auto &unit = rig.unit();
        QCOMPARE(UnitRig::v(unit.inputFader[5]), -41);
        QCOMPARE(UnitRig::v(unit.inputSend[5][1].point), 3);
        QCOMPARE(UnitRig::v(unit.inputSend[5][1].level), 2); // B keeps its own level
        QCOMPARE(UnitRig::v(unit.inputSend[5][2].point), 1);
        // An even track's knob stays off the stereo strip; the stereo knob drives both.
        QSignalSpy sends(rig.model.get(), &MixerModel::sendChanged);
        rig.model->setSendLevel("Track6", 1, 90);
        QCOMPARE(rig.model->sendPosition("Track5_6", 1), 0);
        QVERIFY(std::none_of(sends.begin(), sends.end(),
                             [](const QList<QVariant> &a) { return a.at(0).toString() == "Track5_6"; }));
        rig.model->setSendLevel("Track5_6", 1, 30);
        QCOMPARE(rig.model->sendPosition("Track6", 1), 30);
    }

    void linkOffHandsStereoToBoth()
    {
        UnitRig rig;
        rig.model->setLink(10, true);
        rig.model->setFaderLevel("Track19_20", -10.7);
        rig.model->setEqOn("Track19_20", true);
        rig.model->setTrueBypass("Track19_20", true);
        QSignalSpy link(rig.model.get(), &MixerModel::linkChanged);
        QVERIFY(rig.model->setLink(10, false));
        QCOMPARE(link.count(), 1);
        QVERIFY(!link.at(0).at(1).toBool());
        QVERIFY(!rig.settings.link("Track19_20"));
        QVERIFY(rig.model->eqOn("Track19") && rig.model->eqOn("Track20"));
        QVERIFY(rig.model->trueBypass("Track19") && rig.model->trueBypass("Track20"));
        QCOMPARE(rig.settings.fader("Track20"), -10.7);
        const auto &unit = rig.unit();
        QCOMPARE(UnitRig::v(unit.inputFader[18]), -107);
        QCOMPARE(UnitRig::v(unit.inputFader[19]), -107);
        QCOMPARE(UnitRig::v(unit.eq[19][2].on), 1);
        QCOMPARE(UnitRig::v(unit.truebypass[19]), 1);
    }
};

QTEST_GUILESS_MAIN(TstMixerModel)
#include "tst_mixermodel.moc"
