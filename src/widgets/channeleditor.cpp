#include "channeleditor.h"

#include "artwork.h"
#include "controlaccess.h"
#include "controlnames.h"

#include "compcurve.h"
#include "dialcontrol.h"
#include "editorlayout.h"
#include "eqcurve.h"
#include "mixcontrols.h"
#include "mixermodel.h"
#include "stripcaption.h"
#include "stripstyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

using mixer::DynKnob;
namespace el = editorlayout;

namespace {

// The low gain readout while the low-cut filter replaces the low shelf.
const QString kNoLowGain = QStringLiteral("---");

// Object-name stems in knob order: "label_<stem>Knob" and "label_<stem>Disp".
const char *const kStems[mixer::kDynKnobs] = {
    "Threshold", "Ratio",    "Gain",        "Attack",     "Release", "HighGain", "HighMidGain", "LowMidGain",
    "LowGain",   "HighFreq", "HighMidFreq", "LowMidFreq", "LowFreq", "HighMidQ", "LowMidQ"};

KnobScale frameScale(DynKnob knob)
{
    switch (knob) {
    case DynKnob::Ratio:
        return KnobScale::DialRatio;
    case DynKnob::HighMidQ:
    case DynKnob::LowMidQ:
        return KnobScale::DialQ;
    default:
        return KnobScale::Dial;
    }
}

QRect toRect(const el::Rect &r)
{
    return QRect(r.x, r.y, r.w, r.h);
}

curves::EqCurveState eqCurveOf(const mixer::DynamicsModel &dyn, mixer::StripRef s)
{
    const auto pos = [&](DynKnob k) { return dyn.position(s, k); };
    const auto unit = [&](DynKnob k) { return uint8_t(mixer::dynUnit(k, pos(k))); };
    const auto gain = [&](DynKnob k) { return int8_t(mixer::eqscale::gainDb(pos(k))); };
    curves::EqCurveState c;
    c.lowCut = dyn.lowCut(s);
    c.highMidQ = unit(DynKnob::HighMidQ);
    c.highMidFreq = unit(DynKnob::HighMidFreq);
    c.highMidGain = gain(DynKnob::HighMidGain);
    c.lowMidQ = unit(DynKnob::LowMidQ);
    c.lowMidFreq = unit(DynKnob::LowMidFreq);
    c.lowMidGain = gain(DynKnob::LowMidGain);
    // The display counts the high band's steps from its own first frequency.
    c.highFreq = uint8_t(unit(DynKnob::HighFreq) - mixer::eqscale::kFrequencies / 2);
    c.highGain = gain(DynKnob::HighGain);
    c.lowFreq = unit(DynKnob::LowFreq);
    c.lowGain = gain(DynKnob::LowGain);
    return c;
}

curves::CompCurveState compCurveOf(const mixer::DynamicsModel &dyn, mixer::StripRef s)
{
    curves::CompCurveState c;
    c.thresholdStep = mixer::dynUnit(DynKnob::Threshold, dyn.position(s, DynKnob::Threshold)) + 32;
    c.ratioStep = std::min(dyn.position(s, DynKnob::Ratio) / 6, 14);
    return c;
}

QString curveLabelStyle()
{
    return QStringLiteral("color: rgb(255, 140, 20); background: transparent; font: bold 9pt \"Arial\";");
}

} // namespace

