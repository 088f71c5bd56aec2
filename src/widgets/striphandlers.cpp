// The strip's handlers, one per kind of control, and how the strip's own notices set its controls.
#include "stripwidget.h"

#include "dialcontrolsend.h"
#include "faderpair.h"
#include "mixcontrols.h"
#include "mixermodel.h"
#include "pancontrol.h"
#include "scales.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

using mixer::MixerModel;
using mixer::WidgetKind;

void StripWidget::toggled(WidgetKind kind, mixer::Side side, int send, bool on)
{
    using mixer::ControlKind;
    const auto change = [this, side, send](ControlKind k, const QVariant &v) {
        m_ctx.controls.change(mixer::stripControl(k, m_ref, side, send), v);
    };
    switch (kind) {
    case WidgetKind::Phase:
        change(ControlKind::Phase, on);
        break;
    case WidgetKind::Eq:
        change(ControlKind::Eq, on);
        break;
    case WidgetKind::Comp:
        change(ControlKind::Comp, on);
        break;
    case WidgetKind::Mute:
        change(ControlKind::Mute, on);
        break;
    case WidgetKind::Solo:
        change(ControlKind::Solo, on);
        break;
    case WidgetKind::Bypass:
        change(ControlKind::Bypass, on);
        break;
    case WidgetKind::Pre:
        change(ControlKind::SendPoint, on ? 2 : 1);
        break;
    case WidgetKind::Post:
        change(ControlKind::SendPoint, on ? 3 : 1);
        break;
    case WidgetKind::Select:
        // Which strip the editor edits is a view of the mix, not a change of it.
        m_ctx.model.setSelect(m_ref, on);
        break;
    default:
        break;
    }
    // A change the model refused leaves the button as the model has it.
    refresh();
}

void StripWidget::reflectToggle(WidgetKind kind, mixer::Side side, int send, bool on)
{
    for (const Toggle &t : qAsConst(m_toggles))
        if (t.kind == kind && t.send == send && t.side == side)
            t.button->setChecked(on);
}

void StripWidget::reflectBypass(bool on)
{
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

void StripWidget::reflectSelect(bool on)
{
    reflectToggle(WidgetKind::Select, mixer::Side::None, 0, on);
    update();
}

void StripWidget::reflectSend(int send, int position, const QString &label)
{
    for (const SendView &v : qAsConst(m_sends))
        if (v.send == send)
            m_ctx.send.showOn(v.knob, v.display, KnobScale::Send, position, label);
}

void StripWidget::reflectPan(mixer::Side side, int position, const QString &label)
{
    for (const PanView &v : qAsConst(m_pans)) {
        if (v.side != side)
            continue;
        m_ctx.pan.placeMarker(v.marker, v.lane, position, v.panelX);
        v.display->setText(label);
    }
}

void StripWidget::sendPressed(const SendView &v, QMouseEvent *ev)
{
    m_ctx.controls.gestureBegan();
    m_ctx.send.setTarget(v.knob, v.display);
    m_ctx.send.press(KnobScale::Send, m_ctx.model.sendPosition(m_ref, v.send), ev->localPos(),
                     KnobDrag::Arming::Latched);
    v.display->raise();
    v.display->show();
}

void StripWidget::panPressed(const PanView &v, QMouseEvent *ev)
{
    m_ctx.controls.gestureBegan();
    v.display->raise();
    v.display->show();
    m_ctx.pan.press(m_ctx.model.panPosition(m_ref, v.side), ev->screenPos());
}

void StripWidget::panMoved(const PanView &v, QMouseEvent *ev)
{
    m_ctx.controls.change(mixer::stripControl(mixer::ControlKind::Pan, m_ref, v.side),
                          m_ctx.pan.move(v.lane, ev->screenPos()), mixer::Merge::Burst);
}

void StripWidget::refresh()
{
    const MixerModel &m = m_ctx.model;
    for (const Toggle &t : qAsConst(m_toggles)) {
        bool on = false;
        switch (t.kind) {
        case WidgetKind::Phase:
            on = m.phase(m_ref, t.side);
            break;
        case WidgetKind::Eq:
            on = m.eqOn(m_ref);
            break;
        case WidgetKind::Comp:
            on = m.compOn(m_ref);
            break;
        case WidgetKind::Mute:
            on = m.mute(m_ref);
            break;
        case WidgetKind::Solo:
            on = m.solo(m_ref);
            break;
        case WidgetKind::Select:
            on = m.selected(m_ref);
            break;
        case WidgetKind::Bypass:
            on = m.trueBypass(m_ref);
            break;
        case WidgetKind::Pre:
            on = m.sendPoint(m_ref, t.send) == 2;
            break;
        case WidgetKind::Post:
            on = m.sendPoint(m_ref, t.send) == 3;
            break;
        default:
            break;
        }
        t.button->setChecked(on);
    }
    if (m_ref.kind != mixer::StripKind::Master)
        reflectBypass(m.trueBypass(m_ref));
    for (const SendView &v : qAsConst(m_sends)) {
        const int p = m.sendPosition(m_ref, v.send);
        m_ctx.send.showOn(v.knob, v.display, KnobScale::Send, p, mixer::send::label(p));
    }
    for (const PanView &v : qAsConst(m_pans)) {
        const int p = m.panPosition(m_ref, v.side);
        reflectPan(v.side, p, mixer::pan::label(p));
    }
    if (m_fader)
        m_fader->showLevel(m.faderLevel(m_ref));
    showName(m.channelName(m_ref));
}

