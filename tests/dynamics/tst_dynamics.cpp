// The compressor and EQ: the knob labels over every position (the steps themselves are the protocol's),
// the dynamics model's rules the editor cannot show, the curve displays rendered into images, and the
// channel editor driven like a user would, by object name, over a model whose messages reach the
// in-process firmware: what the records, the settings groups and the unit hold afterwards.
#include "channeleditor.h"
#include "compcurve.h"
#include "curvestyle.h"
#include "curvetables.h"
#include "eqcurve.h"
#include "mixerrig.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

using namespace mixer;
using curves::CurveMode;

namespace {

struct EditorRig : MixerRig {
    ChannelEditor editor{*unit.controls, &page};

    EditorRig()
    {
        editor.move(MixerPage::editorBand().topLeft());
        editor.show();
    }

    QString text(const QString &label) { return find<QLabel>(label)->text(); }
    // Presses a knob, moves the pointer `up` pixels up with the button held, releases.
    void drag(const QString &knob, int up)
    {
        QWidget *w = find(knob);
        PageRig::drag(w, w->rect().center(), {QPointF(0, -up)});
    }
    // What the settings file holds; invalid when nothing was written.
    QVariant stored(const QString &group, const char *key)
    {
        unit.settings.sync();
        return QSettings(unit.settings.mainFilePath(), QSettings::IniFormat).value(group + '/' + key);
    }
    DrawCompressor *curve() const { return editor.findChild<DrawCompressor *>(); }
};

} // namespace

class TstDynamics : public QObject {
    Q_OBJECT

private slots:
    // What the knobs show for a strip with nothing stored, and with no strip at all.
    void defaultPositions()
    {
        UnitRig rig;
        const QStringList labels{"0", "1.0:1", "0",    "2",   "10", "0",    "0",   "0",
                                 "0", "5.0k",  "1.2k", "300", "80", "1.00", "1.00"};
        for (int i = 0; i < kDynKnobs; ++i)
            for (const StripRef s : {monoRef(5), StripRef{}})
                QCOMPARE(dynLabel(dynKnobAt(i), rig.model->dynamics().position(s, dynKnobAt(i))), labels[i]);
    }

    void lowCutOffWhileEqOffIsNotSentLater()
    {
        UnitRig rig;
        DynamicsModel &dyn = rig.model->dynamics();
        const StripRef in3{StripKind::Mono, 3};
        QVERIFY(dyn.setLowCut(in3, true) && dyn.setLowCut(in3, false) && rig.model->setEqOn(in3, true));
        QCOMPARE(UnitRig::v(rig.unit().eq[2][0].gain), 0);
        // While the filter is on, the low gain knob cannot undo it.
        QVERIFY(dyn.setLowCut(in3, true) && !dyn.setKnob(in3, DynKnob::LowGain, 90));
        QCOMPARE(UnitRig::v(rig.unit().eq[2][0].gain), 255);
        QVERIFY(!dyn.setKnob({StripKind::Master, 0}, DynKnob::Ratio, 30));
    }

    // The curves in states the reference pictures do not show; how they are drawn is in those pictures.
    void eqCurveShapes()
    {
        const auto rows = [](auto set) {
            curves::EqCurveState s;
            set(s);
            return curves::eqCurveRows(s);
        };
        const auto flat = rows([](auto &) {});
        QVERIFY(std::all_of(flat.begin(), flat.end(), [](int r) { return r == curves::kEqZeroRow; }));
        // A +12 dB low shelf lifts the left end and leaves the right end on the 0 dB row.
        const auto shelf = rows([](auto &s) { s.lowGain = 12; });
        QVERIFY(shelf[2] < curves::kEqZeroRow - 20);
        QCOMPARE(shelf[130], curves::kEqZeroRow);
        // +12 dB on one mid band at its widest Q peaks 32 rows up at 1 kHz, column 76 or the one left of
        // it; 7 dB is 18.5 rows, rounded up.
        const auto bell = [&](int gain) {
            const auto r = rows([gain](auto &s) { s.lowMidGain = gain, s.lowMidQ = 0, s.lowMidFreq = 25; });
            const auto top = std::min_element(r.begin(), r.end());
            return QPair<int, int>(curves::kEqZeroRow - *top, int(top - r.begin()));
        };
        QVERIFY2(bell(12) == qMakePair(32, 76) || bell(12) == qMakePair(32, 75), QByteArray::number(bell(12).second));
        QCOMPARE(bell(7).first, 19);
        // Every Q step, the ones between the drawn tables too, is narrower than the one before.
        int wider = curves::kEqWidth;
        for (int q = 0; q < curves::kQSteps; ++q) {
            const auto r = rows([q](auto &s) { s.lowMidGain = 12, s.lowMidQ = uint8_t(q), s.lowMidFreq = 25; });
            const int lifted = int(std::count_if(r.begin(), r.end(), [](int y) { return y < curves::kEqZeroRow - 4; }));
            QVERIFY2(lifted < wider && lifted > 0, qPrintable(QStringLiteral("Q step %1: %2").arg(q).arg(lifted)));
            wider = lifted;
        }
        // The low-cut filter at -12 dB drives the low end to the bottom clamp.
        QCOMPARE(rows([](auto &s) { s.lowCut = true, s.lowGain = -12; })[1], curves::kEqHeight);
    }

