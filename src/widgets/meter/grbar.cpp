#include "grbar.h"

#include "metermath.h"

namespace meter {

void GrBar::update(uint32_t value)
{
    const int target = kGrFull - gr_segment(value);
    if (height_ <= target) {
        height_ = target;
        // A bar of one pixel is no reduction worth showing.
        visible_ = height_ > 1;
        return;
    }
    if (height_ <= 1) {
        visible_ = false;
        return;
    }
    height_ = gr_shrunk(height_);
}

} // namespace meter
