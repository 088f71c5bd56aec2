#include "scales.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace mixer {

namespace fader {
namespace {
// Entry i is shown at slider position 100 - i; entries fall strictly.
constexpr std::array<double, kPositions> kTable{
    6.0,   5.7,   5.4,   5.1,   4.8,   4.5,   4.2,   3.9,   3.6,   3.3,   3.0,   2.7,   2.4,   2.1,   1.8,
    1.5,   1.2,   0.9,   0.6,   0.3,   0.0,   -0.3,  -0.6,  -0.9,  -1.3,  -1.6,  -1.9,  -2.2,  -2.5,  -2.8,
    -3.1,  -3.4,  -3.8,  -4.1,  -4.4,  -4.7,  -5.0,  -5.5,  -5.9,  -6.4,  -6.8,  -7.3,  -7.7,  -8.2,  -8.6,
    -9.1,  -9.5,  -10.0, -10.7, -11.4, -12.1, -12.9, -13.6, -14.3, -15.0, -15.7, -16.4, -17.1, -17.9, -18.6,
    -19.3, -20.0, -20.8, -21.5, -22.3, -23.1, -23.8, -24.6, -25.4, -26.2, -26.9, -27.7, -28.5, -29.2, -30.0,
    -30.8, -31.5, -32.3, -33.1, -33.8, -34.6, -35.4, -36.2, -36.9, -37.7, -38.5, -39.2, -40.0, -41.7, -43.3,
    -45.0, -46.7, -48.3, -50.0, -52.5, -55.0, -57.5, -60.0, -78.0, -96.0, -99.9};

// Levels carry one decimal; comparing in tenths avoids binary fractions deciding a tie.
long tenths(double db)
{
    return std::lround(db * 10.0);
}
} // namespace

double levelAt(int position)
{
    return kTable[static_cast<size_t>(100 - std::clamp(position, 0, kPositions - 1))];
}

int positionFor(double db)
{
    if (std::isnan(db))
        return 0;
    for (size_t i = 0; i < kTable.size(); ++i) {
        if (tenths(kTable[i]) <= tenths(db))
            return 100 - static_cast<int>(i);
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

QString label(double db)
{
    const long v = std::isnan(db) ? tenths(kMinDb) : tenths(db);
    if (v <= tenths(kMinDb))
        return QStringLiteral("-infinity");
    const QString number = v % 10 == 0 ? QString::number(v / 10) : QString::number(v / 10.0, 'f', 1);
    return number.rightJustified(3, QLatin1Char(' ')) + QStringLiteral(" dB");
}
} // namespace fader

namespace pan {
namespace {
const QStringList &labels()
{
    static const QStringList list = [] {
        QStringList l;
        for (int k = 0; k < kSteps; ++k) {
            if (k < 20)
                l << QStringLiteral("L%1").arg(20 - k);
            else if (k == 20)
                l << QStringLiteral("C");
            else
                l << QStringLiteral("R%1").arg(k - 20);
        }
        return l;
    }();
    return list;
}
} // namespace

int centre(bool odd)
{
    return odd ? kOddCentre : kEvenCentre;
}

QString label(int position)
{
    int k = -1;
    if (position >= kOddFirst && position < kOddFirst + kSteps)
        k = position - kOddFirst;
    else if (position >= kEvenFirst && position < kEvenFirst + kSteps)
        k = position - kEvenFirst;
    return k < 0 ? QStringLiteral("Error") : labels().at(k);
}

uint8_t unitIndex(int position)
{
    if (position >= kOddFirst && position < kOddFirst + kSteps)
        return static_cast<uint8_t>(position - kOddFirst);
    if (position >= kEvenFirst && position < kEvenFirst + kSteps)
        return static_cast<uint8_t>(position - kEvenFirst);
    return kNoIndex;
}

int clampToLane(int position, bool odd)
{
    const int first = odd ? kOddFirst : kEvenFirst;
    return std::clamp(position, first, first + kSteps - 1);
}
} // namespace pan

namespace send {
namespace {
// dB of positions 1..127 as runs: {last position of the run, dB}.
struct Run {
    int last;
    int db;
};
constexpr Run kRuns[] = {
    {1, -98},  {2, -96},  {3, -93},  {4, -91},  {5, -89},  {6, -87},  {7, -85},  {8, -82},  {9, -80},
    {10, -78}, {11, -76}, {12, -74}, {13, -71}, {14, -69}, {15, -67}, {16, -65}, {17, -63}, {18, -60},
    {19, -58}, {20, -56}, {21, -54}, {22, -52}, {23, -49}, {24, -47}, {25, -45}, {26, -44}, {27, -43},
    {29, -42}, {30, -41}, {31, -40}, {32, -39}, {33, -38}, {35, -37}, {36, -36}, {37, -35}, {38, -34},
    {39, -33}, {40, -32}, {42, -31}, {43, -30}, {44, -29}, {45, -28}, {47, -27}, {49, -26}, {51, -25},
    {53, -24}, {55, -23}, {57, -22}, {59, -21}, {61, -20}, {63, -19}, {64, -18}, {66, -17}, {68, -16},
    {70, -15}, {71, -14}, {73, -13}, {75, -12}, {76, -11}, {78, -10}, {80, -9},  {82, -8},  {84, -7},
    {87, -6},  {89, -5},  {92, -4},  {95, -3},  {97, -2},  {100, -1}, {104, 0},  {108, 1},  {112, 2},
    {116, 3},  {120, 4},  {124, 5},  {127, 6}};
} // namespace

int dbAt(int position)
{
    const int p = std::clamp(position, 0, kPositions - 1);
    if (p == 0)
        return kMinusInf;
    for (const Run &r : kRuns) {
        if (p <= r.last)
            return r.db;
    }
    return kMinusInf; // unreachable: the runs end at 127
}

QString label(int position)
{
    const int p = std::clamp(position, 0, kPositions - 1);
    if (p == 0)
        return QStringLiteral("-inf.");
    return QString::number(dbAt(p)).rightJustified(3, QLatin1Char(' ')) + QStringLiteral("dB");
}
} // namespace send

} // namespace mixer
