#include "dynscales.h"

#include "ixcmd.h"

#include <algorithm>
#include <array>
#include <limits>

namespace mixer {
namespace {

int clampPos(int position)
{
    return std::clamp(position, 0, kDynPositions - 1);
}

constexpr std::array<int, eqscale::kFrequencies> kHz = {
    32,   40,   50,   60,   70,   80,   90,   100,   125,   150,   175,   200,   225,   250,   300,   350,
    400,  450,  500,  600,  700,  800,  850,  900,   950,   1000,  1100,  1200,  1300,  1400,  1500,  1600,
    1700, 1800, 1900, 2000, 2200, 2400, 2600, 2800,  3000,  3200,  3400,  3600,  3800,  4000,  4500,  5000,
    5500, 6000, 6500, 7000, 7500, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000, 16000, 17000, 18000};

const char *const kQLabels[] = {"0.25", "0.50", "1.00", "2.00", "4.00", "8.00", "16.00"};

// ---- Compressor
int thresholdUnit(int p)
{
    return ixcmd_comp_threshold(clampPos(p));
}
QString thresholdLabel(int p)
{
    return QString::number(thresholdUnit(p));
}
int ratioUnit(int p)
{
    return ixcmd_comp_ratio(clampPos(p));
}
QString ratioLabel(int p)
{
    const int tenths = ratioUnit(p);
    if (tenths == 255)
        return QStringLiteral("inf:1");
    return QStringLiteral("%1.%2:1").arg(tenths / 10).arg(tenths % 10);
}
int gainUnit(int p)
{
    return ixcmd_comp_gain(clampPos(p));
}
int attackUnit(int p)
{
    return ixcmd_comp_attack(clampPos(p));
}
int releaseUnit(int p)
{
    return ixcmd_comp_release(clampPos(p));
}
QString gainLabel(int p)
{
    return QString::number(gainUnit(p));
}
QString attackLabel(int p)
{
    return QString::number(attackUnit(p));
}
QString releaseLabel(int p)
{
    // The unit counts tens of milliseconds; the panel shows milliseconds.
    return QString::number(10 * releaseUnit(p));
}

// ---- Equaliser
int eqGainUnit(int p)
{
    return ixcmd_eq_gain_step(clampPos(p));
}
QString eqGainLabel(int p)
{
    return QString::number(eqscale::gainDb(p));
}
template <int Band> int freqUnit(int p)
{
    return ixcmd_eq_freq_step(Band, clampPos(p));
}
template <int Band> QString freqLabel(int p)
{
    return eqscale::frequencyLabel(freqUnit<Band>(p));
}
int qUnit(int p)
{
    return ixcmd_eq_q_step(2, clampPos(p));
}
QString qLabel(int p)
{
    return QLatin1String(kQLabels[qUnit(p)]);
}

using K = DynKnob;
const std::array<DynScale, kDynKnobs> kScales = {{
    {K::Threshold, thresholdLabel, thresholdUnit},
    {K::Ratio, ratioLabel, ratioUnit},
    {K::Gain, gainLabel, gainUnit},
    {K::Attack, attackLabel, attackUnit},
    {K::Release, releaseLabel, releaseUnit},
    {K::HighGain, eqGainLabel, eqGainUnit},
    {K::HighMidGain, eqGainLabel, eqGainUnit},
    {K::LowMidGain, eqGainLabel, eqGainUnit},
    {K::LowGain, eqGainLabel, eqGainUnit},
    {K::HighFreq, freqLabel<4>, freqUnit<4>},
    {K::HighMidFreq, freqLabel<3>, freqUnit<3>},
    {K::LowMidFreq, freqLabel<2>, freqUnit<2>},
    {K::LowFreq, freqLabel<1>, freqUnit<1>},
    {K::HighMidQ, qLabel, qUnit},
    {K::LowMidQ, qLabel, qUnit},
}};

} // namespace

const DynScale &dynScale(DynKnob knob)
{
    return kScales[static_cast<size_t>(std::clamp(static_cast<int>(knob), 0, kDynKnobs - 1))];
}

QString dynLabel(DynKnob knob, int position)
{
    return dynScale(knob).label(position);
}

int dynUnit(DynKnob knob, int position)
{
    return dynScale(knob).unit(position);
}

double dynValue(DynKnob knob, int position)
{
    const int unit = dynUnit(knob, position);
    switch (knob) {
    case DynKnob::Ratio:
        return unit == 255 ? std::numeric_limits<double>::infinity() : unit / 10.0;
    case DynKnob::Release:
        return 10.0 * unit;
    case DynKnob::HighMidQ:
    case DynKnob::LowMidQ:
        return 0.25 * (1 << unit);
    default:
        if (isEqGain(knob))
            return eqscale::gainDb(position);
        if (eqBandOf(knob) != 0)
            return eqscale::frequencyHz(unit);
        return unit; // threshold, gain, attack
    }
}

bool isCompKnob(DynKnob knob)
{
    return knob <= DynKnob::Release;
}

bool isEqGain(DynKnob knob)
{
    return knob >= DynKnob::HighGain && knob <= DynKnob::LowGain;
}

int eqBandOf(DynKnob knob)
{
    switch (knob) {
    case DynKnob::LowGain:
    case DynKnob::LowFreq:
        return 1;
    case DynKnob::LowMidGain:
    case DynKnob::LowMidFreq:
    case DynKnob::LowMidQ:
        return 2;
    case DynKnob::HighMidGain:
    case DynKnob::HighMidFreq:
    case DynKnob::HighMidQ:
        return 3;
    case DynKnob::HighGain:
    case DynKnob::HighFreq:
        return 4;
    default:
        return 0;
    }
}

namespace eqscale {

int gainDb(int position)
{
    return eqGainUnit(position) - 12;
}

int frequencyHz(int index)
{
    return kHz[static_cast<size_t>(std::clamp(index, 0, kFrequencies - 1))];
}

QString frequencyLabel(int index)
{
    const int hz = frequencyHz(index);
    if (hz < 1000)
        return QString::number(hz);
    return QStringLiteral("%1.%2k").arg(hz / 1000).arg(hz % 1000 / 100);
}

} // namespace eqscale

} // namespace mixer
