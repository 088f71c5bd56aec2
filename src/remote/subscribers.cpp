#include "subscribers.h"

#include <algorithm>

namespace remote {

Subscribers::Added Subscribers::subscribe(const Endpoint &who, bool meters, Clock::time_point now)
{
    for (Entry &e : list_)
        if (e.who == who) {
            e.meters = meters;
            e.until = now + kLifetime;
            return Added::Renewed;
        }
    if (list_.size() >= kMost)
        return Added::Full;
    list_.push_back({who, meters, now + kLifetime});
    return Added::New;
}

void Subscribers::unsubscribe(const Endpoint &who)
{
    list_.erase(std::remove_if(list_.begin(), list_.end(), [&](const Entry &e) { return e.who == who; }),
                list_.end());
}

Subscribers::Clock::duration Subscribers::expire(Clock::time_point now)
{
    list_.erase(std::remove_if(list_.begin(), list_.end(), [&](const Entry &e) { return e.until <= now; }),
                list_.end());
    Clock::duration next = kLifetime;
    for (const Entry &e : list_)
        next = std::min<Clock::duration>(next, e.until - now);
    return next;
}

bool Subscribers::anyWantsMeters() const
{
    return std::any_of(list_.begin(), list_.end(), [](const Entry &e) { return e.meters; });
}

std::vector<Endpoint> Subscribers::receivers(const Endpoint &except, bool metersOnly) const
{
    std::vector<Endpoint> out;
    for (const Entry &e : list_)
        if (e.who != except && (!metersOnly || e.meters))
            out.push_back(e.who);
    return out;
}

} // namespace remote
