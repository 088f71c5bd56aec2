// Lets the owner of a record stop its requests from another thread: once raised, a request waiting for
// the unit gives up at once and no new one starts, and a pause between requests ends early. Waiting
// happens in the kernel on an event descriptor, so nothing wakes up to look at a flag.
#pragma once

#include <atomic>

class devif_abort {
public:
    devif_abort();
    ~devif_abort();
    devif_abort(const devif_abort &) = delete;
    devif_abort &operator=(const devif_abort &) = delete;

    // Any thread; cannot be undone.
    void raise();
    bool raised() const { return raised_.load(std::memory_order_acquire); }
    // Readable once raised; -1 when no event descriptor could be made, and then waits are cut into
    // short slices that look at the flag instead.
    int fd() const { return fd_; }
    // Sleeps `ms` milliseconds, less when raised. Returns false when raised. Any thread.
    bool sleep_for(int ms) const;

private:
    std::atomic<bool> raised_{false};
    int fd_ = -1;
};
