#include "metertable.h"

#include <algorithm>

namespace meter {
namespace {

struct Columns {
    int left, right;
};

// Pair slots by position in their entry, then master left and right.
constexpr Columns kPairColumns[4] = {{37, 42}, {96, 101}, {63, 68}, {74, 79}};
constexpr Columns kMasterColumns[2] = {{51, 56}, {59, 64}};

Columns columnsOf(int slot)
{
    if (slot >= kMasterLeft)
        return kMasterColumns[std::min(slot - kMasterLeft, 1)];
    return kPairColumns[std::max(slot, 0) % 4];
}

uint16_t toSlot(uint32_t value)
{
    return uint16_t(std::min<uint32_t>(value, 0xFFFF));
}

} // namespace

Bar barAt(int slot, int offset)
{
    const Columns c = columnsOf(slot);
    return {c.left, kBarTop + offset, c.right, kBarBottom};
}

int inputOfSlot(int slot)
{
    if (slot < 0 || slot >= kMasterLeft)
        return 0;
    return 2 * (slot / 4) + 1 + (slot % 2);
}

void MeterTable::setLevels(const LevelStore &store)
{
    for (int slot = 0; slot < kMasterLeft; ++slot)
        slots_[slot].level = toSlot(store.input[inputOfSlot(slot) - 1]);
    slots_[kMasterLeft].level = toSlot(store.master[0]);
    slots_[kMasterRight].level = toSlot(store.master[1]);
}

void MeterTable::update(MeterView &view)
{
    for (int entry = 0; entry < kPairEntries; ++entry) {
        moveChannel(view, 4 * entry, 4 * entry + 2);
        moveChannel(view, 4 * entry + 1, 4 * entry + 3);
    }
    moveChannel(view, kMasterLeft, -1);
    moveChannel(view, kMasterRight, -1);
}

void MeterTable::moveChannel(MeterView &view, int first, int second)
{
    const int offset = level_segment(slots_[first].level);
    if (slots_[first].shown < offset) {
        decay(view, first, second, offset);
        for (int s : {first, second})
            if (s >= 0)
                slots_[s].shown = uint8_t(std::min(slots_[s].shown + 8, offset));
        return;
    }
    for (int s : {first, second}) {
        if (s < 0)
            continue;
        view.setBar(s, barAt(s, offset));
        slots_[s].shown = uint8_t(level_segment(slots_[s].level));
        if (offset < kPeakOffset) {
            view.setPeak(s, true);
            slots_[s].hold = kPeakHold;
        }
    }
}

void MeterTable::decay(MeterView &view, int slot, int second, int offset)
{
    const Bar from = view.bar(slot);
    const int step = fall_step(from.bottom - from.top);
    if (step == 0)
        return;
    for (int s : {slot, second}) {
        if (s < 0)
            continue;
        // A fall stops at the level: a bar drawn below it would jump back up on the next step.
        Bar b = view.bar(s);
        b.top = std::min(b.top + step, barAt(s, offset).top);
        view.setBar(s, b);
    }
}

void MeterTable::holdTick(MeterView &view)
{
    for (int s = 0; s < kSlots; ++s) {
        if (slots_[s].hold == 0)
            continue;
        if (--slots_[s].hold == 0)
            view.setPeak(s, false);
    }
}

} // namespace meter
