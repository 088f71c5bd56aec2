#include "monitorscale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mixer::monitor {

namespace {

// In tenths of a dB, entry i at slider position 127 - i.
constexpr std::array<int16_t, kPositions> kTenths = [] {
    constexpr int16_t top[] = {0,    -2,   -4,   -6,   -8,   -10,  -13,  -15,  -17,  -19,  -21,  -23,  -25,
                               -27,  -29,  -31,  -33,  -35,  -38,  -40,  -42,  -44,  -46,  -48,  -50,  -53,
                               -56,  -59,  -62,  -65,  -68,  -71,  -74,  -76,  -79,  -82,  -85,  -88,  -91,
                               -94,  -97,  -100, -105, -109, -114, -118, -123, -127, -132, -136, -141, -145,
                               -150, -155, -159, -164, -168, -173, -177, -182, -186, -191, -195, -200};
    constexpr int16_t bottom[] = {-314, -319, -324, -329, -333, -338, -343, -348, -352, -357, -362, -367,
                                  -371, -376, -381, -386, -390, -395, -400, -411, -422, -433, -444, -456,
                                  -467, -478, -489, -500, -511, -522, -533, -544, -556, -567, -578, -600,
                                  -672, -744, -816, -888, -960, -999};
    std::array<int16_t, kPositions> t{};
    size_t n = 0;
    for (int16_t v : top)
        t[n++] = v;
    // Half-dB steps from -20.5 down to -31.0.
    for (int16_t v = -205; v >= -310; v -= 5)
        t[n++] = v;
    for (int16_t v : bottom)
        t[n++] = v;
    return t;
}();

static_assert(kTenths[kPositions - 1] == -999, "the table ends at -99.9");

long tenths(double db)
{
    return std::lround(db * 10.0);
}

int entry(int position)
{
    return kTenths[static_cast<size_t>(kTopPosition - std::clamp(position, 0, kTopPosition))];
}

} // namespace

QString text(int position)
{
    return QString::number(entry(position) / 10.0, 'f', 1).rightJustified(5, QLatin1Char(' '));
}

double levelAt(int position)
{
    return text(position).toDouble();
}

int positionFor(double db)
{
    if (std::isnan(db))
        return 0;
    for (size_t i = 0; i < kTenths.size(); ++i) {
        if (kTenths[i] <= tenths(db))
            return kTopPosition - static_cast<int>(i);
    }
    return 0;
}

int16_t wire(double db)
{
    if (std::isnan(db))
        return -1270;
    const long v = tenths(std::min(db, kMaxDb));
    return v <= tenths(kMinDb) ? int16_t(-1270) : static_cast<int16_t>(v);
}

} // namespace mixer::monitor
