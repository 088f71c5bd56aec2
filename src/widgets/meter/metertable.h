// The display table of the level meters: 42 bar slots (ten pairs of inputs, each shown on two mono
// strips and on both sides of the linked strip, then the master's two sides), the levels they show,
// the offsets they fell to and their peak-hold counters. The bars themselves are the view's: the table
// reads where a bar is and tells where it goes, so it is tested without widgets. GUI thread only.
#pragma once

#include "levelstore.h"
#include "metermath.h"

#include <cstdint>

namespace meter {

constexpr int kPairEntries = 10;
constexpr int kSlots = 42;
constexpr int kMasterLeft = 40;
constexpr int kMasterRight = 41;
// Seconds a peak lamp stays lit after the last level that reached it: one or two hold ticks.
constexpr uint8_t kPeakHold = 2;

// A bar's rectangle in its label's parent, edges inclusive (x1, y1, x2, y2 of a QRect).
struct Bar {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Bar &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Slot numbering: pair entry i holds 4i (mono strip of input 2i+1), 4i+1 (mono strip of input 2i+2),
// 4i+2 and 4i+3 (left and right of the linked strip); the master holds 40 and 41.
Bar barAt(int slot, int offset);
// The input (1-20) a slot shows, 0 for the master slots.
int inputOfSlot(int slot);

// The labels the table moves.
class MeterView {
public:
    virtual ~MeterView() = default;
    virtual Bar bar(int slot) const = 0;
    virtual void setBar(int slot, const Bar &bar) = 0;
    virtual void setPeak(int slot, bool lit) = 0;
};

class MeterTable {
public:
    // Copies the store into the slots; levels above the 16-bit slots read as the largest they hold.
    void setLevels(const LevelStore &store);
    // One display step: bars rise at once to their level and fall by at most 8 pixels, never below it,
    // and a level of -1 dB or more lights the peak lamps of its channel.
    void update(MeterView &view);
    // The once-a-second step of the peak hold: a lamp goes out when its counter runs down.
    void holdTick(MeterView &view);

    uint16_t level(int slot) const { return slots_[slot].level; }
    int shownOffset(int slot) const { return slots_[slot].shown; }
    uint8_t hold(int slot) const { return slots_[slot].hold; }

private:
    struct Slot {
        uint16_t level = 0;
        uint8_t shown = kEmptyOffset; // offset last set or fallen to
        uint8_t hold = 0;
    };

    // One channel: `first` is the slot whose level counts, `second` its other display or -1.
    void moveChannel(MeterView &view, int first, int second);
    // One fall step towards `offset`, never past it.
    void decay(MeterView &view, int slot, int second, int offset);

    Slot slots_[kSlots];
};

} // namespace meter
