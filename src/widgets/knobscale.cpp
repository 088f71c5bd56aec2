#include "knobscale.h"

#include <algorithm>
#include <array>

namespace {

// Highest index of each band, band n showing frame n.
constexpr std::array<int, 21> kDialBandTops = {9,  15, 20, 25, 30, 35,  40,  50,  55,  60, 65,
                                               70, 75, 80, 90, 95, 100, 105, 110, 115, 127};
constexpr std::array<int, 21> kSendBandTops = {4,  10, 16, 22, 27, 34,  41,  49,  55,  61, 66,
                                               73, 80, 87, 93, 99, 104, 110, 116, 122, 127};
// Frames of the six-wide ratio bands and the eighteen-wide Q bands; the last entry covers the rest.
constexpr std::array<int, 15> kRatioFrames = {0, 1, 2, 4, 5, 7, 8, 9, 11, 12, 14, 15, 16, 18, 19};
constexpr std::array<int, 7> kQFrames = {0, 3, 7, 10, 14, 17, 20};

template <size_t N> int bandOf(const std::array<int, N> &tops, int index)
{
    const auto it = std::lower_bound(tops.begin(), tops.end(), index);
    return it == tops.end() ? int(N) - 1 : int(it - tops.begin());
}

} // namespace

KnobRange knobRange(KnobScale scale)
{
    switch (scale) {
    case KnobScale::PreDelay:
        return {0, 250};
    case KnobScale::ReverbTime:
        return {1, 100};
    case KnobScale::Diffusion:
        return {0, 100};
    default:
        return {0, 127};
    }
}

int clampKnobIndex(KnobScale scale, int index)
{
    const KnobRange r = knobRange(scale);
    return std::clamp(index, r.lo, r.hi);
}

int knobFrame(KnobScale scale, int index)
{
    index = clampKnobIndex(scale, index);
    switch (scale) {
    case KnobScale::Dial:
        return index == 10 ? -1 : bandOf(kDialBandTops, index);
    case KnobScale::DialQ:
        return kQFrames[std::min<size_t>(index / 18, kQFrames.size() - 1)];
    case KnobScale::DialRatio:
        return kRatioFrames[std::min<size_t>(index / 6, kRatioFrames.size() - 1)];
    case KnobScale::PreDelay:
        return index <= 1 ? 0 : (index >= 249 ? 20 : 1 + (index - 2) / 13);
    case KnobScale::ReverbTime:
        return index <= 3 ? 0 : (index == 100 ? 17 : 1 + (index - 4) / 6);
    case KnobScale::Diffusion:
        return index / 5;
    case KnobScale::Send:
        return bandOf(kSendBandTops, index);
    }
    return -1;
}
