#include "stripwidget.h"

#include "dialcontrolsend.h"
#include "mixermodel.h"
#include "pancontrol.h"
#include "stripgeometry.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

using mixer::MixerModel;
using mixer::WidgetKind;

StripWidget::StripWidget(StripContext &ctx, mixer::StripRef ref, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_ref(ref), m_name(mixer::stripName(ref))
{
    setObjectName(mixer::widgetName(WidgetKind::Strip, ref));
    // Its background covers it whole: a meter that moves repaints the strip only, not the page too.
    setAttribute(Qt::WA_OpaquePaintEvent);
    MixerModel *model = &ctx.model;
    auto toggleSignal = [this](WidgetKind kind) {
        return [this, kind](const QString &name, bool on) { reflectToggle(kind, name, 0, on); };
    };
    connect(model, &MixerModel::phaseChanged, this, toggleSignal(WidgetKind::Phase));
    connect(model, &MixerModel::eqChanged, this, toggleSignal(WidgetKind::Eq));
    connect(model, &MixerModel::compChanged, this, toggleSignal(WidgetKind::Comp));
    connect(model, &MixerModel::muteChanged, this, toggleSignal(WidgetKind::Mute));
    connect(model, &MixerModel::soloChanged, this, toggleSignal(WidgetKind::Solo));
    connect(model, &MixerModel::selectChanged, this, &StripWidget::reflectSelect);
    connect(model, &MixerModel::trueBypassChanged, this, &StripWidget::reflectBypass);
    connect(model, &MixerModel::sendPointChanged, this, [this](const QString &name, int send, int code) {
        reflectToggle(WidgetKind::Pre, name, send, code == 2);
        reflectToggle(WidgetKind::Post, name, send, code == 3);
    });
    connect(model, &MixerModel::sendChanged, this, &StripWidget::reflectSend);
    connect(model, &MixerModel::panChanged, this, &StripWidget::reflectPan);
    connect(model, &MixerModel::faderChanged, this, [this](const QString &name, double db) {
        if (m_fader && name == m_name)
            m_fader->showLevel(db);
    });
    connect(model, &MixerModel::channelNameChanged, this, [this](int track, const QString &text) {
        if (m_nameEdit && track == m_nameTrack && m_nameEdit->text() != text)
            m_nameEdit->setText(text);
    });
}

QString StripWidget::objectNameOf(WidgetKind kind, int send) const
{
    return mixer::widgetName(kind, m_ref, send);
}

// ---- Builders

QPushButton *StripWidget::addToggle(WidgetKind kind, const QString &name, const QString &text,
                                    const QRect &geo, stripstyle::Lamp lamp, const QString &objectName)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(objectName.isEmpty() ? objectNameOf(kind) : objectName);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(geo);
    b->setStyleSheet(stripstyle::buttonStyle(lamp));
    m_toggles.append({kind, name, 0, b});
    connect(b, &QPushButton::clicked, this, [this, kind, name](bool on) { toggled(kind, name, 0, on); });
    return b;
}

QPushButton *StripWidget::addButton(WidgetKind kind, const QString &text, const QRect &geo,
                                    stripstyle::Lamp lamp, bool lit, QWidget *host)
{
    auto *b = new QPushButton(text, host ? host : this);
    b->setObjectName(objectNameOf(kind));
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(geo);
    b->setStyleSheet(stripstyle::buttonStyle(lamp, lit));
    return b;
}

void StripWidget::addSendsMuteSolo(const QString &name, int knobX, int pointsX, int width)
{
    namespace g = stripgeo;
    for (int s = 1; s <= mixer::kSends; ++s) {
        const int y = g::sendRowY(s);
        addSendKnob(s, objectNameOf(WidgetKind::SendKnob, s), objectNameOf(WidgetKind::SendDisplay, s),
                    QPoint(knobX, y), QRect(knobX - 3, y + 26, 60, 13));
        addSendPoints(s, QRect(pointsX, y, 26, 12), QRect(pointsX, y + 14, 26, 12));
    }
    addToggle(WidgetKind::Mute, name, tr("MUTE"), QRect(4, g::kMuteY, width, 20), stripstyle::Lamp::Mute);
    addToggle(WidgetKind::Solo, name, tr("SOLO"), QRect(4, g::kSoloY, width, 20), stripstyle::Lamp::Solo);
}

