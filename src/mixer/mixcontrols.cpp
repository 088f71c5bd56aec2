#include "mixcontrols.h"

#include "lineouts.h"
#include "mixermodel.h"
#include "monitormodel.h"

namespace mixer {

MixControls::MixControls(MixerModel &mixer, QObject *parent) : QObject(parent), mixer_(mixer) {}

void MixControls::setRouting(MonitorModel &monitor, LineOutModel &lineOuts)
{
    monitor_ = &monitor;
    lineOuts_ = &lineOuts;
}

void MixControls::change(const Control &control, const QVariant &value, Merge merge)
{
    if (recorder_)
        recorder_->change(control, value, merge);
    else
        apply(control, value);
}

void MixControls::gestureBegan()
{
    if (recorder_)
        recorder_->gestureBegan();
}

void MixControls::gestureEnded()
{
    if (recorder_)
        recorder_->gestureEnded();
}

QVariant MixControls::value(const Control &c) const
{
    return c.kind >= ControlKind::MonitorTarget ? routingValue(c) : stripValue(c);
}

bool MixControls::apply(const Control &c, const QVariant &v)
{
    return c.kind >= ControlKind::MonitorTarget ? applyRouting(c, v) : applyStrip(c, v);
}

QVariant MixControls::stripValue(const Control &c) const
{
    const MixerModel &m = mixer_;
    const ReverbModel &r = m.reverb();
    switch (c.kind) {
    case ControlKind::Phase:
        return m.phase(c.strip, c.side);
    case ControlKind::Eq:
        return m.eqOn(c.strip);
    case ControlKind::Comp:
        return m.compOn(c.strip);
    case ControlKind::Mute:
        return m.mute(c.strip);
    case ControlKind::Solo:
        return m.solo(c.strip);
    case ControlKind::Bypass:
        return m.trueBypass(c.strip);
    case ControlKind::SendPoint:
        return m.sendPoint(c.strip, c.index);
    case ControlKind::Fader:
        return m.faderLevel(c.strip);
    case ControlKind::Pan:
        return m.panPosition(c.strip, c.side);
    case ControlKind::Send:
        return m.sendPosition(c.strip, c.index);
    case ControlKind::Name:
        return m.channelName(c.strip);
    case ControlKind::Link:
        return m.pairLinked(c.strip.number);
    case ControlKind::DynKnob:
        return m.dynamics().position(c.strip, dynKnobAt(c.index));
    case ControlKind::LowCut:
        return m.dynamics().lowCut(c.strip);
    case ControlKind::ReverbType:
        return r.type();
    case ControlKind::ReverbOn:
        return r.on();
    case ControlKind::ReverbParam: {
        const ReverbParams p = r.params(c.variant);
        return c.index == 0 ? p.preDelay : c.index == 1 ? p.time : p.diff;
    }
    default:
        return {};
    }
}

bool MixControls::applyStrip(const Control &c, const QVariant &v)
{
    MixerModel &m = mixer_;
    ReverbModel &r = m.reverb();
    switch (c.kind) {
    case ControlKind::Phase:
        return m.setPhase(c.strip, c.side, v.toBool());
    case ControlKind::Eq:
        return m.setEqOn(c.strip, v.toBool());
    case ControlKind::Comp:
        return m.setCompOn(c.strip, v.toBool());
    case ControlKind::Mute:
        return m.setMute(c.strip, v.toBool());
    case ControlKind::Solo:
        return m.setSolo(c.strip, v.toBool());
    case ControlKind::Bypass:
        return m.setTrueBypass(c.strip, v.toBool());
    case ControlKind::SendPoint:
        // The buttons' own calls: pre on gives 2, post on 3, either off 1.
        return v.toInt() == 3 ? m.setPost(c.strip, c.index, true) : m.setPre(c.strip, c.index, v.toInt() == 2);
    case ControlKind::Fader:
        return m.setFaderLevel(c.strip, v.toDouble());
    case ControlKind::Pan:
        return m.setPan(c.strip, c.side, v.toInt());
    case ControlKind::Send:
        return m.setSendLevel(c.strip, c.index, v.toInt());
    case ControlKind::Name:
        return m.setChannelName(c.strip, v.toString());
    case ControlKind::Link:
        return m.setLink(c.strip.number, v.toBool());
    case ControlKind::DynKnob:
        return m.dynamics().setKnob(c.strip, dynKnobAt(c.index), v.toInt());
    case ControlKind::LowCut:
        return m.dynamics().setLowCut(c.strip, v.toBool());
    case ControlKind::ReverbType:
        r.selectType(v.toInt());
        return true;
    case ControlKind::ReverbOn:
        r.setOn(v.toBool());
        return true;
    case ControlKind::ReverbParam:
        // A knob turns the type it belongs to; that type shows first if another was chosen since.
        if (r.type() != c.variant)
            r.selectType(c.variant);
        c.index == 0 ? r.setPreDelay(v.toInt()) : c.index == 1 ? r.setTime(v.toInt()) : r.setDiffusion(v.toInt());
        return true;
    default:
        return false;
    }
}

QVariant MixControls::routingValue(const Control &c) const
{
    if (!monitor_ || !lineOuts_)
        return {};
    const MonitorModel &m = *monitor_;
    switch (c.kind) {
    case ControlKind::MonitorTarget:
        return m.target();
    case ControlKind::MonitorMaster:
        return m.masterLevel();
    case ControlKind::MonitorLevel:
        return c.side == Side::Right ? m.rightLevel(c.index) : m.leftLevel(c.index);
    case ControlKind::MonitorLink:
        return m.link(c.index);
    case ControlKind::MonitorSource:
        return c.side == Side::Right ? m.rightSource(c.index) : m.leftSource(c.index);
    case ControlKind::LineOut:
        return lineOuts_->choice(static_cast<UnitModel>(c.variant), c.index);
    default:
        return {};
    }
}

bool MixControls::applyRouting(const Control &c, const QVariant &v)
{
    if (!monitor_ || !lineOuts_)
        return false;
    MonitorModel &m = *monitor_;
    switch (c.kind) {
    case ControlKind::MonitorTarget:
        m.selectTarget(v.toInt());
        return true;
    case ControlKind::MonitorMaster:
        m.setMasterLevel(v.toDouble());
        return true;
    case ControlKind::MonitorLevel:
        if (c.side != Side::Right)
            m.setLeftLevel(c.index, v.toDouble());
        if (c.side != Side::Left)
            m.setRightLevel(c.index, v.toDouble());
        return true;
    case ControlKind::MonitorLink:
        m.setLink(c.index, v.toBool());
        return true;
    case ControlKind::MonitorSource:
        c.side == Side::Right ? m.setRightSource(c.index, v.toInt()) : m.setLeftSource(c.index, v.toInt());
        return true;
    case ControlKind::LineOut:
        return lineOuts_->select(static_cast<UnitModel>(c.variant), c.index, v.toInt());
    default:
        return false;
    }
}

QVector<Control> MixControls::sideEffects(const Control &c) const
{
    QVector<Control> touched;
    switch (c.kind) {
    case ControlKind::Solo:
        // Solo mutes every other track, and its release unmutes by what was muted at the first solo.
        for (int n = 1; n <= kTracks; ++n)
            touched << stripControl(ControlKind::Mute, monoRef(n));
        break;
    case ControlKind::LowCut:
        touched << Control{ControlKind::DynKnob, c.strip, Side::None, static_cast<int>(DynKnob::LowGain), 0};
        break;
    case ControlKind::MonitorLink:
    case ControlKind::MonitorSource:
        if (c.side != Side::Right)
            touched << monitorControl(ControlKind::MonitorSource, c.index, Side::Right);
        if (c.kind == ControlKind::MonitorLink)
            touched << monitorControl(ControlKind::MonitorLevel, c.index, Side::Right);
        break;
    case ControlKind::MonitorLevel:
        if (c.side == Side::None)
            touched << monitorControl(ControlKind::MonitorLevel, c.index, Side::Right);
        break;
    default:
        break;
    }
    return touched;
}

bool MixControls::undoneAsWholeMix(const Control &control)
{
    return control.kind == ControlKind::Link;
}

} // namespace mixer
