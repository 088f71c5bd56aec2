// The clients that asked for feedback: each at an address and port of its choosing, with or without
// level meters, until it unsubscribes or stops renewing.
//
// Owned and used by the server's thread only.
#pragma once

#include "oscvalues.h"

#include <chrono>
#include <vector>

namespace remote {

class Subscribers {
public:
    using Clock = std::chrono::steady_clock;
    // A subscription lapses this long after its last renewal.
    static constexpr std::chrono::seconds kLifetime{10};
    static constexpr size_t kMost = 16;

    enum class Added { New, Renewed, Full };
    // Subscribes `who` (or renews its subscription) until now + kLifetime.
    Added subscribe(const Endpoint &who, bool meters, Clock::time_point now);
    void unsubscribe(const Endpoint &who);
    // Drops the lapsed ones; how long until the next lapses (kLifetime when none is left).
    Clock::duration expire(Clock::time_point now);

    size_t size() const { return list_.size(); }
    bool anyWantsMeters() const;
    // Everyone but `except` (every one when it is invalid); with `metersOnly`, those that want meters.
    std::vector<Endpoint> receivers(const Endpoint &except, bool metersOnly) const;

private:
    struct Entry {
        Endpoint who;
        bool meters;
        Clock::time_point until;
    };
    std::vector<Entry> list_;
};

} // namespace remote