ChannelEditor::ChannelEditor(mixer::MixControls &controls, QWidget *parent)
    : QWidget(parent), m_controls(controls), m_model(controls.mixer()), m_drag(KnobFrames::dial())
{
    setObjectName(QStringLiteral("channelEditor"));
    setFixedSize(el::kWidth, el::kHeight);
    for (int i = 0; i < mixer::kDynKnobs; ++i)
        addKnob(mixer::dynKnobAt(i));

    m_eq = new DrawEq(this);
    m_eq->move(el::kEqScreen.x, el::kEqScreen.y);
    m_comp = new DrawCompressor(this);
    m_comp->move(el::kCompScreen.x, el::kCompScreen.y);
    for (QLabel *curve : {static_cast<QLabel *>(m_eq), static_cast<QLabel *>(m_comp)})
        curve->setStyleSheet(curveLabelStyle());

    m_grMeter = new QLabel(this);
    m_grMeter->setObjectName(QStringLiteral("label_GRMeter"));
    m_grMeter->setGeometry(toRect(el::kGrMeter));
    slt_changeColorComp(DrawCompressor::meterStatus(m_comp->mode()));
    connect(m_comp, &DrawCompressor::sig_changeColorComp, this, &ChannelEditor::slt_changeColorComp);

    m_lowCut = new QPushButton(tr("LO CUT"), this);
    m_lowCut->setObjectName(QStringLiteral("pB_LowCutFilter"));
    m_lowCut->setGeometry(toRect(el::kLowCut));
    m_lowCut->setFocusPolicy(Qt::TabFocus);
    controlaccess::attachSwitch(m_lowCut, ControlNames::name({mixer::ControlKind::LowCut, {}}, false));
    stripstyle::setLamp(m_lowCut, stripstyle::Lamp::Bypass);
    connect(m_lowCut, &QPushButton::clicked, this, [this](bool on) {
        if (selected().valid())
            m_controls.change({mixer::ControlKind::LowCut, selected()}, on);
        m_lowCut->setChecked(selected().valid() && m_model.dynamics().lowCut(selected()));
    });

    m_target = new QLabel(this);
    m_target->setObjectName(QStringLiteral("label_EditTarget"));
    m_target->setGeometry(toRect(el::kTargetReadout));
    m_target->setAlignment(Qt::AlignCenter);
    m_target->setStyleSheet(
        QStringLiteral("color: rgb(255, 170, 0); background: transparent; font: bold 7pt \"Arial\";"));

    listen();
    setLowCutFilterDisable();
    selectionChanged();
}

void ChannelEditor::listen()
{
    mixer::MixerModel *m = &m_model;
    connect(m, &mixer::MixerModel::editorLoadRequested, this, &ChannelEditor::loadSelected);
    connect(m, &mixer::MixerModel::selectionChanged, this, &ChannelEditor::selectionChanged);
    connect(m, &mixer::MixerModel::lowCutEnabledChanged, this,
            [this](bool on) { on ? setLowCutFilterEnable() : setLowCutFilterDisable(); });
    connect(m, &mixer::MixerModel::compressorRepaintRequested, this, &ChannelEditor::doCompressorRepaint);
    connect(m, &mixer::MixerModel::equalizerRepaintRequested, this, &ChannelEditor::doEqualizerRepaint);
    connect(m, &mixer::MixerModel::editorBypassChanged, this, &ChannelEditor::showBypassed);
    // A reload keeps the edited strip where it still shows; both curves are drawn from what was loaded.
    connect(m, &mixer::MixerModel::loaded, this, [this] {
        doCompressorRepaint();
        doEqualizerRepaint();
    });
    mixer::DynamicsModel *dyn = &m_model.dynamics();
    connect(dyn, &mixer::DynamicsModel::knobChanged, this,
            [this](mixer::StripRef s, DynKnob knob, int position, const QString &label) {
                if (!(s == selected()))
                    return;
                showKnob(knob, position, label);
                mixer::isCompKnob(knob) ? doCompressorRepaint() : doEqualizerRepaint();
            });
    connect(dyn, &mixer::DynamicsModel::lowCutChanged, this, [this](mixer::StripRef s, bool on) {
        if (!(s == selected()))
            return;
        showLowCut(on);
        doEqualizerRepaint();
    });
}

mixer::StripRef ChannelEditor::selected() const
{
    return m_model.selection().value_or(mixer::StripRef{});
}

