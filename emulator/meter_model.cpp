#include "meter_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lyntra::fw {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int64_t kFaderMinusInf = -1270;
constexpr int kPanCentre = 20;
constexpr int kPanMax = 40;

double gainOfFader(const Value &fader)
{
    if (!fader)
        return 1.0; // a fader never set sits at 0 dB
    if (*fader <= kFaderMinusInf)
        return 0.0;
    return std::pow(10.0, double(*fader) / 200.0);
}

bool isOn(const Value &v)
{
    return v && *v != 0;
}

uint32_t toMeter(double amplitude)
{
    const double scaled = std::clamp(amplitude, 0.0, 1.0) * kFullScale;
    return static_cast<uint32_t>(std::lround(scaled));
}

// Post-compressor, post-fader amplitude of one input (1.0 = full scale).
double inputAmplitude(const MixState &s, bool smallModel, int input, const InputSources &src)
{
    if (input < 1 || input > kInputs || !inputPresent(smallModel, input))
        return 0.0;
    const int i = input - 1;
    if (isOn(s.inputMute[i]))
        return 0.0;
    const double db = src.db(input);
    const double reduced = db - compReductionDb(s.comp[i], db);
    return std::pow(10.0, reduced / 20.0) * gainOfFader(s.inputFader[i]);
}

} // namespace

double InputSources::db(int input) const
{
    if (input < 1 || input > kInputs)
        return -std::numeric_limits<double>::infinity();
    if (const auto &fixed = level[input - 1])
        return *fixed <= 0.0 ? -std::numeric_limits<double>::infinity()
                             : 20.0 * std::log10(*fixed / double(kFullScale));
    return testSignalDb(input, seconds);
}

bool inputPresent(bool smallModel, int input)
{
    if (input < 1 || input > kInputs)
        return false;
    return !smallModel || input <= 2 || (input >= 5 && input <= 12);
}

double testSignalDb(int input, double seconds)
{
    const double base = -12.0 - (input - 1); // -12 dB for input 1 down to -31 dB for input 20
    const double period = 4.0 + 0.3 * input;
    return base + 3.0 * std::sin(2.0 * kPi * seconds / period + input);
}

double compReductionDb(const CompSettings &comp, double signalDb)
{
    if (!isOn(comp.on) || !comp.ratio)
        return 0.0;
    const double threshold = comp.threshold ? double(*comp.threshold) : 0.0;
    if (signalDb <= threshold || *comp.ratio <= 10)
        return 0.0;
    const double over = signalDb - threshold;
    if (*comp.ratio >= 255)
        return over; // infinite ratio: a limiter
    return over * (1.0 - 10.0 / double(*comp.ratio));
}

uint32_t inputMeter(const MixState &s, bool smallModel, int input, const InputSources &src)
{
    return toMeter(inputAmplitude(s, smallModel, input, src));
}

uint32_t masterMeter(const MixState &s, bool smallModel, int side, const InputSources &src)
{
    if (side < 1 || side > kMasters || isOn(s.masterMute[side - 1]))
        return 0;
    // Inputs are uncorrelated test signals, so their powers add; constant-power pan.
    double power = 0.0;
    for (int input = 1; input <= kInputs; ++input) {
        const Value &pan = s.pan[input - 1];
        const double p = std::clamp<double>(pan ? double(*pan) : kPanCentre, 0, kPanMax);
        const double angle = p / kPanMax * kPi / 2.0;
        const double g = side == 1 ? std::cos(angle) : std::sin(angle);
        const double a = inputAmplitude(s, smallModel, input, src) * g;
        power += a * a;
    }
    return toMeter(std::sqrt(power) * gainOfFader(s.masterFader[side - 1]));
}

uint32_t gainReductionMeter(const MixState &s, bool smallModel, int input, const InputSources &src)
{
    if (input < 1 || input > kInputs || !inputPresent(smallModel, input))
        return kFullScale;
    const double db = src.db(input);
    return toMeter(std::pow(10.0, -compReductionDb(s.comp[input - 1], db) / 20.0));
}

} // namespace lyntra::fw
