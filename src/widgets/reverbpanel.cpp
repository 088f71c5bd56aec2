#include "reverbpanel.h"

#include "artwork.h"
#include "controlaccess.h"

#include "dialcontrol.h"
#include "drawreverb.h"
#include "mixcontrols.h"
#include "mixermodel.h"
#include "stripstyle.h"

#include <QButtonGroup>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int kMargin = 8;
constexpr int kRowY = 32;
constexpr int kPictureWidth = 100;
constexpr int kRightX = kMargin + kPictureWidth + 20;
constexpr int kKnobY = 100;
constexpr int kKnobPitch = 76;

QLabel *caption(const QString &text, const QRect &geo, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geo);
    stripstyle::setLook(l, stripstyle::Look::Caption);
    return l;
}

QString valueText(KnobScale scale, int index)
{
    return scale == KnobScale::ReverbTime ? mixer::reverb::timeLabel(index) : QString::number(index);
}

} // namespace

ReverbPanel::ReverbPanel(mixer::MixControls &controls, QWidget *parent)
    : QWidget(parent), m_mix(controls), m_model(controls.mixer().reverb()), m_drag(KnobFrames::dial())
{
    mixer::MixerModel &model = controls.mixer();
    setObjectName(QStringLiteral("reverbSection"));
    setFixedSize(kWidth, kHeight);
    caption(tr("REVERB"), QRect(kMargin, 6, 60, 18), this);

    m_types = new QButtonGroup(this);
    m_types->setObjectName(QStringLiteral("buttonGroup_Reverb"));
    m_types->setExclusive(true);
    for (int code = 1; code <= mixer::reverb::kTypes; ++code) {
        const mixer::reverb::TypeInfo &t = mixer::reverb::typeInfo(code);
        auto *b = new QPushButton(tr(qPrintable(t.name)), this);
        b->setObjectName(t.button);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::TabFocus);
        controlaccess::attachSwitch(b, tr("Reverb type %1").arg(b->text()));
        b->setGeometry(72 + (code - 1) * 56, 6, 52, 18);
        stripstyle::setLamp(b, stripstyle::Lamp::Reverb);
        m_types->addButton(b, code);
        m_controls << b;
    }
    connect(m_types, &QButtonGroup::idClicked, this, [this](int code) {
        m_mix.change(mixer::reverbControl(mixer::ControlKind::ReverbType), code);
        showType(m_model.type());
    });

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("label_RvbPicture"));
    m_picture->setGeometry(kMargin, kRowY, kPictureWidth, kHeight - kRowY - kMargin);
    m_picture->setAlignment(Qt::AlignCenter);
    m_curve = new DrawReverb(this);
    m_curve->setObjectName(QStringLiteral("label_Reverb"));
    m_curve->move(kRightX, kRowY);
    m_curve->setStyleSheet(QStringLiteral("background-color: rgb(12, 12, 14);"));
    m_controls << m_picture << m_curve;

    addKnob(0, "label_PreDelayKnob", "label_PreDelayDisp", {tr("PRE-DELAY"), tr("ms")}, kRightX);
    addKnob(1, "label_ReverbTimeKnob", "label_ReverbTimeDisp", {tr("TIME"), tr("s")}, kRightX + kKnobPitch);
    addKnob(2, "label_ReverbDiffKnob", "label_ReverbDiffDisp", {tr("DIFFUSION"), QString()},
            kRightX + 2 * kKnobPitch);

    m_disabled = new QLabel(tr("Reverb is not available\nat 176.4 kHz and 192 kHz."), this);
    m_disabled->setObjectName(QStringLiteral("label_ReverbDisable"));
    m_disabled->setGeometry(kMargin, kRowY, kWidth - 2 * kMargin, kHeight - kRowY - kMargin);
    m_disabled->setAlignment(Qt::AlignCenter);
    m_disabled->setWordWrap(true);
    m_disabled->setStyleSheet(
        QStringLiteral("color: rgb(150, 152, 158); background: transparent; font: bold 9pt \"Arial\";"));

    connect(&m_model, &mixer::ReverbModel::typeChanged, this, &ReverbPanel::showType);
    connect(&m_model, &mixer::ReverbModel::paramsChanged, this, &ReverbPanel::showParams);
    connect(&m_model, &mixer::ReverbModel::curveChanged, this, &ReverbPanel::doReverbRepaint);
    connect(&model, &mixer::MixerModel::rateClassChanged, this, &ReverbPanel::followRate);
    showType(m_model.type());
    showParams(m_model.current());
    doReverbRepaint();
    followRate(model.rateClass());
}

