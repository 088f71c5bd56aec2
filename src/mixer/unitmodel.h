// The two units the panel knows, and the sample rates they run at.
#pragma once

#include <cstdint>

namespace mixer {

// Everything that is not the small model's exact product name counts as the large model (also no unit).
enum class UnitModel { K1, K2 };

// One row of the rate table: the rate, its display text and its class (1: 44.1/48 kHz, 2: 88.2/96 kHz,
// 4: 176.4/192 kHz). The class decides which strips the unit has and whether it has the reverb.
struct SampleRate {
    uint32_t hz;
    const char *text;
    int rateClass;
};

// The row of `hz`; null for a rate the units do not run at.
const SampleRate *sampleRateOf(uint32_t hz);

} // namespace mixer
