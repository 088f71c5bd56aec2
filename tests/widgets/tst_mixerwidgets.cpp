// The mixer widgets driven through real mouse and key events: knob arithmetic, fader pairs, the strips'
// buttons, send knobs and pan markers, and the assembled page. Each gesture is checked in what the
// widgets show, what the settings store holds and what the in-process unit received.
#include "dialcontrolsend.h"
#include "faderpair.h"
#include "knobdrag.h"
#include "knobframes.h"
#include "knobscale.h"
#include "lampstyle.h"
#include "masterstrip.h"
#include "mixerrig.h"
#include "pairstrip.h"
#include "pancontrol.h"
#include "pandrag.h"
#include "scales.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

Q_DECLARE_METATYPE(KnobScale)

using mixer::StripKind;
using mixer::WidgetKind;

namespace {

// A drag as the slider reports it: handle down, moved to each position, released.
void dragSlider(QSlider *s, const QList<int> &positions)
{
    s->setSliderDown(true);
    for (int p : positions)
        s->setSliderPosition(p);
    s->setSliderDown(false);
}

QString faderPath(const QString &track)
{
    return track == mixer::kMasterTrack
               ? QStringLiteral("fader.master.0")
               : QStringLiteral("fader.input.%1").arg(strip(track).number - 1);
}

} // namespace