void ReverbPanel::addKnob(int field, const char *knobName, const char *valueName, const Captions &captions,
                          int x)
{
    QLabel *title = caption(captions.title, QRect(x - 2, kKnobY - 16, kKnobPitch - 4, 14), this);
    title->setAlignment(Qt::AlignCenter);
    QLabel *unit = caption(captions.unit, QRect(x + 58, kKnobY + 2, 16, 14), this);
    auto *knob = new DialControl(this);
    knob->setObjectName(QLatin1String(knobName));
    knob->move(x, kKnobY);
    knob->setFixedSize(m_drag.frameSize());
    auto *value = new QLabel(this);
    value->setObjectName(QLatin1String(valueName));
    value->setGeometry(x + 22, kKnobY + 2, 34, 14);
    value->setAlignment(Qt::AlignCenter);
    stripstyle::setLook(value, stripstyle::Look::Value);
    const KnobScale scales[] = {KnobScale::PreDelay, KnobScale::ReverbTime, KnobScale::Diffusion};
    const Knob k{field, scales[field], knob, value};
    m_knobs.append(k);
    m_controls << title << unit << knob << value;
    controlaccess::attach(knob, m_mix, [this, field] {
        return mixer::reverbControl(mixer::ControlKind::ReverbParam, field, m_model.type());
    });
    connect(knob, &DialControl::dialknob_Pressed, this, [this, k](QMouseEvent *ev) {
        m_mix.gestureBegan();
        m_drag.setTarget(k.knob, k.value);
        m_drag.press(k.scale, indexOf(m_model.current(), k.field), ev->localPos(), KnobDrag::Arming::Free);
    });
    connect(knob, &DialControl::dialknob_Moved, this, [this, k](QMouseEvent *ev) {
        if (m_drag.knob() == k.knob && m_drag.move(ev->localPos()))
            turnKnob(k, m_drag.index());
    });
    connect(knob, &DialControl::dialknob_Released, this, [this] { m_mix.gestureEnded(); });
    connect(knob, &KnobLabel::turned, this, [this, k](const KnobTurn &t) {
        const KnobRange r = knobRange(k.scale);
        const KnobScale scale = k.scale;
        turnKnob(k, turnedPosition(t, indexOf(m_model.current(), k.field), r.lo, r.hi,
                                   [scale](int i) { return valueText(scale, i); }));
    });
}

void ReverbPanel::turnKnob(const Knob &k, int index)
{
    m_mix.change(mixer::reverbControl(mixer::ControlKind::ReverbParam, k.field, m_model.type()), index,
                      mixer::Merge::Burst);
}

int ReverbPanel::indexOf(const mixer::ReverbParams &p, int field)
{
    return field == 0 ? p.preDelay : field == 1 ? p.time : p.diff;
}

void ReverbPanel::showParams(const mixer::ReverbParams &p)
{
    for (const Knob &k : qAsConst(m_knobs)) {
        const int i = indexOf(p, k.field);
        m_drag.showOn(k.knob, k.value, k.scale, i, valueText(k.scale, i));
    }
}

void ReverbPanel::showType(int code)
{
    if (QAbstractButton *b = m_types->button(code))
        b->setChecked(true);
    m_picture->setPixmap(artwork::pixmap(mixer::reverb::typeInfo(code).picture));
}

void ReverbPanel::doReverbRepaint()
{
    m_curve->setState(m_model.curve());
}

void ReverbPanel::followRate(int rateClass)
{
    const bool available = rateClass != 4;
    for (QWidget *w : qAsConst(m_controls))
        w->setVisible(available);
    m_disabled->setVisible(!available);
}

void ReverbPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QColor(10, 10, 12));
    p.setBrush(QColor(38, 39, 44));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}
