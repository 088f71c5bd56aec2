// What every strip of the mixer page shares: the model it shows, the way its changes take, and the
// window-wide drag state.
#pragma once

#include "faderpair.h"
#include "knobdrag.h"
#include "pandrag.h"

namespace mixer {
class MixControls;
class MixerModel;
}

struct StripContext {
    mixer::MixerModel &model;     // what the strips show
    mixer::MixControls &controls; // where the user's changes go
    FaderFlags &faders;
    PanDrag &pan;   // one pan drag for all markers
    KnobDrag &send; // one controller for all send and return knobs
};
