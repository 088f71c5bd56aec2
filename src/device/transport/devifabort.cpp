#include "devifabort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {
constexpr int kSliceMs = 50; // only without an event descriptor
}

devif_abort::devif_abort() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

devif_abort::~devif_abort()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void devif_abort::raise()
{
    raised_.store(true, std::memory_order_release);
    if (fd_ >= 0) {
        const uint64_t one = 1;
        // Never read back: the descriptor stays readable for every later wait.
        [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one);
    }
}

bool devif_abort::sleep_for(int ms) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!raised()) {
        // Rounded up: a pause the unit needs must never come out a fraction short.
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            return true;
        pollfd p{fd_, POLLIN, 0};
        const int slice = int(fd_ >= 0 ? left : std::min<long long>(left, kSliceMs));
        if (::poll(fd_ >= 0 ? &p : nullptr, fd_ >= 0 ? 1 : 0, slice) < 0 && errno != EINTR)
            return !raised();
    }
    return false;
}
