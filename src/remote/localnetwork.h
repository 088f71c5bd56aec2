// Whether a sender is on this computer or on one of the networks its interfaces are on: "the local
// network" as the remote control's reach means it. Routed senders are not.
//
// Not thread-safe; the server's thread owns one.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace remote {

class LocalNetwork {
public:
    // `ip` in host order. The interfaces are read again when a sender is not on any known network
    // (at most once every few seconds), so a network joined meanwhile is seen.
    bool contains(uint32_t ip);

private:
    struct Net {
        uint32_t address;
        uint32_t mask;
    };
    void refresh();
    std::vector<Net> nets_;
    std::chrono::steady_clock::time_point readAt_{};
    bool read_ = false;
};

} // namespace remote
