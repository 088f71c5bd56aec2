// What every strip of the mixer page shares: the model it shows and the window-wide drag state.
#pragma once

#include "faderpair.h"
#include "knobdrag.h"
#include "pandrag.h"

namespace mixer {
class MixerModel;
}

struct StripContext {
    mixer::MixerModel &model;
    FaderFlags &faders;
    PanDrag &pan;   // one pan drag for all markers
    KnobDrag &send; // one controller for all send and return knobs
};
