// The channel editor driven like a user would, by object name, over a model whose messages reach the
// in-process firmware: what the records, the settings groups and the unit hold afterwards.
#include "channeleditor.h"
#include "compcurve.h"
#include "eqcurve.h"
#include "pagerig.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

using namespace mixer;

namespace {

struct EditorRig : PageRig {
    ChannelEditor editor{*unit.model, &page};

    EditorRig()
    {
        editor.move(MixerPage::editorBand().topLeft());
        editor.show();
    }

    QString text(const QString &label) const { return find<QLabel>(label)->text(); }
    // Presses a knob, moves the pointer `up` pixels up with the button held, releases.
    void drag(const QString &knob, int up)
    {
        QWidget *w = find(knob);
        PageRig::drag(w, w->rect().center(), {QPointF(0, -up)});
    }
    void wheel(const QString &knob, int notches)
    {
        QWidget *w = find(knob);
        const QPointF c = w->rect().center();
        QWheelEvent ev(c, w->mapToGlobal(c.toPoint()), {}, QPoint(0, 120 * notches), Qt::NoButton, {},
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &ev);
    }
    // What the settings file holds; invalid when nothing was written.
    QVariant stored(const QString &group, const char *key)
    {
        unit.settings.sync();
        return QSettings(unit.settings.mainFilePath(), QSettings::IniFormat).value(group + '/' + key);
    }
    const DynamicsModel &dyn() const { return unit.model->dynamics(); }
};

} // namespace

class TstChannelEditor : public QObject {
    Q_OBJECT

private slots:
    void linkedPairTurnsBothChannels()
    {
        EditorRig rig;
        rig.unit.model->setLink(1, true);
        rig.click("pB_Comp1_2");
        rig.click("pB_EQ1_2");
        rig.click("pB_Analog1_2");
        QCOMPARE(rig.text("label_EditTarget"), QString("IN 1-2"));

        rig.drag("label_ThresholdKnob", 40);  // 127 stays at the top
        rig.drag("label_ThresholdKnob", -87); // 40: -22 dB
        QCOMPARE(rig.text("label_ThresholdDisp"), QString("-22"));
        rig.wheel("label_HighMidFreqKnob", 3); // 54 -> 57: index 28, 1.3k
        QCOMPARE(rig.text("label_HighMidFreqDisp"), QString("1.3k"));

        for (const char *group : {"Track1_2", "Track1", "Track2"}) {
            QCOMPARE(rig.stored(group, "CompThresholdPos").toInt(), 40);
            QCOMPARE(rig.stored(group, "CompThresholdText"), QVariant("-22"));
            QCOMPARE(rig.stored(group, "EqHighMidFreqPos").toInt(), 57);
        }
        const auto &unit = rig.unit.unit();
        for (int ch : {1, 2}) {
            QCOMPARE(int(rig.dyn().compRecord(ch).threshold), 40);
            QCOMPARE(int(rig.dyn().eqRecord(ch).highMidFreq), 57);
            QCOMPARE(UnitRig::v(unit.comp[ch - 1].threshold), -22);
            QCOMPARE(UnitRig::v(unit.comp[ch - 1].link), 1 + ch);
            QCOMPARE(UnitRig::v(unit.eq[ch - 1][2].freq), 28);
        }
        QCOMPARE(rig.editor.compressor()->curveState().thresholdStep, 10);
        QCOMPARE(int(rig.editor.equalizer()->curveState().highMidFreq), 28);
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
        QCOMPARE(rig.stored("Track15", "EqLowMidGainPos").toInt(), 62);
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
        QCOMPARE(UnitRig::v(after.eq[14][1].gain), 12); // 62, like 61, is 0 dB
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
        QVERIFY(rig.editor.equalizer()->curveState().lowCut);

        rig.click("pB_LowCutFilter");
        QVERIFY(!lowCut->isChecked());
        QCOMPARE(UnitRig::v(rig.unit.unit().eq[2][0].gain), 0);
        QCOMPARE(rig.text("label_LowGainDisp"), QString("-12"));
        QCOMPARE(rig.stored("Track3", "EqLowGainPos").toInt(), 0);
        QCOMPARE(rig.stored("Track3", "EqLowGainValue").toInt(), -12);
        QCOMPARE(int(rig.editor.equalizer()->curveState().lowGain), -12);

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
            rig.wheel(knob, 2);
            QTest::mouseDClick(rig.find(knob), Qt::LeftButton);
        }
        rig.click("pB_LowCutFilter");
        QVERIFY(!rig.find<QPushButton>("pB_LowCutFilter")->isChecked());
        for (int track = 1; track <= kTracks; ++track)
            for (const char *key : {"CompRatioPos", "EqHighGainPos", "EqLowMidQFreqPos"})
                QVERIFY(!rig.stored(trackName(track), key).isValid());
        QVERIFY(!rig.find("label_RatioDisp")->isVisible());
        QCOMPARE(rig.editor.compressor()->mode(), curves::CurveMode::Empty);
    }

    void selectingLoadsTheEditorOnly()
    {
        EditorRig rig;
        rig.unit.settings.writeValue("Track7", "CompRatioPos", 84);
        rig.unit.settings.writeValue("Track7", "EqLowMidQFreqPos", 108);
        rig.unit.settings.setEqLowCutFilter("Track7", true);
        rig.click("pB_Analog7");
        QCOMPARE(rig.text("label_RatioDisp"), QString("inf:1"));
        QCOMPARE(rig.text("label_LowMidQDisp"), QString("16.00"));
        QVERIFY(rig.find<QPushButton>("pB_LowCutFilter")->isChecked());
        QCOMPARE(rig.text("label_LowGainDisp"), QString("-12"));
        QVERIFY(rig.find("label_RatioDisp")->isVisible());
        // The records are filled by the load from the settings, not by showing them.
        QCOMPARE(int(rig.dyn().compRecord(7).ratio), 0);
        QCOMPARE(rig.editor.compressor()->curveState().ratioStep, 14);

        rig.click("pB_Analog8"); // another strip: its own values, filter off
        QCOMPARE(rig.text("label_RatioDisp"), QString("1.0:1"));
        QCOMPARE(int(rig.editor.equalizer()->curveState().highFreq), 15); // 5.0k, the high band's 16th
        QVERIFY(!rig.find<QPushButton>("pB_LowCutFilter")->isChecked());
        QVERIFY(rig.find("label_LowGainKnob")->isEnabled());
    }

    void metersAndTitlesFollowTheStrip()
    {
        EditorRig rig;
        auto *gr = rig.find<QLabel>("label_GRMeter");
        QVERIFY(gr->styleSheet().contains("GR_passive.png"));
        QCOMPARE(gr->geometry(), QRect(569, 73, 5, 63));
        rig.click("pB_Analog5");
        QVERIFY(gr->styleSheet().contains("GR_active.png"));
        rig.click("pB_Comp5");
        QVERIFY(gr->styleSheet().contains("GR_available.png"));
        QCOMPARE(rig.editor.compressor()->mode(), curves::CurveMode::Active);

        rig.click("pB_Bypass5");
        QCOMPARE(rig.text("label_Compressor"), QString("Bypass"));
        QCOMPARE(rig.text("label_Equalizer"), QString("Bypass"));
        QVERIFY(!rig.find("label_ThresholdDisp")->isVisible());
        QVERIFY(gr->styleSheet().contains("GR_passive.png"));
        rig.click("pB_Bypass5");
        QCOMPARE(rig.text("label_Compressor"), QString());
    }
};

QTEST_MAIN(TstChannelEditor)
#include "tst_channeleditor.moc"
