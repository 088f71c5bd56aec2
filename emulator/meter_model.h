// Level and gain-reduction meters computed from the mix: deterministic for a given time, so tests can
// check how they relate to the settings.
#pragma once

#include "mix_state.h"

#include <cstdint>
#include <optional>

namespace lyntra::fw {

constexpr uint32_t kFullScale = 32768; // 0 dB on the linear meter scale

// What plays into the inputs: each input's moving test signal at `seconds`, unless the input was given
// a steady source level, on the linear meter scale (0 = silence, 32768 = full scale).
struct InputSources {
    double seconds = 0.0;
    std::optional<double> level[kInputs];

    // The source of `input` (1-20) in dB below full scale; -infinity for silence. Pure.
    double db(int input) const;
};

// Inputs the small model has: 1, 2 and 5-12.
bool inputPresent(bool smallModel, int input);

// Test signal of `input` (1-20) at `seconds`, in dB below full scale; each input sits at its own
// level and drifts slowly. Pure.
double testSignalDb(int input, double seconds);

// Gain reduction of the input's compressor in dB (>= 0) for a signal at `signalDb`.
double compReductionDb(const CompSettings &comp, double signalDb);

// Meter readings on the 32768 scale, clamped to full scale. `input` 1-20, `side` 1-2; anything else 0
// (gain reduction: 32768). Pure.
uint32_t inputMeter(const MixState &s, bool smallModel, int input, const InputSources &src);
uint32_t masterMeter(const MixState &s, bool smallModel, int side, const InputSources &src);
uint32_t gainReductionMeter(const MixState &s, bool smallModel, int input, const InputSources &src);

} // namespace lyntra::fw
