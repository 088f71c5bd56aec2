#include "stripwidget.h"

#include "controlaccess.h"
#include "controlnames.h"
#include "dialcontrolsend.h"
#include "clickselects.h"
#include "escapereverts.h"
#include "mixcontrols.h"
#include "mixermodel.h"
#include "pancontrol.h"
#include "scales.h"
#include "stripgeometry.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

using mixer::ControlKind;
using mixer::MixerModel;
using mixer::WidgetKind;

StripWidget::StripWidget(StripContext &ctx, mixer::StripRef ref, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_ref(ref)
{
    setObjectName(mixer::widgetName(WidgetKind::Strip, ref));
    // Its background covers it whole: a meter that moves repaints the strip only, not the page too.
    setAttribute(Qt::WA_OpaquePaintEvent);
    listen();
}

// The strip's own notices only: every other strip has its own.
void StripWidget::listen()
{
    mixer::StripEvents *ev = &m_ctx.model.events(m_ref);
    using mixer::Side;
    using mixer::StripEvents;
    const auto toggle = [this](WidgetKind kind) {
        return [this, kind](bool on) { reflectToggle(kind, mixer::Side::None, 0, on); };
    };
    connect(ev, &StripEvents::phaseChanged, this,
            [this](Side side, bool on) { reflectToggle(WidgetKind::Phase, side, 0, on); });
    connect(ev, &StripEvents::eqChanged, this, toggle(WidgetKind::Eq));
    connect(ev, &StripEvents::compChanged, this, toggle(WidgetKind::Comp));
    connect(ev, &StripEvents::muteChanged, this, toggle(WidgetKind::Mute));
    connect(ev, &StripEvents::soloChanged, this, toggle(WidgetKind::Solo));
    connect(ev, &StripEvents::selectChanged, this, &StripWidget::reflectSelect);
    connect(ev, &StripEvents::trueBypassChanged, this, &StripWidget::reflectBypass);
    connect(ev, &StripEvents::sendPointChanged, this, [this](int send, int code) {
        reflectToggle(WidgetKind::Pre, Side::None, send, code == 2);
        reflectToggle(WidgetKind::Post, Side::None, send, code == 3);
    });
    connect(ev, &StripEvents::sendChanged, this, &StripWidget::reflectSend);
    connect(ev, &StripEvents::panChanged, this, &StripWidget::reflectPan);
    connect(ev, &StripEvents::faderChanged, this, [this](double db) {
        if (m_fader)
            m_fader->showLevel(db);
    });
    connect(ev, &StripEvents::nameChanged, this, &StripWidget::showName);
}

void StripWidget::showName(const QString &text)
{
    if (!m_nameEdit || m_nameEdit->text() == text)
        return;
    m_nameEdit->setText(text);
    escapereverts::shown(m_nameEdit);
}

QString StripWidget::objectNameOf(WidgetKind kind, int send) const
{
    return mixer::widgetName(kind, m_ref, send);
}

// ---- Builders

void StripWidget::speak(QAbstractButton *b, WidgetKind kind, mixer::Side side)
{
    const auto as = [&](ControlKind k) { controlaccess::attach(b, m_ctx.controls, mixer::stripControl(k, m_ref, side)); };
    switch (kind) {
    case WidgetKind::Phase:
        return as(ControlKind::Phase);
    case WidgetKind::Eq:
        return as(ControlKind::Eq);
    case WidgetKind::Comp:
        return as(ControlKind::Comp);
    case WidgetKind::Mute:
        return as(ControlKind::Mute);
    case WidgetKind::Solo:
        return as(ControlKind::Solo);
    case WidgetKind::Bypass:
        return as(ControlKind::Bypass);
    case WidgetKind::LinkOff:
        return as(ControlKind::Link);
    case WidgetKind::ReverbOn:
        return controlaccess::attach(b, m_ctx.controls, mixer::reverbControl(ControlKind::ReverbOn));
    case WidgetKind::Select:
        return controlaccess::attachSwitch(b, ControlNames::stripPart(m_ref, tr("edit")));
    default:
        return;
    }
}

QPushButton *StripWidget::addToggle(WidgetKind kind, const QString &text, const QRect &geo, stripstyle::Lamp lamp,
                                    const QString &objectName, mixer::Side side)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(objectName.isEmpty() ? objectNameOf(kind) : objectName);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::TabFocus);
    b->setGeometry(geo);
    stripstyle::setLamp(b, lamp);
    speak(b, kind, side);
    m_toggles.append({kind, side, 0, b});
    connect(b, &QPushButton::clicked, this, [this, kind, side](bool on) { toggled(kind, side, 0, on); });
    return b;
}

