// The values of one pending command of each kind, and the table that keeps them.
//
// An entry holds its address as well as its values: the change test compares the whole entry, so the
// first setting of a cleared slot (address 0/0) always goes out. No Qt, no threads: the device object
// owns every table and touches it on the GUI thread only.
#pragma once

#include "ixmsg.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>

namespace qix {

struct Address {
    uint32_t ch_type = 0;
    uint8_t ch_no = 0;
    auto key() const { return std::tie(ch_type, ch_no); }
};

struct RouteEntry {
    Address from, to;
    auto key() const { return std::tuple_cat(from.key(), to.key()); }
};

struct SendEntry {
    Address from, bus;
    uint32_t point = 0;
    int8_t level = 0;
    auto key() const { return std::tuple_cat(from.key(), bus.key(), std::tie(point, level)); }
};

struct EqEntry {
    Address ch;
    uint8_t on = 0;
    uint32_t band = 0;
    uint8_t gain = 0, freq = 0, q = 0;
    auto key() const { return std::tuple_cat(ch.key(), std::tie(on, band, gain, freq, q)); }
};

struct CompEntry {
    Address ch;
    uint8_t on = 0;
    int8_t threshold = 0;
    uint8_t ratio = 0, attack = 0, release = 0, gain = 0, link = 0;
    auto key() const
    {
        return std::tuple_cat(ch.key(), std::tie(on, threshold, ratio, attack, release, gain, link));
    }
};

struct ReverbEntry {
    uint32_t type = 0;
    uint8_t predelay = 0, time = 0, diff = 0;
    auto key() const { return std::tie(type, predelay, time, diff); }
};

struct ReturnEntry {
    uint8_t on = 0;
    int8_t level = 0;
    auto key() const { return std::tie(on, level); }
};

struct ClockEntry {
    uint32_t source = 0;
    auto key() const { return std::tie(source); }
};

struct OpticalEntry {
    uint32_t source = 0;
    uint32_t mode = 0;
    auto key() const { return std::tie(source, mode); }
};

// One byte per channel: true bypass, pan, mute, solo, phase.
struct ChannelByte {
    Address ch;
    uint8_t value = 0;
    auto key() const { return std::tuple_cat(ch.key(), std::tie(value)); }
};

struct FaderEntry {
    Address ch;
    int16_t level = 0;
    auto key() const { return std::tuple_cat(ch.key(), std::tie(level)); }
};

template <typename E> bool same(const E &a, const E &b)
{
    return a.key() == b.key();
}

// What a setting operation did with its arguments.
enum class Outcome { Refused, Unchanged, Stored };

// N slots of one kind of entry with their pending flags and the writer that puts one entry on the wire.
template <typename E, size_t N> class PendingTable {
public:
    using Writer = int (*)(ixmsg_buf *, const E &);

    explicit PendingTable(Writer writer) : write_(writer) {}

    // Stores `entry` in slot `index` and marks it pending. With `change_test`, an entry equal to the
    // stored one is left alone. `index` out of range is refused.
    Outcome store(int index, const E &entry, bool change_test)
    {
        if (index < 0 || static_cast<size_t>(index) >= N)
            return Outcome::Refused;
        const size_t i = static_cast<size_t>(index);
        if (change_test && same(values_[i], entry))
            return Outcome::Unchanged;
        values_[i] = entry;
        pending_[i] = true;
        return Outcome::Stored;
    }

    // Appends the pending entries in slot order, clearing each flag as its entry goes in. Returns false
    // at the first entry that does not fit: it and everything after it stay pending.
    bool put_pending(ixmsg_buf *buf, bool *any)
    {
        for (size_t i = 0; i < N; ++i) {
            if (!pending_[i])
                continue;
            if (write_(buf, values_[i]) != 0)
                return false;
            pending_[i] = false;
            *any = true;
        }
        return true;
    }

    void clear()
    {
        values_.fill(E{});
        pending_.fill(false);
    }

    const E &value(size_t i) const { return values_.at(i); }
    bool pending(size_t i) const { return pending_.at(i); }

private:
    Writer write_;
    std::array<E, N> values_{};
    std::array<bool, N> pending_{};
};

} // namespace qix
