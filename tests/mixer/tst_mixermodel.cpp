// The mixer model against the in-process firmware: scales over every position, the rules
// the widget tests do not reach (solo memory, send points, bad names), the stereo link, and the full
// load of the stored mix and of an empty file.
#include "scales.h"
#include "storedmix.h"
#include "unitrig.h"

#include <QtTest>

#include <cmath>

using namespace mixer;
using S = QStringList;
using L = QList<int>;

namespace {

struct Point {
    const char *name;
    bool pre, on;
    int odd, even, stereo; // points of tracks 9, 10 and their pair afterwards
};

} // namespace

Q_DECLARE_METATYPE(Point)

class TstMixerModel : public QObject {
    Q_OBJECT

private slots:
    // ---- scales: every position, plus anchors from the product's tables

    // Falling, round trips, and the levels add up as the table given for the unit does (one wrong entry
    // shows); the same sum for the send scale.
    void faderScale()
    {
        long tenths = 0;
        for (int p = 0; p < fader::kPositions; ++p) {
            const double db = fader::levelAt(p);
            tenths += std::lround(db * 10);
            QVERIFY(db >= fader::kMinDb && db <= fader::kMaxDb);
            if (p > 0)
                QVERIFY2(db > fader::levelAt(p - 1), qPrintable(QString::number(p)));
            QCOMPARE(fader::positionFor(db), p);
            QCOMPARE(int(fader::wire(db)), p == 0 ? -1270 : qRound(db * 10));
            QVERIFY(fader::label(db).endsWith(p == 0 ? "-infinity" : " dB"));
        }
        QCOMPARE(tenths, -18435L);
        QCOMPARE(fader::levelAt(fader::kUnityPosition), 0.0);
        QCOMPARE(fader::levelAt(67), -4.1);
        QCOMPARE(fader::label(-4.1), QStringLiteral("-4.1 dB"));
        QCOMPARE(fader::label(-10.0), QStringLiteral("-10 dB"));
        QCOMPARE(fader::label(6.0), QStringLiteral("  6 dB"));
        // Typed levels beyond the ends stop there (what the unit gets: tst_remote's faders).
        QCOMPARE(fader::positionFor(9.0), 100);
        QCOMPARE(fader::positionFor(-150.0), 0);
    }

    // The two lanes' ends and centres, and the gap between them.
    void panScale()
    {
        const struct { int position, oddLane, evenLane, unit; const char *label; } rows[] = {
            {-1, 0, 59, 255, "Error"}, {0, 0, 59, 0, "L20"},    {19, 19, 59, 19, "L1"},      {20, 20, 59, 20, "C"},
            {40, 40, 59, 40, "R20"},   {41, 40, 59, 255, "Error"}, {58, 40, 59, 255, "Error"}, {59, 40, 59, 0, "L20"},
            {79, 40, 79, 20, "C"},     {99, 40, 99, 40, "R20"},   {100, 40, 99, 255, "Error"}};
        for (const auto &r : rows) {
            QCOMPARE(pan::clampToLane(r.position, true), r.oddLane);
            QCOMPARE(pan::clampToLane(r.position, false), r.evenLane);
            QCOMPARE(int(pan::unitIndex(r.position)), r.unit);
            QCOMPARE(pan::label(r.position), QLatin1String(r.label));
        }
    }

    void sendScale()
    {
        int sum = 0;
        for (int p = 0; p < send::kPositions; ++p) {
            QCOMPARE(send::label(p).size(), 5);
            sum += p > 0 ? send::dbAt(p) : 0;
            // Steps of up to 3 dB at the bottom, then every whole dB from -45 up is shown.
            const int step = send::dbAt(p) - send::dbAt(p - 1);
            if (p > 1)
                QVERIFY2(step >= 0 && step <= (p > 25 ? 1 : 3), qPrintable(QString::number(p)));
        }
        QCOMPARE(sum, -3156);
        QCOMPARE(send::dbAt(25), -45);
        for (const auto &[position, label] : {std::pair{0, "-inf."}, {1, "-98dB"}, {28, "-42dB"}, {29, "-42dB"},
                                              {79, " -9dB"}, {101, "  0dB"}, {102, "  0dB"}, {127, "  6dB"},
                                              {300, "  6dB"}, {-4, "-inf."}})
            QCOMPARE(send::label(position), QLatin1String(label));
    }