QPushButton *StripWidget::addButton(WidgetKind kind, const QString &text, const QRect &geo,
                                    stripstyle::Lamp lamp, bool lit, QWidget *host)
{
    auto *b = new QPushButton(text, host ? host : this);
    b->setObjectName(objectNameOf(kind));
    b->setFocusPolicy(Qt::TabFocus);
    b->setGeometry(geo);
    stripstyle::setLamp(b, lamp, lit);
    speak(b, kind, mixer::Side::None);
    return b;
}

void StripWidget::addSendsMuteSolo(int knobX, int pointsX, int width)
{
    namespace g = stripgeo;
    for (int s = 1; s <= mixer::kSends; ++s) {
        const int y = g::sendRowY(s);
        addSendKnob(s, objectNameOf(WidgetKind::SendKnob, s), objectNameOf(WidgetKind::SendDisplay, s),
                    QPoint(knobX, y), QRect(knobX - 3, y + 26, 60, 13));
        addSendPoints(s, QRect(pointsX, y, 26, 12), QRect(pointsX, y + 14, 26, 12));
    }
    addToggle(WidgetKind::Mute, tr("MUTE"), QRect(4, g::kMuteY, width, 20), stripstyle::Lamp::Mute);
    addToggle(WidgetKind::Solo, tr("SOLO"), QRect(4, g::kSoloY, width, 20), stripstyle::Lamp::Solo);
}

void StripWidget::addSendPoints(int send, const QRect &pre, const QRect &post)
{
    const struct {
        WidgetKind kind;
        const char *text;
        QRect geo;
    } points[] = {{WidgetKind::Pre, "PRE", pre}, {WidgetKind::Post, "POST", post}};
    // Both legends in one size, small enough for the narrower button.
    const QFont font = stripstyle::fittedButtonFont({tr("PRE"), tr("POST")}, std::min(pre.width(), post.width()));
    for (const auto &p : points) {
        auto *b = new QPushButton(tr(p.text), this);
        b->setObjectName(objectNameOf(p.kind, send));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::TabFocus);
        b->setGeometry(p.geo);
        stripstyle::setLamp(b, stripstyle::Lamp::Point);
        b->setFont(font);
        const WidgetKind kind = p.kind;
        controlaccess::attach(b, m_ctx.controls, mixer::stripControl(ControlKind::SendPoint, m_ref, mixer::Side::None, send));
        b->setAccessibleName(ControlNames::stripPart(
            m_ref, kind == WidgetKind::Pre ? tr("aux %1 pre").arg(send) : tr("aux %1 post").arg(send)));
        m_toggles.append({kind, mixer::Side::None, send, b});
        connect(b, &QPushButton::clicked, this,
                [this, kind, send](bool on) { toggled(kind, mixer::Side::None, send, on); });
    }
}

DialControlSend *StripWidget::addSendKnob(int send, const QString &knobName, const QString &displayName,
                                          const QPoint &at, const QRect &display, QWidget *host)
{
    if (!host)
        host = this;
    auto *knob = new DialControlSend(host);
    knob->setObjectName(knobName);
    knob->move(at);
    knob->setFixedSize(m_ctx.send.frameSize());
    auto *value = new QLabel(host);
    value->setObjectName(displayName);
    value->setGeometry(display);
    value->setAlignment(Qt::AlignCenter);
    stripstyle::setLook(value, stripstyle::Look::Value);
    value->hide();
    const SendView v{send, knob, value};
    m_sends.append(v);
    connect(knob, &DialControlSend::sendDialKnob_Pressed, this,
            [this, v](QMouseEvent *ev) { sendPressed(v, ev); });
    const mixer::Control control = mixer::stripControl(ControlKind::Send, m_ref, mixer::Side::None, send);
    controlaccess::attach(knob, m_ctx.controls, control);
    connect(knob, &DialControlSend::sendDialKnob_Moved, this, [this, control](QMouseEvent *ev) {
        if (m_ctx.send.move(ev->localPos()))
            m_ctx.controls.change(control, m_ctx.send.index(), mixer::Merge::Burst);
    });
    connect(knob, &DialControlSend::sendDialKnob_Released, value, &QLabel::hide);
    connect(knob, &DialControlSend::sendDialKnob_Released, this, [this] { m_ctx.controls.gestureEnded(); });
    connect(knob, &KnobLabel::turned, this, [this, control](const KnobTurn &turn) {
        const int p = turnedPosition(turn, m_ctx.model.sendPosition(m_ref, control.index), 0,
                                     mixer::send::kPositions - 1, mixer::send::label);
        m_ctx.controls.change(control, p, mixer::Merge::Burst);
    });
    return knob;
}

