// Constant data of the curve displays: where a frequency step sits on the EQ display, the shape of each
// band's response, and the compressor's transfer curve per threshold and ratio step. Built once on first
// use; any thread after that (the build is thread-safe static initialisation).
#pragma once

#include <array>
#include <cstdint>

namespace curves {

constexpr int kShapeLength = 405;
constexpr int kShapeCentre = 202; // the index under a band's centre frequency
constexpr int kFullGainWeight = 120;
constexpr int kColumns = 66;
constexpr int kQSteps = 7;
constexpr int kThresholdSteps = 33;
constexpr int kRatioSteps = 15;

using Shape = std::array<int, kShapeLength>;

// x pixel of the centre of frequency step `step` (clamped to the table).
int column(int step);
// Mid-band bell of Q step 0 (widest) .. 6 (narrowest).
const Shape &bellShape(int qStep);
// Low band: a steep slope while the low-cut filter is on, else a low shelf.
const Shape &lowShape(bool lowCut);
const Shape &highShape();

struct CompEntry {
    uint8_t unused; // always 65; kept so an entry has the unit's four-byte layout
    uint8_t rightY; // where the curve leaves the display's right edge
    uint8_t kneeX;
    uint8_t kneeY;
};
// Entry of threshold step 0..32 and ratio step 0..14 (both clamped).
CompEntry compEntry(int thresholdStep, int ratioStep);

} // namespace curves