    // ---- strip rules

    void solo_data()
    {
        QTest::addColumn<L>("premuted");
        QTest::addColumn<S>("actions"); // "+Track3" solo on, "-Track3" solo off
        QTest::addColumn<L>("muted");   // tracks muted afterwards; a leading 0: all but these
        QTest::addColumn<L>("saved");   // tracks whose mute before the solo is remembered
        // clang-format off
        QTest::newRow("first solo mutes the rest") << L{1, 20} << S{"+Track3"} << L{0, 3} << L{1, 20};
        QTest::newRow("last solo restores memory") << L{1, 20} << S{"+Track3", "-Track3"} << L{1, 20} << L{1, 20};
        QTest::newRow("second solo unmutes itself") << L{} << S{"+Track3", "+Track4"} << L{0, 3, 4} << L{};
        QTest::newRow("release one of two") << L{} << S{"+Track3", "+Track4", "-Track3"} << L{0, 4} << L{};
        QTest::newRow("released first forgets") << L{3} << S{"+Track3", "+Track4", "-Track3", "-Track4"} << L{} << L{};
        QTest::newRow("muted soloist stays muted") << L{3} << S{"+Track3", "-Track3"} << L{3} << L{3};
        QTest::newRow("stereo solo") << L{} << S{"+Track1_2"} << L{0, 1, 2} << L{};
        QTest::newRow("stereo released") << L{7} << S{"+Track1_2", "-Track1_2"} << L{7} << L{7};
        // clang-format on
    }
    void solo()
    {
        QFETCH(L, premuted);
        QFETCH(S, actions);
        QFETCH(L, muted);
        QFETCH(L, saved);
        UnitRig rig;
        for (int n : premuted)
            rig.model->setMute(monoRef(n), true);
        for (const QString &a : actions)
            QVERIFY(rig.model->setSolo(strip(a.mid(1)), a.startsWith('+')));
        const bool allBut = !muted.isEmpty() && muted.first() == 0;
        const auto &unit = rig.unit();
        for (int n = 1; n <= kTracks; ++n) {
            const bool want = muted.contains(n) != allBut;
            QVERIFY2(rig.model->mute(monoRef(n)) == want, qPrintable(trackName(n)));
            QCOMPARE(UnitRig::v(unit.inputMute[n - 1]), want ? 1 : 0);
            QCOMPARE(rig.settings.value(trackName(n), settings::key::Mute), want);
            QCOMPARE(rig.settings.value(trackName(n), settings::key::Solo), rig.model->solo(monoRef(n)));
            QCOMPARE(UnitRig::v(unit.solo[n - 1]), -1000); // solo lives in the panel only
        }
        QVERIFY(!rig.model->solo(strip("Track5_6"))); // the pair soloed is the only one
    }

    void sendPoints_data()
    {
        QTest::addColumn<Point>("c");
        QTest::newRow("odd pre") << Point{"Track9", true, true, 2, 1, 2};
        QTest::newRow("odd post") << Point{"Track9", false, true, 3, 1, 3};
        QTest::newRow("even pre") << Point{"Track10", true, true, 1, 2, 1};
        QTest::newRow("stereo post") << Point{"Track9_10", false, true, 3, 3, 3};
        QTest::newRow("odd pre released") << Point{"Track9", true, false, 1, 1, 1};
    }
    void sendPoints()
    {
        QFETCH(Point, c);
        UnitRig rig;
        rig.model->setSendLevel(strip("Track9"), 3, 120);
        rig.model->setSendLevel(strip("Track10"), 3, 64);
        if (!c.on)
            c.pre ? rig.model->setPre(strip(c.name), 3, true) : rig.model->setPost(strip(c.name), 3, true);
        QVERIFY(c.pre ? rig.model->setPre(strip(c.name), 3, c.on) : rig.model->setPost(strip(c.name), 3, c.on));
        QCOMPARE(rig.model->sendPoint(strip("Track9_10"), 3), c.stereo);
        QCOMPARE(rig.settings.value("Track9", settings::key::sendPoint(3)), c.odd);
        QCOMPARE(rig.settings.value("Track10", settings::key::sendPoint(3)), c.even);
        // The new point goes out with the track's own level.
        QCOMPARE(rig.mismatch({QString("send.input.8.2.point=%1").arg(c.odd), "send.input.8.2.level=4",
                               QString("send.input.9.2.point=%1").arg(c.even), "send.input.9.2.level=-18"}), QString());
    }

