// Everything the host can set on the unit, as the wire values last received.
#pragma once

#include <cstdint>
#include <optional>

namespace lyntra::fw {

// Unset until the host sends it; then the wire value (sign-extended where the wire value is signed).
using Value = std::optional<int64_t>;

constexpr int kInputs = 20;
constexpr int kMasters = 2;
constexpr int kOutputs = 9; // line outputs 1-8 and the monitor master
constexpr int kBuses = 4;
constexpr int kBands = 4;
constexpr int kRouteOutputs = 20;

struct SendSlot {
    Value point, level;
};
struct EqBand {
    Value on, gain, freq, q;
};
struct CompSettings {
    Value on, threshold, ratio, attack, release, gain, link;
};
struct RouteSlot {
    Value type, channel;
};

struct MixState {
    Value clockSource;
    Value opticalMode[2]; // sources 5 and 6
    int64_t storeCount = 0;
    int64_t messages = 0;

    Value inputFader[kInputs], masterFader[kMasters], outputFader[kOutputs];
    Value pan[kInputs];
    Value inputMute[kInputs], masterMute[kMasters];
    Value solo[kInputs], phase[kInputs], truebypass[kInputs];
    SendSlot inputSend[kInputs][kBuses];
    SendSlot masterSend[kBuses];
    EqBand eq[kInputs][kBands];
    CompSettings comp[kInputs];
    Value reverbType, reverbPredelay, reverbTime, reverbDiff;
    Value returnOn, returnLevel;
    RouteSlot route[kRouteOutputs];
};

} // namespace lyntra::fw