    // The flat curve as drawn: the 0 dB row alone in every column. (A sample a row off moves too few
    // pixels for the reference pictures.)
    void flatEqCurveDrawnOnItsRow()
    {
        DrawEq eq;
        eq.setCurve({}, CurveMode::Active);
        QImage img(eq.size(), QImage::Format_ARGB32);
        img.fill(Qt::black);
        eq.render(&img);
        for (int x = 0; x < curves::kEqWidth; ++x)
            for (int y = 0; y < img.height(); ++y)
                QVERIFY2((img.pixelColor(x, y) == curves::curveColour(CurveMode::Active)) == (y == curves::kEqZeroRow),
                         qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
    }

    // The tables given for the displays, added up (one entry off shows): where each of the 66 frequency
    // steps sits, the compressor entries of the threshold steps listed in full (ratio steps 1-14) and of
    // the step after the first (the first list equals its line, so only its neighbour shows it) and the
    // step before the last (the last is flat: only its neighbour shows the line), and the band shapes.
    void tablesAddUp()
    {
        int columns = 0, entries = 0;
        for (int step = 0; step < curves::kColumns; ++step)
            columns += curves::column(step);
        QCOMPARE(columns, 5466);
        for (int threshold : {0, 1, 10, 20, 31})
            for (int ratio = 1; ratio < curves::kRatioSteps; ++ratio) {
                const curves::CompEntry e = curves::compEntry(threshold, ratio);
                entries += e.rightY + e.kneeX + e.kneeY;
            }
        QCOMPARE(entries, 5751);
        // The response shapes whole: the points they were given at, what joins them and where each is cut.
        int samples = 0;
        using namespace curves;
        for (const Shape *shape :
             {&bellShape(0), &bellShape(1), &bellShape(2), &bellShape(6), &lowShape(false), &lowShape(true),
              &highShape()})
            for (int w : *shape)
                samples += w;
        QCOMPARE(samples, 171370);
    }

    // The polygon: (0, 67), the bottom right corner, the right end, the knee.
    void compressorKneeFollowsThreshold()
    {
        // At infinite ratio the curve is flat after the knee: its right end is the knee's height.
        QVERIFY(curves::compCurvePolygon({10, 14})[2].y() > curves::compCurvePolygon({20, 14})[2].y() + 8);
        // Threshold 0 dB at any ratio, or ratio 1:1 at any threshold: the plain diagonal.
        for (int t = 0; t < curves::kThresholdSteps; ++t)
            for (const QPolygon &p : {curves::compCurvePolygon({32, t % curves::kRatioSteps}),
                                      curves::compCurvePolygon({t, 0})})
                QVERIFY(p[2] == QPoint(65, 2) && p[3] == p[2]);
    }

    // ---- the editor

    // A linked pair turns both channels; unlinked while selected, it hands the editor to its odd strip,
    // which a knob then turns alone, the store and the unit agreeing on both.
    void linkedPairTurnsBothChannelsUntilUnlinked()
    {
        EditorRig rig;
        rig.link(1);
        rig.click("pB_Comp1_2");
        rig.click("pB_EQ1_2");
        rig.click("pB_Analog1_2");
        QCOMPARE(rig.text("label_EditTarget"), QString("IN 1-2"));

        rig.drag("label_ThresholdKnob", 40);  // 127 stays at the top
        rig.drag("label_ThresholdKnob", -87); // 40: -22 dB
        QCOMPARE(rig.text("label_ThresholdDisp"), QString("-22"));
        const QImage straight = rig.curve()->grab().toImage(); // 1:1
        rig.drag("label_RatioKnob", 40);
        QVERIFY(rig.curve()->grab().toImage() != straight);
        // A notch a frequency: 1.2k -> 1.5k, index 30. The knob keeps the wheel: the page does not scroll too.
        QVERIFY(rig.wheel(rig.find("label_HighMidFreqKnob"), 360));
        QCOMPARE(rig.text("label_HighMidFreqDisp"), QString("1.5k"));
        // Down to 200 Hz, index 11: its own band, not its neighbour's.
        rig.wheel(rig.find("label_LowMidFreqKnob"), -360);

        for (const char *group : {"Track1_2", "Track1", "Track2"}) {
            QCOMPARE(rig.stored(group, "CompThresholdPos").toInt(), 40);
            QCOMPARE(rig.stored(group, "CompThresholdText"), QVariant("-22"));
            QCOMPARE(rig.stored(group, "EqHighMidFreqPos").toInt(), 60);
        }
        const auto &unit = rig.unit.unit();
        for (int ch : {1, 2}) {
            QCOMPARE(UnitRig::v(unit.comp[ch - 1].threshold), -22);
            QCOMPARE(UnitRig::v(unit.comp[ch - 1].link), 1 + ch);
            QCOMPARE(UnitRig::v(unit.eq[ch - 1][2].freq), 30);
            QCOMPARE(UnitRig::v(unit.eq[ch - 1][1].freq), 11);
        }

        rig.click("pB_LinkOff1_2");
        QVERIFY(rig.find<QPushButton>("pB_Analog1")->isChecked() && rig.find("pB_Analog1")->isVisible());
        rig.drag("label_ThresholdKnob", -20); // 40 down to 20
        for (int ch : {1, 2}) {
            const int stored = rig.stored(trackName(ch), "CompThresholdPos").toInt();
            QCOMPARE(stored, ch == 1 ? 20 : 40);
            QCOMPARE(UnitRig::v(rig.unit.unit().comp[ch - 1].threshold), dynUnit(DynKnob::Threshold, stored));
        }
    }

    void offSectionStoresAndSendsWhenSwitchedOn()
    {
        EditorRig rig;
        rig.click("pB_Adat3"); // Track15, EQ and compressor off
        QWidget *knob = rig.find("label_LowMidGainKnob");
        knob->setFocus();
        QTest::keyClick(knob, Qt::Key_Up);
        QTest::keyClick(knob, Qt::Key_Right);
        QTest::keyClick(knob, Qt::Key_Down);
        rig.drag("label_AttackKnob", 5);
        // A key a decibel: 0 dB (61) up to +1, +2 (71), down to the top of +1 dB.
        QCOMPARE(rig.stored("Track15", "EqLowMidGainPos").toInt(), 70);
        QCOMPARE(rig.stored("Track15", "CompAttackPos").toInt(), 5);
        const auto &before = rig.unit.unit();
        for (int band = 0; band < 4; ++band)
            QCOMPARE(UnitRig::v(before.eq[14][band].gain), -1000);
        QCOMPARE(UnitRig::v(before.comp[14].attack), -1000);

        rig.click("pB_EQAdat3");
        rig.click("pB_CompAdat3");
        const auto &after = rig.unit.unit();
        for (int band = 0; band < 4; ++band)
            QCOMPARE(UnitRig::v(after.eq[14][band].on), 1);
        QCOMPARE(UnitRig::v(after.eq[14][1].gain), 13); // +1 dB
        QCOMPARE(UnitRig::v(after.eq[14][1].q), 2);
        QCOMPARE(UnitRig::v(after.eq[14][3].freq), 47);
        QCOMPARE(UnitRig::v(after.comp[14].attack), 12);
        QCOMPARE(UnitRig::v(after.comp[14].link), 1);
    }

    void lowCutAndDoubleClickSetTheGains()
    {
        EditorRig rig;
        rig.click("pB_EQ3");
        rig.click("pB_Analog3");
        rig.drag("label_LowGainKnob", 40); // 61 -> 101: +8 dB
        QCOMPARE(rig.text("label_LowGainDisp"), QString("8"));
        auto *lowCut = rig.find<QPushButton>("pB_LowCutFilter");
        rig.click("pB_LowCutFilter");
        QVERIFY(lowCut->isChecked());
        QCOMPARE(UnitRig::v(rig.unit.unit().eq[2][0].gain), 255);
        QVERIFY(!rig.find("label_LowGainKnob")->isEnabled());
        QCOMPARE(rig.text("label_LowGainDisp"), QString("---"));

        rig.click("pB_LowCutFilter");
        QVERIFY(!lowCut->isChecked());
        QCOMPARE(UnitRig::v(rig.unit.unit().eq[2][0].gain), 0);
        QCOMPARE(rig.text("label_LowGainDisp"), QString("-12"));
        QCOMPARE(rig.stored("Track3", "EqLowGainPos").toInt(), 0);
        QCOMPARE(rig.stored("Track3", "EqLowGainValue").toInt(), -12);

        rig.drag("label_HighGainKnob", 30);
        QCOMPARE(rig.text("label_HighGainDisp"), QString("6"));
        QWidget *knob = rig.find("label_HighGainKnob");
        QTest::mouseDClick(knob, Qt::LeftButton);
        QCOMPARE(rig.text("label_HighGainDisp"), QString("0"));
        // The drag that goes on after a double-click changes nothing.
        QMouseEvent move(QEvent::MouseMove, QPointF(9, -20), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(knob, &move);
        QCOMPARE(rig.stored("Track3", "EqHighGainPos").toInt(), kEqFlatPosition);
        // Only the gains reset: a double-click on a frequency knob is no gesture.
        QTest::mouseDClick(rig.find("label_HighFreqKnob"), Qt::LeftButton);
        QVERIFY(!rig.stored("Track3", "EqHighFreqPos").isValid());
    }

    void withoutSelectionKnobsDoNothing()
    {
        EditorRig rig;
        rig.click("pB_Analog2");
        rig.click("pB_Analog2"); // deselected again
        for (const char *knob : {"label_RatioKnob", "label_HighGainKnob", "label_LowMidQKnob"}) {
            rig.drag(knob, 30);
            rig.wheel(rig.find(knob), 240);
            QTest::mouseDClick(rig.find(knob), Qt::LeftButton);
        }
        rig.click("pB_LowCutFilter");
        QVERIFY(!rig.find<QPushButton>("pB_LowCutFilter")->isChecked());
        for (int track = 1; track <= kTracks; ++track)
            for (const char *key : {"CompRatioPos", "EqHighGainPos", "EqLowMidQFreqPos"})
                QVERIFY(!rig.stored(trackName(track), key).isValid());
        QVERIFY(!rig.find("label_RatioDisp")->isVisible());
        QCOMPARE(rig.curve()->mode(), curves::CurveMode::Empty);
    }

    void selectingLoadsTheEditorOnly()
    {
        EditorRig rig;
        rig.unit.settings.writeValue("Track7", "CompRatioPos", 84);
        rig.unit.settings.writeValue("Track7", "EqLowMidQFreqPos", 108);
        rig.unit.settings.setValue("Track7", settings::key::EqLowCutFilter, true);
        rig.click("pB_Analog7");
        QCOMPARE(rig.text("label_RatioDisp"), QString("inf:1"));
        QCOMPARE(rig.text("label_LowMidQDisp"), QString("16.00"));
        QVERIFY(rig.find<QPushButton>("pB_LowCutFilter")->isChecked());
        QCOMPARE(rig.text("label_LowGainDisp"), QString("---"));
        QVERIFY(rig.find("label_RatioDisp")->isVisible());

        rig.click("pB_Analog8"); // another strip: its own values, filter off
        QCOMPARE(rig.text("label_RatioDisp"), QString("1.0:1"));
        QVERIFY(!rig.find<QPushButton>("pB_LowCutFilter")->isChecked() && rig.find("label_LowGainKnob")->isEnabled());
        QCOMPARE(rig.text("label_LowGainDisp"), QString("0"));
    }

    // A reload keeps a selected stereo strip in the editor, with what it loaded; one that comes back in
    // true bypass is deselected and the editor says why, though strips are loaded after it; the next
    // reload, with no strip edited, clears that.
    void reloadKeepsTheStereoStrip()
    {
        EditorRig rig;
        QVERIFY(rig.link(1));
        rig.click(mixer::widgetName(WidgetKind::Select, {StripKind::Pair, 1}));
        rig.unit.settings.writeValue("Track1_2", "CompRatioPos", 84);
        rig.unit.model->loadAll();
        QCOMPARE(rig.text("label_RatioDisp"), QString("inf:1"));
        rig.unit.settings.setValue("Track1", settings::key::TrueBypass, true);
        rig.unit.model->loadAll();
        QCOMPARE(rig.curve()->mode(), curves::CurveMode::Empty);
        QCOMPARE(rig.text("label_Compressor"), QString("Bypass"));
        rig.unit.model->loadAll();
        QCOMPARE(rig.text("label_Compressor"), QString());
    }

    void metersAndTitlesFollowTheStrip()
    {
        EditorRig rig;
        auto *gr = rig.find<QLabel>("label_GRMeter");
        QVERIFY(gr->styleSheet().contains("GR_passive.png"));
        rig.click("pB_Analog5");
        QVERIFY(gr->styleSheet().contains("GR_active.png"));
        rig.click("pB_Comp5");
        QVERIFY(gr->styleSheet().contains("GR_available.png"));
        QCOMPARE(rig.curve()->mode(), curves::CurveMode::Active);
        auto *eq = rig.editor.findChild<DrawEq *>();
        const QImage eqOff = eq->grab().toImage();
        rig.click("pB_EQ5");
        QVERIFY(eq->grab().toImage() != eqOff);

        rig.click("pB_Bypass5");
        QVERIFY(rig.text("label_Compressor") == "Bypass" && rig.text("label_Equalizer") == "Bypass");
        QVERIFY(!rig.find("label_ThresholdDisp")->isVisible() && gr->styleSheet().contains("GR_passive.png"));
        rig.click("pB_Bypass5");
        QCOMPARE(rig.text("label_Compressor"), QString());
    }
};

QTEST_MAIN(TstDynamics)
#include "tst_dynamics.moc"
