// Walks one message from the host with the unit's receiver contexts and applies its settings.
#pragma once

#include "mix_state.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lyntra::fw {

// A request found in a message, with the address current when it arrived (for 177).
struct PendingRequest {
    uint8_t id;
    uint32_t chType;
    uint32_t chNo;
};

// Applies every setting of the `length` bytes at `msg` (caller-owned, read only during the call) to
// `state`, counting the message, and returns the requests it carried in order. Contexts start afresh
// for each message; items the unit would not accept (bad address, wrong type) are skipped. Pure; any
// thread, on a state that thread owns.
std::vector<PendingRequest> applyMessage(const uint8_t *msg, size_t length, MixState &state);

} // namespace lyntra::fw
