#include "userscales.h"

#include "reverbmodel.h"
#include "scales.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace remote::scale {
namespace {

// A ratio this large or larger means the scale's "inf:1".
constexpr double kInfiniteRatioFrom = 32;

int rounded(double v, int lo, int hi)
{
    if (std::isnan(v))
        return lo;
    return int(std::lround(std::clamp(v, double(lo), double(hi))));
}

// Frequencies and Qs double per step of the ear: compare them by ratio.
bool byRatio(mixer::DynKnob knob)
{
    return mixer::eqBandOf(knob) != 0 && !mixer::isEqGain(knob);
}

} // namespace

double typedLevel(double db, double lowest, double highest)
{
    if (std::isnan(db))
        return lowest;
    return std::lround(std::clamp(db, lowest, highest) * 10.0) / 10.0;
}

int panPosition(double value, bool oddTrack)
{
    return mixer::pan::centre(oddTrack) + rounded(value, -20, 20);
}

int panValue(int position)
{
    const int index = mixer::pan::unitIndex(position);
    return index == mixer::pan::kNoIndex ? 0 : index - mixer::pan::kOddCentre;
}

double sendLevel(int position)
{
    return position <= 0 ? kOffDb : mixer::send::dbAt(position);
}

int sendPosition(double db)
{
    int best = 0;
    for (int p = 1; p < mixer::send::kPositions; ++p)
        if (std::abs(sendLevel(p) - db) < std::abs(sendLevel(best) - db))
            best = p;
    return best;
}

int knobPosition(mixer::DynKnob knob, double value)
{
    const auto distance = [&](int p) {
        const double shown = knobValue(knob, p);
        if (std::isinf(shown))
            return value >= kInfiniteRatioFrom ? 0.0 : std::numeric_limits<double>::infinity();
        if (byRatio(knob))
            return std::abs(std::log(shown / std::max(value, 1e-3)));
        return std::abs(shown - std::clamp(value, -1e9, 1e9));
    };
    int best = 0;
    for (int p = 1; p < mixer::kDynPositions; ++p)
        if (distance(p) < distance(best))
            best = p;
    return best;
}

int preDelayPosition(double ms)
{
    return rounded(ms, 0, mixer::reverb::kMaxPreDelay);
}

int timePosition(double seconds)
{
    return rounded(seconds * 10.0, mixer::reverb::kMinTime, mixer::reverb::kMaxTime);
}

int diffusionPosition(double value)
{
    return rounded(value, 0, mixer::reverb::kMaxDiff);
}

} // namespace remote::scale
