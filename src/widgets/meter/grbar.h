// The gain-reduction bar under the editor: hangs from a fixed top and grows downwards with the
// reduction; it follows a deeper reduction at once and shrinks back by 8, 4, 2 or 1 pixels a step.
// GUI thread only.
#pragma once

#include <cstdint>

namespace meter {

class GrBar {
public:
    // One display step for the gain-reduction value `value` (linear gain, 32767 and above: none).
    void update(uint32_t value);

    int height() const { return height_; }
    bool visible() const { return visible_; }

private:
    int height_ = 0;
    bool visible_ = false;
};

} // namespace meter
