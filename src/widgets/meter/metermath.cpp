#include "metermath.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace meter {
namespace {

constexpr int kSteps = 61;

const std::array<uint32_t, kSteps> &thresholds()
{
    static const std::array<uint32_t, kSteps> table = [] {
        std::array<uint32_t, kSteps> t{};
        for (int i = 0; i < kSteps; ++i)
            t[size_t(i)] = uint32_t(std::floor(double(kFullScale) * std::pow(10.0, (i - 60) / 20.0)));
        return t;
    }();
    return table;
}

// Offsets for the thresholds of -24 dB .. 0 dB; the bar is 63 pixels for 24 dB, not 48.
constexpr std::array<int, 25> kGrOffsets = {0,  3,  6,  8,  11, 14, 16, 19, 22, 24, 27, 30, 32,
                                            35, 38, 40, 43, 46, 48, 51, 54, 56, 59, 61, 62};
constexpr int kGrFirstStep = 36;

} // namespace

uint32_t threshold(int dbStep)
{
    return thresholds()[size_t(std::clamp(dbStep, 0, kSteps - 1))];
}

int level_segment(uint32_t level)
{
    const auto &t = thresholds();
    const auto above = std::upper_bound(t.begin(), t.end(), level);
    if (above == t.end())
        return 0;
    const int i = int(above - t.begin());
    return std::min(kEmptyOffset, 2 * (60 - i));
}

int gr_segment(uint32_t value)
{
    // The unit reports no reduction as full scale; read it as "none", not as the full bar.
    value = std::min(value, kNoReduction);
    const auto &t = thresholds();
    const auto first = t.begin() + kGrFirstStep;
    const auto above = std::upper_bound(first, t.end(), value);
    if (above == t.end())
        return 0;
    return kGrOffsets[size_t(above - first)];
}

int fall_step(int span)
{
    if (span > 6)
        return 8;
    if (span >= 1)
        return 2;
    return span == 0 ? 1 : 0;
}

int gr_shrunk(int height)
{
    if (height > 8)
        return height - 8;
    if (height >= 5)
        return height - 4;
    if (height >= 3)
        return height - 2;
    return height - 1;
}

} // namespace meter