    void dynamicsAndNames()
    {
        UnitRig rig;
        QVERIFY(rig.model->setEqOn(strip("Track4"), true));
        // Default Q position 36 is "1.00"; the shelving bands have none.
        QCOMPARE(rig.mismatch({"eq.3.0.on=1", "eq.3.3.on=1", "eq.3.1.q=2", "eq.3.0.q=255"}), QString());
        QVERIFY(!rig.model->setChannelName(monoRef(21), "x") && !rig.model->setChannelName(pairRef(1), "x"));
        for (const StripRef bad : {StripRef{}, monoRef(0), monoRef(21), pairRef(11)}) {
            UnitRig other;
            QVERIFY(!other.model->setMute(bad, true) && !other.model->setSolo(bad, true));
            QVERIFY(!other.model->setEqOn(bad, true) && !other.model->setSelect(bad, true));
            QVERIFY(!other.model->setSendLevel(bad, 1, 50) && !other.model->setPre(bad, 1, true));
            QVERIFY(!other.model->setTrueBypass(bad, true) && !other.model->setPhase(bad, Side::None, true));
            other.unit();
            QCOMPARE(other.messages, 0);
        }
    }

    // ---- link

    void linkSoloAndMute_data()
    {
        QTest::addColumn<bool>("muteA");
        QTest::addColumn<bool>("muteB");
        QTest::addColumn<bool>("soloA");
        QTest::newRow("right muted, left not") << false << true << false;
        QTest::newRow("left muted, right not") << true << false << false;
        QTest::newRow("both muted") << true << true << false;
        QTest::newRow("left soloed") << false << false << true;
        QTest::newRow("left muted and soloed") << true << false << true;
    }
    void linkSoloAndMute()
    {
        QFETCH(bool, muteA);
        QFETCH(bool, muteB);
        QFETCH(bool, soloA);
        UnitRig rig;
        rig.model->setMute(strip("Track1"), muteA);
        rig.model->setMute(strip("Track2"), muteB);
        if (soloA)
            rig.model->setSolo(strip("Track1"), true);
        QVERIFY(rig.model->setLink(1, true) && rig.model->pairLinked(1));
        QVERIFY(rig.settings.value("Track1_2", settings::key::Link));
        // The right side follows the left.
        const bool muted = muteA && !soloA;
        QCOMPARE(rig.model->mute(strip("Track2")), muted);
        QCOMPARE(rig.model->mute(strip("Track1_2")), muted);
        QCOMPARE(rig.model->solo(strip("Track1_2")), soloA);
        QCOMPARE(rig.model->solo(strip("Track2")), soloA);
        QCOMPARE(rig.mismatch({QString("mute.input.1=%1").arg(int(muted)), QString("mute.input.0=%1").arg(int(muted))}),
                 QString());
        // The solo released leaves the other tracks as they were before it.
        QVERIFY((!soloA || rig.model->setSolo(strip("Track1_2"), false)) && !rig.model->mute(strip("Track3")));
    }

    void linkCopiesDynamics()
    {
        UnitRig rig;
        rig.settings.setValue("Track3", settings::key::editorPos(int(DynKnob::Threshold)), 40);
        rig.settings.setValue("Track3", settings::key::editorPos(int(DynKnob::Ratio)), 84);
        rig.settings.setValue("Track3", settings::key::editorText(int(DynKnob::Ratio)), QStringLiteral("inf:1"));
        rig.settings.setValue("Track3", settings::key::editorPos(int(DynKnob::HighGain)), 121);
        rig.settings.setValue("Track3", settings::key::EqLowCutFilter, true);
        rig.settings.setValue("Track3", settings::key::Comp, true);
        rig.settings.setValue("Track3", settings::key::Eq, true);
        rig.settings.setValue("Track3", settings::key::TrueBypass, true);
        rig.model->loadAll();
        QVERIFY(rig.model->setLink(2, true));
        QCOMPARE(rig.mismatch({"comp.2.link=2", "comp.3.link=3", "comp.3.threshold=-22", "comp.3.ratio=255",
                               "eq.3.3.gain=24", "eq.3.0.gain=255", "truebypass.3=1"}), QString());
        // The pair group now carries the editor keys of the left track.
        QCOMPARE(rig.settings.value("Track3_4", settings::key::editorPos(int(DynKnob::Threshold))), 40);
        QCOMPARE(rig.settings.value("Track3_4", settings::key::editorText(int(DynKnob::Ratio))), QString("inf:1"));
        QVERIFY(rig.settings.value("Track3_4", settings::key::EqLowCutFilter) && rig.settings.value("Track3_4", settings::key::Eq));
        QVERIFY(rig.settings.value("Track3_4", settings::key::Comp) && rig.model->setLink(2, false));
        QCOMPARE(rig.mismatch({"comp.2.link=1", "comp.3.link=1"}), QString());
        // Both sides keep the stereo strip's settings, which the unit now holds for each.
        QCOMPARE(rig.settings.value("Track4", settings::key::editorText(int(DynKnob::Ratio))), QString("inf:1"));
    }

