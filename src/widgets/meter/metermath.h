// Level and gain-reduction scales of the meters: linear values (32768 = 0 dB) to pixel offsets, and the
// steps by which bars fall. Pure functions over constant tables; any thread.
#pragma once

#include <cstdint>

namespace meter {

constexpr uint32_t kFullScale = 32768;

// A level bar spans from its top (kBarTop + offset) down to kBarBottom, both inclusive.
constexpr int kBarTop = 362;
constexpr int kBarBottom = 468;
constexpr int kEmptyOffset = 106;
constexpr int kPixelsPerDb = 2;
// Offsets below this light the peak lamp (a level of -1 dB and more).
constexpr int kPeakOffset = 2;
// The peak lamp sits above the bar, as wide as it.
constexpr int kPeakTop = 355;
constexpr int kPeakHeight = 5;
// The dark well behind a bar and its lamp reaches this far beyond them on every side.
constexpr int kWellMargin = 1;

// The gain-reduction bar hangs from kGrTop and is at most kGrFull pixels tall.
constexpr int kGrLeft = 569;
constexpr int kGrRight = 573;
constexpr int kGrTop = 73;
constexpr int kGrFull = 63;
// Gain reduction reads linear gain: this value and above mean no reduction.
constexpr uint32_t kNoReduction = 32767;

// Level of `dbStep` whole dB below full scale (0..60 for -60..0 dB), floored on the linear scale.
uint32_t threshold(int dbStep);

// Offset of a level bar's top: 0 (full) .. 106 (empty), two pixels per dB.
int level_segment(uint32_t level);

// Offset of the gain-reduction bar from its full length: 0 (24 dB and more of reduction) .. 62.
int gr_segment(uint32_t value);

// How far a falling bar's top moves down when the bar spans `span` = bottom - top pixels.
int fall_step(int span);

// Height of a gain-reduction bar one fall step below `height` (> 1).
int gr_shrunk(int height);

} // namespace meter
