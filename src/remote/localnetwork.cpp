#include "localnetwork.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

namespace remote {
namespace {

constexpr std::chrono::seconds kRereadAfter{5};

bool onLoopback(uint32_t ip)
{
    return (ip >> 24) == 127;
}

} // namespace

bool LocalNetwork::contains(uint32_t ip)
{
    if (onLoopback(ip))
        return true;
    const auto known = [&] {
        for (const Net &n : nets_)
            if ((ip & n.mask) == (n.address & n.mask))
                return true;
        return false;
    };
    if (known())
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (read_ && now - readAt_ < kRereadAfter)
        return false;
    readAt_ = now;
    read_ = true;
    refresh();
    return known();
}

void LocalNetwork::refresh()
{
    nets_.clear();
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0)
        return;
    for (const ifaddrs *i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || !i->ifa_netmask || i->ifa_addr->sa_family != AF_INET)
            continue;
        const auto *addr = reinterpret_cast<const sockaddr_in *>(i->ifa_addr);
        const auto *mask = reinterpret_cast<const sockaddr_in *>(i->ifa_netmask);
        // A default route's mask would take in every sender.
        if (mask->sin_addr.s_addr != 0)
            nets_.push_back({ntohl(addr->sin_addr.s_addr), ntohl(mask->sin_addr.s_addr)});
    }
    freeifaddrs(list);
}

} // namespace remote