class TestMixerWidgets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { lyntra_init_resources(); }

    // ---- knob arithmetic

    void knobDrag()
    {
        const struct { KnobScale scale; int start; double pressY; QList<double> moves; int index; } rows[] = {
            {KnobScale::Send, 0, 10.0, {9.0}, 1}, // up one pixel
            {KnobScale::Send, 50, 10.4, {9.5}, 50}, // halves round up
            {KnobScale::Send, 50, 10.5, {9.4}, 52}, // half pixel step
            {KnobScale::Send, 120, 0.0, {-300.0, -297.0}, 124}, // back at once after top
            {KnobScale::PreDelay, 200, 0.0, {-500.0, -490.0}, 240}, // pre-delay back
            {KnobScale::Diffusion, 10, 0.0, {-3.0, -8.0, -6.0}, 16}, // several steps
        };
        for (const auto &[scale, start, pressY, moves, index] : rows) {
            KnobDrag drag(KnobFrames(QString(), QString(), QSize(26, 26)));
            drag.press(scale, start, QPointF(3, pressY), KnobDrag::Arming::Latched);
            for (double y : moves)
                QVERIFY(drag.move(QPointF(3, y)));
            QCOMPARE(drag.index(), index);
        }
    }

    // The frames of every index of a scale add up as the bands given for the knob images do (the general
    // dial keeps its frame at index 10: -1).
    void knobFrames()
    {
        using K = KnobScale;
        for (const auto &[scale, lo, hi, sum] :
             {std::tuple{K::Dial, 0, 127, 1294}, {K::DialQ, 0, 127, 1318}, {K::DialRatio, 0, 127, 1568},
              {K::PreDelay, 0, 250, 2510}, {K::ReverbTime, 1, 100, 833}, {K::Diffusion, 0, 100, 970},
              {K::Send, 0, 127, 1271}}) {
            int frames = 0;
            for (int i = lo; i <= hi; ++i)
                frames += knobFrame(scale, i);
            QCOMPARE(frames, sum);
        }
    }

    // ---- fader pairs

    void faderDrag()
    {
        const struct { QString track; QList<int> positions; bool shift; double shown; } rows[] = {
            {"Track11", {40, 0}, false, -99.9}, // bottom is off
            {"Track2", {40}, false, -19.3}, // released mid-way
            {"TrackMaster", {100}, false, 6.0}, // master top
            {"Track4", {30, 20}, true, 0.0}, // Shift release to unity
            {"TrackMaster", {0}, true, 0.0}, // Shift release master from off
        };
        for (const auto &[track, positions, shift, shown] : rows) {
            MixerRig rig;
            const mixer::StripRef ref = strip(track);
            auto *slider = rig.find<QSlider>(mixer::widgetName(WidgetKind::Fader, ref));
            auto *box = rig.find<QDoubleSpinBox>(mixer::widgetName(WidgetKind::FaderDisplay, ref));
            QVERIFY(slider && box);
            if (shift)
                QTest::keyPress(&rig.page, Qt::Key_Shift, Qt::ShiftModifier);
            dragSlider(slider, positions);
            if (shift)
                QTest::keyRelease(&rig.page, Qt::Key_Shift);
            QCOMPARE(slider->value(), mixer::fader::positionFor(shown));
            QCOMPARE(box->value(), shown);
            QCOMPARE(rig.unit.model->faderLevel(ref), shown);
            QCOMPARE(rig.unit.mismatch({faderPath(track) + '=' + QString::number(mixer::fader::wire(shown))}),
                     QString());
        }
    }

    void faderTyped()
    {
        const struct { QString track, text; double kept; int position; } rows[] = {
            {"Track1", "-0.1", -0.1, 79}, // between entries
            {"Track2", "-10", -10.0, 53}, // exact entry
            {"Track7", "-97", -97.0, 0}, // below the last step
            {"Track3_4", "-2.0", -2.0, 73}, // pair both channels
        };
        for (const auto &[track, text, kept, position] : rows) {
            MixerRig rig;
            const mixer::StripRef ref = strip(track);
            if (ref.kind == StripKind::Pair)
                QVERIFY(rig.link(ref.number));
            auto *slider = rig.find<QSlider>(mixer::widgetName(WidgetKind::Fader, ref));
            auto *box = rig.find<QDoubleSpinBox>(mixer::widgetName(WidgetKind::FaderDisplay, ref));
            QVERIFY(slider && box);
            box->selectAll();
            QTest::keyClicks(box, text);
            QTest::keyClick(box, Qt::Key_Enter);
            QCOMPARE(slider->value(), position);
            QCOMPARE(box->value(), kept);
            QCOMPARE(rig.storedMismatch({QStringLiteral("%1/Fader=%2").arg(track).arg(kept)}), QString());
            const QString wire = QString::number(qRound(kept * 10));
            const QStringList unit = ref.kind == StripKind::Pair
                                         ? QStringList{"fader.input.2=" + wire, "fader.input.3=" + wire}
                                         : QStringList{faderPath(track) + '=' + wire};
            QCOMPARE(rig.unit.mismatch(unit), QString());
            // The next drag shows the scale's level again.
            dragSlider(slider, {position + 10});
            QCOMPARE(box->value(), mixer::fader::levelAt(position + 10));
        }
    }

    // A wheel notch over a fader or its box moves one step of the scale and goes out at once; a
    // fine-grained wheel's half notches add up to one. The wheel comes marked as from the window
    // system, so Qt's own focus-on-wheel runs: a box it focused would send its value again when left.
    void faderWheel()
    {
        MixerRig rig;
        rig.wheel(rig.find<QSlider>(QStringLiteral("vS_FaderKnob3")), 240);
        for (int half : {-60, -60})
            rig.wheel(rig.find<QDoubleSpinBox>(QStringLiteral("dSB_faderDisplay5")), half);
        QVERIFY(rig.page.focusWidget() != rig.find<QDoubleSpinBox>(QStringLiteral("dSB_faderDisplay5")));
        QCOMPARE(rig.find<QDoubleSpinBox>(QStringLiteral("dSB_faderDisplay3"))->value(), 0.6);
        QCOMPARE(rig.find<QDoubleSpinBox>(QStringLiteral("dSB_faderDisplay5"))->text(), QStringLiteral("-0.3"));
        QCOMPARE(rig.storedMismatch({"Track3/Fader=0.6", "Track5/Fader=-0.3"}), QString());
        QCOMPARE(rig.unit.mismatch({"fader.input.2=6", "fader.input.4=-3"}), QString());
    }

    // Linking copies the odd side's level to the stereo strip; the faders follow the model silently.
    void faderFollowsModel()
    {
        MixerRig rig;
        QSignalSpy moved(rig.find<QSlider>(QStringLiteral("vS_FaderKnob5")), &QSlider::valueChanged);
        rig.unit.model->setFaderLevel(mixer::monoRef(5), -12.1);
        QVERIFY(rig.link(3));
        QCOMPARE(rig.find<QSlider>(QStringLiteral("vS_FaderKnob5_6"))->value(), 50);
        QCOMPARE(rig.find<QDoubleSpinBox>(QStringLiteral("dSB_faderDisplay5_6"))->value(), -12.1);
        QCOMPARE(rig.find<QSlider>(QStringLiteral("vS_FaderKnob5"))->value(), 50);
        QCOMPARE(moved.count(), 0);
    }

    // ---- strips

    // Space-separated lists: buttons to click; buttons checked afterwards ("!": not checked); what the
    // unit holds ("null": never received); what the settings hold.
    void buttons()
    {
        const struct { int linkPair; QString clicks, checked, unit, stored; } rows[] = {
            // clang-format off
            {0, "pB_Mute1", "pB_Mute1 pB_Mute1_2 !pB_Mute2", "mute.input.0=1", "Track1/Mute=true"}, // mono mute mirrors on stereo
            {0, "pB_Mute2", "pB_Mute2 !pB_Mute1_2", "mute.input.1=1 mute.input.0=null", "Track2/Mute=true Track1/Mute=false"}, // even mute leaves stereo
            {0, "pB_MuteSP1 pB_MuteSP1", "!pB_MuteSP1", "mute.input.10=0", "Track11/Mute=false"}, // mute twice is off
            {1, "pB_Mute1_2", "pB_Mute1 pB_Mute2", "mute.input.0=1 mute.input.1=1", "Track1/Mute=true Track2/Mute=true"}, // stereo mute both sides
            {0, "pB_masterMute", "pB_masterMute !pB_Mute1", "mute.master.0=1 mute.master.1=1 mute.input.0=null", "TrackMaster/Mute=true"}, // master mute
            {0, "pB_Phase3", "pB_Phase3_4_L !pB_Phase3_4_R", "phase.2=1 phase.3=null", "Track3/Phase=true Track3_4_L/Phase=true"}, // odd phase mirrors left side
            {2, "pB_Phase3_4_R", "pB_Phase4 !pB_Phase3", "phase.3=1 phase.2=null", "Track4/Phase=true Track3_4_R/Phase=true Track3/Phase=false"}, // stereo right phase
            {6, "pB_Bypass11_12", "pB_Bypass11_12", "truebypass.10=1 truebypass.11=1 truebypass.12=null", "Track11/TrueBypass=true Track12/TrueBypass=true"}, // stereo bypass both channels
            {0, "pB_EQ5", "pB_EQ5", "eq.4.0.on=1", "Track5/Eq=true"}, // eq on
            {3, "pB_Comp5_6", "pB_Comp5_6", "comp.4.on=1 comp.5.on=1", "Track5_6/Comp=true"}, // stereo compressor
            {0, "pB_Pre2_1 pB_Post2_1", "pB_Post2_1 pB_Post2_1_2 !pB_Pre2_1", "send.input.0.1.point=3", "Track1/Send2_Point=3"}, // pre then post
            {7, "pB_Pre4_Adat1_2", "pB_Pre4_Adat1 pB_Pre4_Adat2", "send.input.12.3.point=2 send.input.13.3.point=2", "Track13/Send4_Point=2 Track14/Send4_Point=2"}, // stereo pre both tracks
            {0, "pB_Solo1", "pB_Solo1_2 pB_MuteAdat8 !pB_Mute1", "mute.input.0=0 mute.input.19=1", "Track20/Mute=true Track1/Mute=false"}, // solo mutes the others
            {0, "pB_masterReverb pB_masterReverb", "pB_masterReverb", "return.on=1 return.level=-127", "Reverb/MasterReverb=true"}, // reverb switch back on
            {0, "pB_Analog3 pB_SPDIF2", "pB_SPDIF2 !pB_Analog3", "", "Track12/Select=true"}, // select moves
            // clang-format on
        };
        for (const auto &[linkPair, clicks, checked, unit, stored] : rows) {
            MixerRig rig;
            if (linkPair)
                QVERIFY(rig.link(linkPair));
            for (const QString &name : clicks.split(' '))
                QVERIFY2(rig.click(name), qPrintable(name));
            // The mouse leaves the keyboard where it was: no focus frame comes up under it.
            QVERIFY(!qobject_cast<QPushButton *>(rig.page.focusWidget()));
            for (QString name : checked.split(' ')) {
                const bool want = !name.startsWith('!');
                auto *b = rig.find<QPushButton>(name.remove('!'));
                QVERIFY2(b && b->isChecked() == want, qPrintable(name));
            }
            QCOMPARE(rig.unit.mismatch(unit.split(' ', Qt::SkipEmptyParts)), QString());
            QCOMPARE(rig.storedMismatch(stored.split(' ')), QString());
        }
    }

    void sendKnobs()
    {
        // Knob, vertical steps, the value shown, another label that must show the same, the unit and the
        // settings ("Group/Key=value", space-separated).
        const struct { int linkPair; QString knob; QList<int> steps; QString text, mirror, unit, stored; } rows[] = {
            // clang-format off
            {0, "label_Send1Knob1", {-4, -6}, "-78dB", "label_Send1Display1_2", "send.input.0.0.level=-78 send.input.1.0.level=null", "Track1/Send1_Level=10 Track1/Send1_Value=-78dB Track2/Send1_Level=0"}, // mono up ten
            {4, "label_Send3Knob7_8", {-200}, "  6dB", "label_Send3Display8", "send.input.6.2.level=6 send.input.7.2.level=6", "Track7/Send3_Level=127 Track8/Send3_Level=127 Track7_8/Send3_Level=0"}, // stereo to both tracks
            {0, "label_Send1KnobAdat8", {5}, "-inf.", "", "send.input.19.0.level=-127", "Track20/Send1_Level=0"}, // down stops at -inf
            {0, "label_Send2KnobMaster", {-2}, "  0dB", "", "send.master.1.level=0", ""}, // master from 0 dB
            {0, "label_Send1KnobMaster", {27}, "-12dB", "", "send.master.0.level=-12", "TrackMaster/Send1_Level=75 TrackMaster/Send1_Value=-12dB"}, // master down
            {0, "label_SendKnobReturn", {-29}, "-42dB", "", "return.level=-42", "TrackMaster/Return_Value=-42dB"}, // return
            // clang-format on
        };
        for (const auto &row : rows) {
            MixerRig rig;
            if (row.linkPair)
                QVERIFY(rig.link(row.linkPair));
            if (row.knob.contains("Return"))
                QVERIFY(rig.click("pB_masterReverb"));
            auto *k = rig.find<DialControlSend>(row.knob);
            auto *d = rig.find<QLabel>(QString(row.knob).replace("Knob", "Display"));
            QVERIFY2(k && d && !d->isVisible(), qPrintable(row.knob));
            QList<QPointF> moves;
            for (int dy : row.steps)
                moves << QPointF(0, dy);
            QVERIFY2(PageRig::drag(k, QPointF(13, 13), moves, d), "value label shown while held");
            QVERIFY2(!d->isVisible(), "value label hidden after release");
            QCOMPARE(d->text(), row.text);
            if (!row.mirror.isEmpty())
                QCOMPARE(rig.find<QLabel>(row.mirror)->text(), row.text);
            QCOMPARE(rig.unit.mismatch(row.unit.split(' ')), QString());
            QCOMPARE(rig.storedMismatch(row.stored.split(' ', Qt::SkipEmptyParts)), QString());
        }
    }

    void panDrag()
    {
        // The other marker of the same channel shows the same position.
        const struct { int linkPair; QString marker; QList<QPointF> steps; int position; QString twin; int track; } rows[] = {
            // clang-format off
            {0, "label_panKnob1", {{5, 0}}, 25, "label_panKnob1_2_L", 1}, // odd right five
            {0, "label_panKnob3", {{30, 0}, {-2, 0}}, 38, "label_panKnob3_4_L", 3}, // odd caps at 40
            {0, "label_panKnob2", {{-15, 0}, {-15, 0}}, 59, "label_panKnob1_2_R", 2}, // even floor 59
            {5, "label_panKnob9_10_R", {{20, 0}}, 99, "label_panKnob10", 10}, // stereo right marker
            {8, "label_panKnobAdat3_4_L", {{-1.5, 0}}, 19, "label_panKnobAdat3", 15}, // stereo left marker
            // clang-format on
        };
        for (const auto &[linkPair, marker, steps, position, twin, track] : rows) {
            MixerRig rig;
            if (linkPair)
                QVERIFY(rig.link(linkPair));
            auto *m = rig.find<PanControl>(marker);
            auto *display = rig.find<QLabel>(QString(marker).replace("Knob", "Display"));
            QVERIFY2(m && display && PageRig::drag(m, QPointF(8, 6), steps, display) && !display->isVisible(),
                     qPrintable(marker));
            QVERIFY(qAbs(display->geometry().bottom() - m->y()) < 8); // it showed just above its marker
            const QString text = mixer::pan::label(position);
            QCOMPARE(display->text(), text);
            QCOMPARE(rig.find<QLabel>(QString(twin).replace("Knob", "Display"))->text(), text);
            // The marker's x is the position, less where its strip starts in the shared panel.
            const bool stereo = marker.endsWith("_L") || marker.endsWith("_R");
            QCOMPARE(m->pos(), QPoint(position - (!stereo && position >= 59 ? 59 : 0), PanDrag::kMarkerY));
            QCOMPARE(rig.find<PanControl>(twin)->pos().y(), PanDrag::kMarkerY);
            QCOMPARE(rig.storedMismatch({QStringLiteral("Track%1/Pan_pos=%2").arg(track).arg(position)}),
                     QString());
            const int index = position >= 59 ? position - 59 : position;
            QCOMPARE(rig.unit.mismatch({QStringLiteral("pan.%1=%2").arg(track - 1).arg(index)}), QString());
        }
    }

    void panDoubleClickCentres()
    {
        MixerRig rig;
        // The marker's picture goes with its place: the reference pictures show both.
        auto *m = rig.find<PanControl>(QStringLiteral("label_panKnob4"));
        PageRig::drag(m, QPointF(8, 6), {QPointF(-12, 0)});
        QCOMPARE(rig.unit.model->panPosition(mixer::monoRef(4)), 67);
        QCOMPARE(rig.storedMismatch({"Track4/Pan_pos=67", "Track4/Pan_value=L12"}), QString());
        QTest::mouseDClick(m, Qt::LeftButton, {}, QPoint(8, 6));
        QCOMPARE(rig.unit.model->panPosition(mixer::monoRef(4)), 79);
        QCOMPARE(m->pos(), QPoint(79 - 59, PanDrag::kMarkerY));
        QCOMPARE(rig.find<PanControl>(QStringLiteral("label_panKnob3_4_R"))->pos().x(), 79);
        QCOMPARE(rig.find<QLabel>(QStringLiteral("label_panDisplay3_4_R"))->text(), QStringLiteral("C"));
        QCOMPARE(rig.unit.mismatch({"pan.3=20"}), QString());
    }

    void linkNameAndBypass()
    {
        MixerRig rig;
        auto *stack = rig.find<QStackedWidget>(QStringLiteral("sW_channelAdat5_6"));
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("monoAdat5_6"));
        QVERIFY(rig.link(9));
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("stereoAdat5_6"));
        QVERIFY(rig.click(QStringLiteral("pB_LinkOffAdat5_6")));
        QCOMPARE(stack->currentIndex(), 0);

        auto *edit = rig.find<QLineEdit>(QStringLiteral("lineEdit_ch7"));
        rig.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.page));
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("Guitars"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QStringLiteral("Guitar"));
        QCOMPARE(rig.storedMismatch({QStringLiteral("Track7/Name=Guitar")}), QString());
        QVERIFY(!edit->hasFocus());

        QVERIFY(rig.click(QStringLiteral("pB_Analog5")) && rig.click(QStringLiteral("pB_Bypass5")));
        for (const char *name : {"pB_Phase5", "pB_EQ5", "pB_Comp5", "pB_Analog5"})
            QVERIFY2(!rig.find(QLatin1String(name))->isEnabled(), name);
        QVERIFY(!rig.find<QPushButton>(QStringLiteral("pB_Analog5"))->isChecked());
        QVERIFY(rig.find(QStringLiteral("pB_Mute5"))->isEnabled());
        QVERIFY(rig.click(QStringLiteral("pB_Bypass5")) && rig.find(QStringLiteral("pB_EQ5"))->isEnabled());
        QCOMPARE(rig.unit.mismatch({"truebypass.4=0"}), QString());
    }

    // Escape puts back what a field showed, a level set elsewhere while the user typed included; the
    // focus leaving afterwards changes nothing.
    void escapeCancelsTyping()
    {
        MixerRig rig;
        rig.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.page));
        auto *box = rig.find<QDoubleSpinBox>(QStringLiteral("dSB_faderDisplay3"));
        auto *name = rig.find<QLineEdit>(QStringLiteral("lineEdit_ch3"));
        const QString level = box->text(), named = name->text();
        const auto typeThenEscape = [](QWidget *field) {
            field->setFocus();
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(field, QStringLiteral("-4"));
            QTest::keyClick(field, Qt::Key_Escape);
            return field->hasFocus();
        };
        QVERIFY(typeThenEscape(box));
        QCOMPARE(box->text(), level);
        QVERIFY(typeThenEscape(name));
        QCOMPARE(name->text(), named);
        QCOMPARE(box->text(), level);
        // Changed elsewhere (undo, a remote client) while the field has the focus.
        box->setFocus();
        rig.unit.model->setFaderLevel(mixer::monoRef(3), -12.1);
        QVERIFY(typeThenEscape(box));
        name->setFocus();
        rig.unit.model->setChannelName(mixer::monoRef(3), QStringLiteral("Bass"));
        QVERIFY(typeThenEscape(name));
        box->setFocus();
        QCOMPARE(box->value(), -12.1);
        QCOMPARE(rig.unit.mismatch({"fader.input.2=-121"}), QString());
        QCOMPARE(rig.unit.model->channelName(mixer::monoRef(3)), QStringLiteral("Bass"));
    }

    // What a lamp button shows in each state, seen in its pixels: the face at the middle, the border at
    // the middle of the left edge.
    void lampFaces()
    {
        // The face is "lamp", "pressed" (the lamp darkened) or "metal".
        const struct { bool lit, checked, down, focus; QString face; } rows[] = {
            {false, false, false, false, "metal"}, // off
            {false, true, false, false, "lamp"}, // on
            {false, false, true, false, "metal"}, // off, pressed
            {true, false, false, false, "lamp"}, // always lit
            {true, false, true, false, "pressed"}, // always lit, pressed
            {false, false, false, true, "metal"}, // off, keyboard focus
            {false, true, false, true, "lamp"}, // on, keyboard focus
        };
        for (const auto &[lit, checked, down, focus, face] : rows) {
            QWidget window;
            auto *other = new QPushButton(&window);
            auto *b = new QPushButton(&window);
            b->setGeometry(20, 0, 40, 16);
            b->setCheckable(!lit);
            stripstyle::setLamp(b, stripstyle::Lamp::Mute, lit);
            b->setChecked(checked);
            b->setDown(down);
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            (focus ? b : other)->setFocus(Qt::TabFocusReason);
            const QImage img = b->grab().toImage();
            const QColor lamp = LampStyle::colour(stripstyle::Lamp::Mute);
            const QColor middle = img.pixelColor(img.width() / 2, img.height() / 2);
            if (face == QLatin1String("metal"))
                QVERIFY2(middle.lightness() < 80, qPrintable(middle.name()));
            else
                QCOMPARE(middle.rgb(), (face == QLatin1String("lamp") ? lamp : lamp.darker(160)).rgb());
            // The focus frame is light on any face; without focus the border is no lighter than the face.
            const QColor edge = img.pixelColor(0, img.height() / 2);
            if (focus)
                QVERIFY2(edge.lightness() > 200, qPrintable(edge.name()));
            else
                QVERIFY2(edge.lightness() <= middle.lightness(), qPrintable(edge.name()));
        }
    }

    // ---- the page

    void visiblePairs()
    {
        // K2 at 48k and 192k and K1 at 48k are in the reference pictures.
        const struct { bool small; uint rate; QList<int> pairs; } rows[] = {
            {false, 88200u, {1, 2, 3, 4, 7, 8}}, // K2 88.2k
            {true, 96000u, {1, 3, 4}}, // K1 96k
            {true, 176400u, {1, 3}}, // K1 176.4k
        };
        for (const auto &[small, rate, pairs] : rows) {
            MixerRig rig;
            QSignalSpy changed(rig.unit.model.get(), &mixer::MixerModel::visibleChannelsChanged);
            rig.unit.model->setUnitModel(small ? mixer::UnitModel::K1 : mixer::UnitModel::K2);
            const QString sent = small ? "0" : "null"; // K1 sends the switches of inputs 1 and 2 again
            QCOMPARE(rig.unit.mismatch({"eq.1.0.on=" + sent, "comp.0.on=" + sent}), QString());
            const int rateClass = mixer::sampleRateOf(rate)->rateClass;
            rig.unit.model->setRateClass(rateClass);
            for (int same : {3, 0, rateClass}) // an unknown class, or the same again, changes nothing
                rig.unit.model->setRateClass(same);
            QCOMPARE(changed.count(), 2);
            int x = -1;
            for (int k = 1; k <= mixer::kPairs; ++k) {
                auto *p = rig.find(mixer::widgetName(mixer::WidgetKind::Stack, mixer::pairRef(k)));
                QCOMPARE(p->isVisible(), pairs.contains(k));
                if (!p->isVisible())
                    continue;
                if (x >= 0) // shown containers close up from the left, one pair width apart
                    QCOMPARE(p->x(), x + p->width());
                x = p->x();
            }
            QVERIFY(rig.find(mixer::widgetName(mixer::WidgetKind::Stack, mixer::masterRef()))->isVisible());
            // The return knob goes with the reverb, which the unit lacks at the two highest rates.
            QCOMPARE(rig.find("returnEnable")->isVisible(), rate < 176400u);
        }
    }

    // Style sheets, tests and tools find widgets by name: every name the tables give belongs to exactly
    // one widget of the page.
    void uniqueNames()
    {
        MixerRig rig;
        QStringList wrong;
        QSet<QString> seen;
        const auto check = [&](mixer::StripRef ref) {
            for (int k = int(WidgetKind::Strip); k <= int(WidgetKind::ReverbOn); ++k) {
                for (int send = 0; send <= mixer::kSends; ++send) {
                    const QString name = mixer::widgetName(WidgetKind(k), ref, send);
                    if (name.isEmpty() || seen.contains(name))
                        continue;
                    seen.insert(name);
                    if (rig.page.findChildren<QWidget *>(name).size() != 1)
                        wrong << name;
                }
            }
        };
        for (int t = 1; t <= mixer::kTracks; ++t)
            check({StripKind::Mono, t});
        for (int p = 1; p <= mixer::kPairs; ++p)
            check({StripKind::Pair, p});
        check({StripKind::Master, 0});
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(' ')));
    }

    // A reload keeps the selected strip while it shows, else hands it on: model, button and lit edge agree.
    void reloadKeepsTheSelection()
    {
        MixerRig rig;
        const auto lit = [&](const char *strip) {
            return rig.find(strip)->grab().toImage().pixelColor(0, 300).red() > 200;
        };
        rig.click("pB_Analog3");
        rig.unit.model->loadAll();
        QCOMPARE(rig.unit.model->selection(), std::optional<mixer::StripRef>(mixer::monoRef(3)));
        QVERIFY(rig.unit.model->selected(mixer::monoRef(3)) && rig.find<QPushButton>("pB_Analog3")->isChecked());
        QVERIFY(lit("mono3") && !lit("mono4"));
        // A reload that links the pair hides the selected strip: the stereo strip takes the editor.
        rig.unit.settings.setValue("Track3_4", settings::key::Link, true);
        rig.unit.model->loadAll();
        QCOMPARE(rig.unit.model->selection(), std::optional<mixer::StripRef>(mixer::pairRef(2)));
        QVERIFY(!rig.find<QPushButton>("pB_Analog3")->isChecked());
        QVERIFY(rig.find<QPushButton>("pB_Analog3_4")->isChecked() && !lit("mono3") && lit("st3_4"));
    }

    // Releasing the last solo unmutes the stereo strips' odd tracks too, so linking shows the unit's mute.
    void releasedSoloThenLinkShowsTheUnitsMute()
    {
        MixerRig rig;
        rig.click("pB_Solo3");
        rig.click("pB_Solo3");
        QVERIFY(rig.link(1) && !rig.find<QPushButton>("pB_Mute1_2")->isChecked());
        QCOMPARE(UnitRig::v(rig.unit.unit().inputMute[0]), 0);
        QCOMPARE(UnitRig::v(rig.unit.unit().inputMute[1]), 0);
    }
};

QTEST_MAIN(TestMixerWidgets)
#include "tst_mixerwidgets.moc"
