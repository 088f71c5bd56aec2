#include "curvetables.h"

#include <algorithm>
#include <cmath>

namespace curves {
namespace {

constexpr std::array<int, kColumns> kColumn = {
    9,   13,  17,  21,  24,  27,  29,  31,  35,  39,  42,  45,  47,  49,  52,  55,  58,
    60,  62,  66,  69,  72,  73,  74,  75,  76,  78,  80,  81,  83,  84,  85,  86,  87,
    89,  90,  91,  93,  95,  96,  98,  99,  100, 101, 102, 103, 105, 107, 109, 111, 113,
    114, 115, 117, 119, 121, 123, 125, 126, 128, 129, 130, 131, 133, 134, 135};

// Every shape is known at fifteen points, 10 apart, from 70 below to 70 above the centre.
constexpr int kSamples = 15;
constexpr int kFirstSample = kShapeCentre - 70;
using Samples = std::array<double, kSamples>;

constexpr Samples kBell0 = {0, 2, 4, 10, 25, 51, 90, 122, 89, 50, 23, 9, 4, 2, 0};
constexpr Samples kBell1 = {0, 1, 2, 4, 9, 22, 56, 121, 55, 21, 8, 3, 2, 1, 0};
constexpr Samples kBell2 = {0, 1, 1, 2, 3, 7, 25, 120, 24, 7, 3, 2, 1, 1, 0};
constexpr Samples kBell6 = {0, 1, 1, 1, 1, 1, 2, 120, 2, 1, 1, 1, 1, 1, 0};
constexpr Samples kLowShelf = {120, 121, 121, 121, 119, 117, 110, 96, 70, 44, 21, 8, 4, 3, 0};
constexpr Samples kLowCut = {650, 580, 480, 380, 280, 180, 95, 35, 7, 0, 0, 0, 0, 0, 0};
constexpr Samples kHighShelf = {0, 2, 4, 9, 21, 41, 66, 92, 108, 116, 119, 121, 121, 123, 120};

// Between two samples a response falls off exponentially, so positive neighbours are joined
// geometrically; a zero end is approached in a straight line.
Shape shapeFrom(const Samples &s, int zeroBelow, int zeroFrom)
{
    Shape out{};
    for (int i = 0; i < kShapeLength; ++i) {
        double v = 0;
        if (i <= kFirstSample) {
            v = s.front();
        } else if (i >= kFirstSample + 10 * (kSamples - 1)) {
            v = s.back();
        } else {
            const int k = (i - kFirstSample) / 10;
            const double t = (i - kFirstSample - 10 * k) / 10.0;
            const double a = s[size_t(k)];
            const double b = s[size_t(k + 1)];
            v = a > 0 && b > 0 ? a * std::pow(b / a, t) : a + (b - a) * t;
        }
        out[size_t(i)] = i < zeroBelow || i >= zeroFrom ? 0 : int(std::lround(v));
    }
    return out;
}

struct Shapes {
    std::array<Shape, kQSteps> bell;
    Shape lowShelf, lowCut, highShelf;

    Shapes()
    {
        bell[0] = shapeFrom(kBell0, 135, 270);
        bell[1] = shapeFrom(kBell1, 135, 270);
        bell[2] = shapeFrom(kBell2, 135, 270);
        bell[6] = shapeFrom(kBell6, 135, 270);
        // The unlisted Q steps narrow evenly (in the logarithm of the weights) from step 2 to step 6.
        for (int q = 3; q <= 5; ++q) {
            Samples s{};
            const double t = (q - 2) / 4.0;
            for (size_t i = 0; i < s.size(); ++i)
                s[i] = kBell2[i] > 0 && kBell6[i] > 0 ? kBell2[i] * std::pow(kBell6[i] / kBell2[i], t) : 0;
            bell[size_t(q)] = shapeFrom(s, 135, 270);
        }
        lowShelf = shapeFrom(kLowShelf, 0, 270);
        lowCut = shapeFrom(kLowCut, 0, 220);
        highShelf = shapeFrom(kHighShelf, 136, kShapeLength);
    }
};

const Shapes &shapes()
{
    static const Shapes s;
    return s;
}

// Knees of the listed threshold steps; the others lie on straight lines between them.
struct Knee {
    int step, x, y;
};
constexpr std::array<Knee, 5> kKnees = {{{0, 20, 46}, {10, 31, 33}, {20, 44, 20}, {30, 60, 5}, {32, 65, 2}}};

// Right-edge heights of the threshold steps that are listed in full, ratio steps 1..14.
struct RightEdges {
    int step;
    std::array<uint8_t, kRatioSteps - 1> y;
};
constexpr std::array<RightEdges, 3> kListed = {{
    {0, {5, 8, 11, 15, 18, 21, 24, 27, 30, 33, 37, 40, 43, 46}},
    {10, {4, 6, 8, 11, 13, 15, 17, 19, 22, 24, 26, 29, 31, 33}},
    {20, {3, 5, 6, 7, 8, 10, 11, 12, 14, 15, 16, 17, 19, 20}},
}};

struct CompTable {
    std::array<std::array<CompEntry, kRatioSteps>, kThresholdSteps> e{};

    CompTable()
    {
        for (int t = 0; t < kThresholdSteps; ++t) {
            size_t k = 0;
            while (k + 2 < kKnees.size() && kKnees[k + 1].step <= t)
                ++k;
            const Knee &a = kKnees[k];
            const Knee &b = kKnees[k + 1];
            const double f = double(t - a.step) / (b.step - a.step);
            const auto kx = uint8_t(std::lround(a.x + (b.x - a.x) * f));
            const auto ky = uint8_t(std::lround(a.y + (b.y - a.y) * f));
            for (int r = 0; r < kRatioSteps; ++r) {
                // The right edge climbs from the diagonal's end to the knee's height, flat at infinity.
                const auto y = uint8_t(std::lround(2 + (ky - 2) * r / double(kRatioSteps - 1)));
                e[size_t(t)][size_t(r)] =
                    r == 0 || t == kThresholdSteps - 1 ? CompEntry{65, 2, 65, 2} : CompEntry{65, y, kx, ky};
            }
        }
        for (const RightEdges &l : kListed)
            for (int r = 1; r < kRatioSteps; ++r)
                e[size_t(l.step)][size_t(r)].rightY = l.y[size_t(r - 1)];
    }
};

} // namespace

int column(int step)
{
    return kColumn[size_t(std::clamp(step, 0, kColumns - 1))];
}

const Shape &bellShape(int qStep)
{
    return shapes().bell[size_t(std::clamp(qStep, 0, kQSteps - 1))];
}

const Shape &lowShape(bool lowCut)
{
    return lowCut ? shapes().lowCut : shapes().lowShelf;
}

const Shape &highShape()
{
    return shapes().highShelf;
}

CompEntry compEntry(int thresholdStep, int ratioStep)
{
    static const CompTable table;
    return table.e[size_t(std::clamp(thresholdStep, 0, kThresholdSteps - 1))]
                  [size_t(std::clamp(ratioStep, 0, kRatioSteps - 1))];
}

} // namespace curves
