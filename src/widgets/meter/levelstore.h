// The last meter values received from the unit: inputs 1-20, master left and right, and the gain
// reduction of the channel being edited. GUI thread only.
#pragma once

#include "metermath.h"

#include <cstdint>

namespace meter {

constexpr int kInputs = 20;
constexpr int kMasters = 2;

struct LevelStore {
    uint32_t input[kInputs] = {};
    uint32_t master[kMasters] = {};
    uint32_t gainReduction = kNoReduction;

    // Keeps a level reported for channel `type` / `number` (the unit's channel types). Returns false
    // and keeps nothing for a channel that has no meter.
    bool storeLevel(uint32_t type, uint32_t number, uint32_t value);
    // Gain reduction is kept whatever channel it names: only the edited channel's is ever asked for.
    void storeGainReduction(uint32_t value) { gainReduction = value; }
    // The unit went away: every bar falls to empty and the gain-reduction bar goes out.
    void reset() { *this = LevelStore(); }
};

} // namespace meter