    void linkFaderSendsAndSelection()
    {
        UnitRig rig;
        rig.model->setFaderLevel(strip("Track5"), -4.1);
        rig.model->setFaderLevel(strip("Track6"), -20.0);
        rig.model->setPost(strip("Track5"), 2, true);
        rig.model->setPre(strip("Track6"), 3, true);
        rig.model->setSendLevel(strip("Track5"), 2, 64);
        rig.model->setSendLevel(strip("Track6"), 2, 110);
        rig.model->setSelect(strip("Track6"), true);
        QVERIFY(rig.model->setLink(3, true));
        QCOMPARE(rig.model->selection(), std::optional<StripRef>(pairRef(3)));
        QCOMPARE(rig.model->faderLevel(strip("Track5_6")), -4.1);
        QCOMPARE(rig.model->sendPoint(strip("Track6"), 3), 1);
        QCOMPARE(rig.settings.value("Track6", settings::key::sendPoint(2)), 3);
        QCOMPARE(rig.model->sendPosition(strip("Track5_6"), 2), 64);
        // B takes A's points but keeps its own level.
        QCOMPARE(rig.mismatch({"fader.input.5=-41", "send.input.5.1.point=3", "send.input.5.1.level=2",
                               "send.input.5.2.point=1"}), QString());
        // An even track's knob stays off the stereo strip; the stereo knob drives both.
        QSignalSpy sends(&rig.model->events(pairRef(3)), &StripEvents::sendChanged);
        rig.model->setSendLevel(strip("Track6"), 1, 90);
        QCOMPARE(rig.model->sendPosition(strip("Track5_6"), 1), 0);
        QCOMPARE(sends.count(), 0);
        rig.model->setSendLevel(strip("Track5_6"), 1, 30);
        QCOMPARE(rig.model->sendPosition(strip("Track6"), 1), 30);
        // A reload that undoes or redoes the link (undo, a scene) hands the editor on as the button does.
        for (const auto &[linked, editing] : {std::pair{false, "Track5"}, {true, "Track5_6"}}) {
            rig.settings.setValue("Track5_6", settings::key::Link, linked);
            rig.model->loadAll();
            QCOMPARE(rig.model->selection(), std::optional<StripRef>(strip(editing)));
        }
        // A send loaded while unlinked shows on the stereo knob once linked; A's bypass comes over, and B's editor
        // does not stay on a strip that no longer shows.
        rig.settings.setValue("Track5_6", settings::key::Link, false);
        rig.settings.setValue("Track5", settings::key::sendLevel(4), 77);
        rig.model->loadAll();
        QVERIFY(rig.model->setTrueBypass(strip("Track5"), true) && rig.model->setSelect(strip("Track6"), true));
        QSignalSpy titles(rig.model.get(), &MixerModel::editorBypassChanged); // the editor says why it is empty
        QVERIFY(rig.model->setLink(3, true) && !rig.model->selection() && titles == QList<QVariantList>{{true}});
        QCOMPARE(rig.model->sendPosition(strip("Track5_6"), 4), 77);
    }