void ChannelEditor::addKnob(DynKnob knob)
{
    const int i = static_cast<int>(knob);
    const el::Knob &g = el::kKnobs[i];
    auto *dial = new DialControl(this);
    dial->setObjectName(QStringLiteral("label_%1Knob").arg(QLatin1String(kStems[i])));
    dial->setFixedSize(el::kKnobSize, el::kKnobSize);
    dial->move(g.x - el::kKnobSize / 2, g.y - el::kKnobSize / 2);
    auto *value = new QLabel(this);
    value->setObjectName(QStringLiteral("label_%1Disp").arg(QLatin1String(kStems[i])));
    value->setGeometry(toRect(el::valueRect(g)));
    value->setAlignment(Qt::AlignCenter);
    stripstyle::setLook(value, stripstyle::Look::Value);
    m_knobs[static_cast<size_t>(i)] = {knob, dial, value};
    controlaccess::attach(dial, m_controls, [this, i] {
        return mixer::Control{mixer::ControlKind::DynKnob, selected(), mixer::Side::None, i, 0};
    });

    connect(dial, &DialControl::dialknob_Pressed, this,
            [this, knob](QMouseEvent *ev) { pressed(view(knob), ev); });
    connect(dial, &DialControl::dialknob_Moved, this,
            [this, knob](QMouseEvent *ev) { moved(view(knob), ev); });
    connect(dial, &DialControl::dialknob_DoubleClicked, this, [this, knob] { doubleClicked(view(knob)); });
    connect(dial, &DialControl::dialknob_Released, this, [this] { m_controls.gestureEnded(); });
    connect(dial, &KnobLabel::turned, this, [this, knob](const KnobTurn &t) { stepped(view(knob), t); });
}

// ---------------------------------------------------------------- gestures

void ChannelEditor::pressed(const KnobView &v, QMouseEvent *ev)
{
    const mixer::StripRef s = selected();
    if (!s.valid())
        return;
    m_controls.gestureBegan();
    m_drag.setTarget(v.dial, v.value);
    m_drag.press(frameScale(v.knob), m_model.dynamics().position(s, v.knob), ev->localPos(),
                 mixer::isEqGain(v.knob) ? KnobDrag::Arming::Latched : KnobDrag::Arming::Free);
}

void ChannelEditor::moved(const KnobView &v, QMouseEvent *ev)
{
    if (!selected().valid() || m_drag.knob() != v.dial)
        return;
    if (m_drag.move(ev->localPos()))
        turn(v.knob, m_drag.index(), true);
}

void ChannelEditor::doubleClicked(const KnobView &v)
{
    if (!selected().valid() || !mixer::isEqGain(v.knob))
        return;
    m_drag.setTarget(v.dial, v.value);
    m_drag.reset(mixer::kEqFlatPosition);
    turn(v.knob, mixer::kEqFlatPosition, false);
}

void ChannelEditor::stepped(const KnobView &v, const KnobTurn &t)
{
    const mixer::StripRef s = selected();
    if (!s.valid())
        return;
    const DynKnob knob = v.knob;
    const int p = turnedPosition(t, m_model.dynamics().position(s, knob), 0, mixer::kDynPositions - 1,
                                 [knob](int i) { return mixer::dynLabel(knob, i); });
    turn(knob, p, true);
}

void ChannelEditor::turn(DynKnob knob, int position, bool burst)
{
    m_controls.change({mixer::ControlKind::DynKnob, selected(), mixer::Side::None, static_cast<int>(knob)},
                      position, burst ? mixer::Merge::Burst : mixer::Merge::Never);
}

// ---------------------------------------------------------------- what the editor shows

void ChannelEditor::showKnob(DynKnob knob, int position, const QString &label)
{
    const KnobView &v = view(knob);
    m_drag.showOn(v.dial, v.value, frameScale(knob), position, label);
    if (knob == DynKnob::LowGain && m_lowCut && m_lowCut->isChecked())
        v.value->setText(kNoLowGain);
}