void StripWidget::addSendPoints(int send, const QRect &pre, const QRect &post)
{
    const struct {
        WidgetKind kind;
        const char *text;
        QRect geo;
    } points[] = {{WidgetKind::Pre, "PRE", pre}, {WidgetKind::Post, "POST", post}};
    // Both legends in one size, small enough for the narrower button.
    const QString style = stripstyle::fittedButtonStyle(stripstyle::Lamp::Point, {tr("PRE"), tr("POST")},
                                                        std::min(pre.width(), post.width()));
    for (const auto &p : points) {
        auto *b = new QPushButton(tr(p.text), this);
        b->setObjectName(objectNameOf(p.kind, send));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(p.geo);
        b->setStyleSheet(style);
        const WidgetKind kind = p.kind;
        m_toggles.append({kind, m_name, send, b});
        connect(b, &QPushButton::clicked, this,
                [this, kind, send](bool on) { toggled(kind, m_name, send, on); });
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
    value->setStyleSheet(stripstyle::valueLabelStyle());
    value->hide();
    const SendView v{send, knob, value};
    m_sends.append(v);
    connect(knob, &DialControlSend::sendDialKnob_Pressed, this,
            [this, v](QMouseEvent *ev) { sendPressed(v, ev); });
    connect(knob, &DialControlSend::sendDialKnob_Moved, this, [this, send](QMouseEvent *ev) {
        if (m_ctx.send.move(ev->localPos()))
            m_ctx.model.setSendLevel(m_name, send, m_ctx.send.index());
    });
    connect(knob, &DialControlSend::sendDialKnob_Released, value, &QLabel::hide);
    return knob;
}

PanControl *StripWidget::addPanMarker(int track, WidgetKind knob, WidgetKind display, int lane, int panelX,
                                      const QRect &displayGeo)
{
    auto *marker = new PanControl(this);
    marker->setObjectName(objectNameOf(knob));
    marker->setFixedSize(16, 12);
    auto *value = new QLabel(this);
    value->setObjectName(objectNameOf(display));
    value->setGeometry(displayGeo);
    value->setAlignment(Qt::AlignCenter);
    value->setStyleSheet(stripstyle::valueLabelStyle());
    value->hide();
    const PanView v{track, lane, panelX, marker, value};
    m_pans.append(v);
    connect(marker, &PanControl::panknob_Pressed, this, [this, v](QMouseEvent *ev) { panPressed(v, ev); });
    connect(marker, &PanControl::panknob_Moved, this, [this, v](QMouseEvent *ev) { panMoved(v, ev); });
    connect(marker, &PanControl::panknob_Released, value, &QLabel::hide);
    connect(marker, &PanControl::panknob_DoubleClicked, this, [this, track] { m_ctx.model.resetPan(track); });
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
    connect(m_fader, &FaderPair::levelChanged, this,
            [this](double db) { m_ctx.model.setFaderLevel(m_name, db); });
    return m_fader;
}

QLineEdit *StripWidget::addNameEdit(int track, const QRect &geo)
{
    m_nameTrack = track;
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(objectNameOf(WidgetKind::Name));
    m_nameEdit->setGeometry(geo);
    m_nameEdit->setMaxLength(6);
    m_nameEdit->setFrame(false);
    m_nameEdit->setAlignment(Qt::AlignCenter);
    m_nameEdit->setFocusPolicy(Qt::ClickFocus);
    m_nameEdit->setStyleSheet(stripstyle::nameEditStyle());
    connect(m_nameEdit, &QLineEdit::editingFinished, this, [this] {
        m_nameEdit->clearFocus();
        m_ctx.model.setChannelName(m_nameTrack, m_nameEdit->text());
    });
    return m_nameEdit;
}

QLabel *StripWidget::addCaption(const QString &text, const QRect &geo, Qt::Alignment align, QWidget *host)
{
    auto *l = new QLabel(text, host ? host : this);
    l->setGeometry(geo);
    l->setAlignment(align);
    l->setStyleSheet(stripstyle::captionStyle());
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

// ---- Handlers, one per kind of control

void StripWidget::toggled(WidgetKind kind, const QString &name, int send, bool on)
{
    MixerModel &m = m_ctx.model;
    switch (kind) {
    case WidgetKind::Phase:
        m.setPhase(name, on);
        break;
    case WidgetKind::Eq:
        m.setEqOn(name, on);
        break;
    case WidgetKind::Comp:
        m.setCompOn(name, on);
        break;
    case WidgetKind::Mute:
        m.setMute(name, on);
        break;
    case WidgetKind::Solo:
        m.setSolo(name, on);
        break;
    case WidgetKind::Select:
        m.setSelect(name, on);
        break;
    case WidgetKind::Bypass:
        m.setTrueBypass(name, on);
        break;
    case WidgetKind::Pre:
        m.setPre(name, send, on);
        break;
    case WidgetKind::Post:
        m.setPost(name, send, on);
        break;
    default:
        break;
    }
    // A change the model refused leaves the button as the model has it.
    refresh();
}

void StripWidget::reflectToggle(WidgetKind kind, const QString &name, int send, bool on)
{
    for (const Toggle &t : qAsConst(m_toggles))
        if (t.kind == kind && t.send == send && t.name == name)
            t.button->setChecked(on);
}

void StripWidget::reflectBypass(const QString &name, bool on)
{
    if (name != m_name)
        return;
    for (const Toggle &t : qAsConst(m_toggles)) {
        switch (t.kind) {
        case WidgetKind::Bypass:
            t.button->setChecked(on);
            break;
        case WidgetKind::Phase:
        case WidgetKind::Eq:
        case WidgetKind::Comp:
        case WidgetKind::Select:
            t.button->setEnabled(!on);
            break;
        default:
            break;
        }
    }
}

void StripWidget::reflectSelect(const QString &name, bool on)
{
    reflectToggle(WidgetKind::Select, name, 0, on);
    if (name == m_name)
        update();
}

void StripWidget::reflectSend(const QString &name, int send, int position, const QString &label)
{
    if (name != m_name)
        return;
    for (const SendView &v : qAsConst(m_sends))
        if (v.send == send)
            m_ctx.send.showOn(v.knob, v.display, KnobScale::Send, position, label);
}

void StripWidget::reflectPan(int track, int position, const QString &label)
{
    for (const PanView &v : qAsConst(m_pans)) {
        if (v.track != track)
            continue;
        m_ctx.pan.placeMarker(v.marker, v.lane, position, v.panelX);
        v.display->setText(label);
    }
}

void StripWidget::sendPressed(const SendView &v, QMouseEvent *ev)
{
    m_ctx.send.setTarget(v.knob, v.display);
    m_ctx.send.press(KnobScale::Send, m_ctx.model.sendPosition(m_name, v.send), ev->localPos(),
                     KnobDrag::Arming::Latched);
    v.display->raise();
    v.display->show();
}

void StripWidget::panPressed(const PanView &v, QMouseEvent *ev)
{
    v.display->raise();
    v.display->show();
    m_ctx.pan.press(m_ctx.model.panPosition(v.track), ev->screenPos());
}

void StripWidget::panMoved(const PanView &v, QMouseEvent *ev)
{
    m_ctx.model.setPan(v.track, m_ctx.pan.move(v.lane, ev->screenPos()));
}

void StripWidget::refresh()
{
    const MixerModel &m = m_ctx.model;
    for (const Toggle &t : qAsConst(m_toggles)) {
        bool on = false;
        switch (t.kind) {
        case WidgetKind::Phase:
            on = m.phase(t.name);
            break;
        case WidgetKind::Eq:
            on = m.eqOn(t.name);
            break;
        case WidgetKind::Comp:
            on = m.compOn(t.name);
            break;
        case WidgetKind::Mute:
            on = m.mute(t.name);
            break;
        case WidgetKind::Solo:
            on = m.solo(t.name);
            break;
        case WidgetKind::Select:
            on = m.selected(t.name);
            break;
        case WidgetKind::Bypass:
            on = m.trueBypass(t.name);
            break;
        case WidgetKind::Pre:
            on = m.sendPoint(t.name, t.send) == 2;
            break;
        case WidgetKind::Post:
            on = m.sendPoint(t.name, t.send) == 3;
            break;
        default:
            break;
        }
        t.button->setChecked(on);
    }
    if (m_ref.kind != mixer::StripKind::Master)
        reflectBypass(m_name, m.trueBypass(m_name));
    for (const SendView &v : qAsConst(m_sends))
        m_ctx.send.showOn(v.knob, v.display, KnobScale::Send, m.sendPosition(m_name, v.send),
                          m.sendLabel(m_name, v.send));
    for (const PanView &v : qAsConst(m_pans))
        reflectPan(v.track, m.panPosition(v.track), m.panLabel(v.track));
    if (m_fader)
        m_fader->showLevel(m.faderLevel(m_name));
    if (m_nameEdit)
        m_nameEdit->setText(m.channelName(m_nameTrack));
    update();
}

void StripWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const bool selected = m_ref.kind != mixer::StripKind::Master && m_ctx.model.selected(m_name);
    stripstyle::paintStripBackground(p, rect(), selected);
}