PanControl *StripWidget::addPanMarker(mixer::Side side, WidgetKind knob, WidgetKind display, int lane,
                                      int panelX, const QRect &displayGeo)
{
    auto *marker = new PanControl(this);
    marker->setObjectName(objectNameOf(knob));
    marker->setFixedSize(16, 12);
    auto *value = new QLabel(this);
    value->setObjectName(objectNameOf(display));
    value->setGeometry(displayGeo);
    value->setAlignment(Qt::AlignCenter);
    stripstyle::setLook(value, stripstyle::Look::Value);
    value->hide();
    const PanView v{side, lane, panelX, marker, value};
    m_pans.append(v);
    connect(marker, &PanControl::panknob_Pressed, this, [this, v](QMouseEvent *ev) { panPressed(v, ev); });
    connect(marker, &PanControl::panknob_Moved, this, [this, v](QMouseEvent *ev) { panMoved(v, ev); });
    connect(marker, &PanControl::panknob_Released, value, &QLabel::hide);
    connect(marker, &PanControl::panknob_Released, this, [this] { m_ctx.controls.gestureEnded(); });
    const mixer::Control control = mixer::stripControl(ControlKind::Pan, m_ref, side);
    controlaccess::attach(marker, m_ctx.controls, control);
    const PanLane l = PanDrag::lane(lane);
    connect(marker, &PanControl::panknob_DoubleClicked, this,
            [this, control, l] { m_ctx.controls.change(control, l.centre); });
    connect(marker, &KnobLabel::turned, this, [this, control, l](const KnobTurn &turn) {
        const int p = turnedPosition(turn, m_ctx.model.panPosition(m_ref, control.side), l.lo, l.hi,
                                     mixer::pan::label);
        m_ctx.controls.change(control, p, mixer::Merge::Burst);
    });
    return marker;
}

FaderPair *StripWidget::addFader(int x, const QRect &box)
{
    auto *slider = new QSlider(this);
    slider->setObjectName(objectNameOf(WidgetKind::Fader));
    auto *value = new QDoubleSpinBox(this);
    value->setObjectName(objectNameOf(WidgetKind::FaderDisplay));
    m_fader = new FaderPair(slider, value, kMixerFaderScale, m_ctx.faders, this);
    FaderPair::styleAsStrip(slider, value, m_ref.kind == mixer::StripKind::Master);
    slider->move(x, 350);
    value->setGeometry(box);
    const mixer::Control control = mixer::stripControl(ControlKind::Fader, m_ref);
    controlaccess::attach(slider, m_ctx.controls, control);
    controlaccess::attach(value, m_ctx.controls, control);
    connect(m_fader, &FaderPair::levelChanged, this,
            [this, control](double db) { m_ctx.controls.change(control, db, mixer::Merge::Burst); });
    // After the pair's own release handler, so a Shift-release to 0 dB belongs to the drag.
    connect(slider, &QSlider::sliderPressed, this, [this] { m_ctx.controls.gestureBegan(); });
    connect(slider, &QSlider::sliderReleased, this, [this] { m_ctx.controls.gestureEnded(); });
    return m_fader;
}

QLineEdit *StripWidget::addNameEdit(const QRect &geo)
{
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(objectNameOf(WidgetKind::Name));
    m_nameEdit->setGeometry(geo);
    m_nameEdit->setMaxLength(6);
    m_nameEdit->setFrame(false);
    m_nameEdit->setAlignment(Qt::AlignCenter);
    m_nameEdit->setFocusPolicy(Qt::ClickFocus);
    stripstyle::setLook(m_nameEdit, stripstyle::Look::Name);
    controlaccess::attach(m_nameEdit, m_ctx.controls, mixer::stripControl(ControlKind::Name, m_ref));
    escapereverts::install(m_nameEdit);
    clickselects::install(m_nameEdit);
    connect(m_nameEdit, &QLineEdit::editingFinished, this, [this] {
        m_nameEdit->clearFocus();
        if (m_nameEdit->text() != m_ctx.model.channelName(m_ref))
            m_ctx.controls.change(mixer::stripControl(ControlKind::Name, m_ref), m_nameEdit->text());
    });
    return m_nameEdit;
}

QLabel *StripWidget::addCaption(const QString &text, const QRect &geo, Qt::Alignment align, QWidget *host)
{
    auto *l = new QLabel(text, host ? host : this);
    l->setGeometry(geo);
    l->setAlignment(align);
    stripstyle::setLook(l, stripstyle::Look::Caption);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

void StripWidget::addMeter(WidgetKind meter, WidgetKind peak, int slot, QWidget *host)
{
    m_meters.append({meter, makeMeter(host ? host : this, slot, objectNameOf(meter), objectNameOf(peak))});
}

MeterLabels StripWidget::meter(WidgetKind meter) const
{
    for (const auto &m : m_meters)
        if (m.first == meter)
            return m.second;
    return {};
}

void StripWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const bool selected = m_ref.kind != mixer::StripKind::Master && m_ctx.model.selected(m_ref);
    stripstyle::paintStripBackground(p, rect(), selected);
}