void ChannelEditor::showLowCut(bool on)
{
    m_lowCut->setChecked(on);
    // The filter replaces the low shelf; its gain waits at the bottom, and has no value to show, until
    // the filter is off.
    const KnobView &low = view(DynKnob::LowGain);
    low.dial->setEnabled(!on);
    if (on) {
        low.value->setText(kNoLowGain);
    } else if (selected().valid()) {
        const int p = m_model.dynamics().position(selected(), DynKnob::LowGain);
        low.value->setText(mixer::dynLabel(DynKnob::LowGain, p));
    }
}

void ChannelEditor::showKnobs()
{
    // No strip reads as the defaults, where the curves of no strip rest too.
    for (const KnobView &v : m_knobs) {
        const int p = m_model.dynamics().position(selected(), v.knob);
        showKnob(v.knob, p, mixer::dynLabel(v.knob, p));
    }
}

void ChannelEditor::loadSelected()
{
    const mixer::StripRef s = selected();
    if (!s.valid())
        return;
    const mixer::DynamicsModel &dyn = m_model.dynamics();
    showKnobs();
    showBypassed(false);
    if (dyn.lowCut(s))
        m_model.dynamics().setLowCut(s, true);
    else
        showLowCut(false);
    doCompressorRepaint();
    doEqualizerRepaint();
}

void ChannelEditor::selectionChanged()
{
    const mixer::StripRef s = selected();
    m_target->setText(s.valid() ? stripCaption(s) : QStringLiteral("\u2014"));
    // Knobs left at the last strip would describe it beside the empty curves.
    if (!s.valid())
        showKnobs();
    updateReadouts();
}

void ChannelEditor::showBypassed(bool bypassed)
{
    m_bypassed = bypassed;
    const QString title = bypassed ? tr("Bypass") : QString();
    m_eq->setText(title);
    m_comp->setText(title);
    updateReadouts();
}

void ChannelEditor::updateReadouts()
{
    // Readouts of no strip would show whichever strip was edited last.
    const bool shown = selected().valid() && !m_bypassed;
    for (const KnobView &v : m_knobs)
        v.value->setVisible(shown);
}

void ChannelEditor::doCompressorRepaint()
{
    m_comp->setCurve(compCurveOf(m_model.dynamics(), selected()), curveMode(&mixer::MixerModel::compOn));
}

void ChannelEditor::doEqualizerRepaint()
{
    m_eq->setCurve(eqCurveOf(m_model.dynamics(), selected()), curveMode(&mixer::MixerModel::eqOn));
}

curves::CurveMode ChannelEditor::curveMode(bool (mixer::MixerModel::*on)(mixer::StripRef) const) const
{
    const mixer::StripRef s = selected();
    if (!s.valid())
        return curves::CurveMode::Empty;
    return (m_model.*on)(s) ? curves::CurveMode::Active : curves::CurveMode::Inactive;
}

void ChannelEditor::slt_changeColorComp(const QString &status)
{
    const char *image = status == QLatin1String("GR_Active")      ? "GR_active"
                        : status == QLatin1String("GR_Available") ? "GR_available"
                                                                  : "GR_passive";
    m_grMeter->setStyleSheet(
        QStringLiteral("QLabel#label_GRMeter { background-image: url(:/Resource/track/%1.png); "
                       "background-repeat: no-repeat; background-position: top left; }")
            .arg(QLatin1String(image)));
}

void ChannelEditor::setLowCutFilterEnable()
{
    m_lowCut->setCheckable(true);
}

void ChannelEditor::setLowCutFilterDisable()
{
    showLowCut(false);
    m_lowCut->setCheckable(false);
}

void ChannelEditor::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    static const QString kPanel = QStringLiteral(":/Resource/track/editor_panel.png");
    const QPixmap &panel = artwork::pixmap(kPanel);
    if (panel.isNull())
        p.fillRect(rect(), QColor(40, 42, 46)); // artwork not built in: a plain panel stays usable
    else
        p.drawPixmap(0, 0, panel);
}