    void linkOffHandsStereoToBoth()
    {
        UnitRig rig;
        rig.model->setLink(10, true);
        rig.model->setFaderLevel(strip("Track19_20"), -10.7);
        rig.model->setEqOn(strip("Track19_20"), true);
        rig.model->setTrueBypass(strip("Track19_20"), true);
        QVERIFY(rig.model->setLink(10, false) && !rig.settings.value("Track19_20", settings::key::Link));
        QVERIFY(rig.model->eqOn(strip("Track19")) && rig.model->eqOn(strip("Track20")));
        QVERIFY(rig.model->trueBypass(strip("Track19")) && rig.model->trueBypass(strip("Track20")));
        QCOMPARE(rig.settings.value("Track20", settings::key::Fader), -10.7);
        QCOMPARE(rig.mismatch({"fader.input.18=-107", "fader.input.19=-107", "eq.19.2.on=1", "truebypass.19=1"}),
                 QString());
    }

    // ---- the full load

    void storedMixReachesUnit()
    {
        QVERIFY(lyntra_test::writeStoredMix());
        UnitRig rig(false);
        QStringList seen;
        for (int pair = 1; pair <= kPairs; ++pair)
            connect(&rig.model->events(pairRef(pair)), &StripEvents::linkChanged, this,
                    [&, pair](bool on) { seen << QStringLiteral("link%1%2").arg(pair).arg(on ? "+" : "-"); });
        connect(&rig.model->events(masterRef()), &StripEvents::sendChanged, this, [&](int send) {
            if (send == 0)
                seen << "return";
        });
        connect(&rig.model->events(monoRef(kTracks)), &StripEvents::nameChanged, this, [&] { seen << "names"; });
        connect(rig.model.get(), &MixerModel::loaded, this, [&] { seen << "loaded"; });
        rig.model->loadAll();
        QCOMPARE(seen, QStringList({"link1+", "link2-", "link3-", "link4-", "link5-", "link6-", "link7+",
                                    "link8-", "link9-", "link10-", "return", "names", "loaded"}));
        QStringList atUnit;
        for (const lyntra_test::UnitValue &u : lyntra_test::kStoredMixAtUnit)
            atUnit << QStringLiteral("%1=%2").arg(u.path).arg(u.value);
        QCOMPARE(rig.mismatch(atUnit), QString());
        QCOMPARE(rig.model->channelName(monoRef(2)), QStringLiteral("Trumpe"));
        QCOMPARE(rig.model->channelName(monoRef(20)), QString::fromUtf8("Ω Bass"));
        QCOMPARE(rig.model->panPosition(monoRef(20)), 79);
        QCOMPARE(rig.model->faderLevel(strip("Track1_2")), 6.0);
        QVERIFY(rig.model->pairLinked(7) && !rig.model->pairLinked(2));

        // Only a device that forgot what it sent repeats unchanged values.
        const int first = rig.messages;
        rig.model->loadAll();
        rig.unit();
        QVERIFY2(rig.messages - first >= first - 1, qPrintable(QString("%1 then %2").arg(first).arg(rig.messages)));
    }

    void emptyFileGivesDefaults()
    {
        UnitRig rig;
        rig.model->loadAll();
        const auto &unit = rig.unit();
        for (int n = 0; n < kTracks; ++n) {
            QCOMPARE(UnitRig::v(unit.inputFader[n]), 0);
            QCOMPARE(UnitRig::v(unit.inputMute[n]), 0);
            QCOMPARE(UnitRig::v(unit.pan[n]), 20);
            for (int s = 0; s < kSends; ++s) {
                QCOMPARE(UnitRig::v(unit.inputSend[n][s].level), -127);
                QCOMPARE(UnitRig::v(unit.inputSend[n][s].point), 1);
            }
        }
        QCOMPARE(UnitRig::v(unit.masterFader[0]), -1270);
        for (int s = 0; s < kSends; ++s)
            QCOMPARE(UnitRig::v(unit.masterSend[s].level), 0);
        QCOMPARE(UnitRig::v(unit.returnOn), 1);
        QCOMPARE(UnitRig::v(unit.returnLevel), -127);
        QCOMPARE(rig.model->panPosition(monoRef(2)), 79);
        // Restoring writes nothing.
        QVERIFY(!QFile::exists(rig.settings.mainFilePath()) || QFile(rig.settings.mainFilePath()).size() == 0);
    }
};

QTEST_GUILESS_MAIN(TstMixerModel)
#include "tst_mixermodel.moc"
