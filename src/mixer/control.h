// One control of the mix a user can set: a strip's switch, fader, pan or send, an editor knob, the
// reverb, the monitor or a line output's route. A control names the parameter, not a widget: the undo
// steps, the screen-reader texts and the keyboard all speak of the same thing.
//
// Plain value type; any thread.
#pragma once

#include "tracks.h"
#include "unitmodel.h"

namespace mixer {

enum class ControlKind {
    Phase,     // strip, side (a stereo strip's L/R); bool
    Eq,        // bool
    Comp,      // bool
    Mute,      // mono, pair or master; bool
    Solo,      // bool
    Bypass,    // bool
    SendPoint, // index: send 1..4; int code 1 none, 2 pre, 3 post
    Fader,     // double dB
    Pan,       // side; int lane position
    Send,      // index: send 1..4, the master's 0 is the reverb return; int position 0..127
    Name,      // mono; QString
    Link,      // pair strip; bool
    DynKnob,   // the strip edited, index: DynKnob; int position
    LowCut,    // the strip edited; bool
    ReverbType,     // int type code 1..5
    ReverbOn,       // bool
    ReverbParam,    // index: 0 pre-delay, 1 time, 2 diffusion; variant: the type code; int position
    MonitorTarget,  // int target 0..3
    MonitorMaster,  // double dB
    MonitorLevel,   // index: target; side Left, Right or None (both, the linked fader); double dB
    MonitorLink,    // index: target; bool
    MonitorSource,  // index: target; side Left or Right; int selector index
    LineOut,        // index: output; variant: UnitModel; int selector index
};

struct Control {
    ControlKind kind = ControlKind::Mute;
    StripRef strip;
    Side side = Side::None;
    int index = 0;
    int variant = 0;

    bool operator==(const Control &o) const
    {
        return kind == o.kind && strip == o.strip && side == o.side && index == o.index && variant == o.variant;
    }
    bool operator!=(const Control &o) const { return !(*this == o); }
};

inline Control stripControl(ControlKind kind, StripRef strip, Side side = Side::None, int index = 0)
{
    return {kind, strip, side, index, 0};
}
inline Control reverbControl(ControlKind kind, int index = 0, int type = 0)
{
    return {kind, {}, Side::None, index, type};
}
inline Control monitorControl(ControlKind kind, int target = 0, Side side = Side::None)
{
    return {kind, {}, side, target, 0};
}
inline Control lineOutControl(UnitModel model, int output)
{
    return {ControlKind::LineOut, {}, Side::None, output, static_cast<int>(model)};
}

} // namespace mixer
