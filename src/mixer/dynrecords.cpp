#include "dynrecords.h"

#include "ixcmd.h"

namespace mixer {

void copyCompParams(const CompRecord &src, CompRecord &dst)
{
    const uint8_t link = dst.link;
    const uint8_t channel = dst.channel;
    dst = src;
    dst.link = link;
    dst.channel = channel;
}

void copyEqParams(const EqRecord &src, EqRecord &dst)
{
    const uint8_t link = dst.link;
    const uint8_t channel = dst.channel;
    dst = src;
    dst.link = link;
    dst.channel = channel;
}

uint8_t CompRecord::*compField(DynKnob knob)
{
    switch (knob) {
    case DynKnob::Threshold:
        return &CompRecord::threshold;
    case DynKnob::Ratio:
        return &CompRecord::ratio;
    case DynKnob::Gain:
        return &CompRecord::gain;
    case DynKnob::Attack:
        return &CompRecord::attack;
    case DynKnob::Release:
        return &CompRecord::release;
    default:
        return nullptr;
    }
}

uint8_t EqRecord::*eqField(DynKnob knob)
{
    switch (knob) {
    case DynKnob::HighGain:
        return &EqRecord::highGain;
    case DynKnob::HighMidGain:
        return &EqRecord::highMidGain;
    case DynKnob::LowMidGain:
        return &EqRecord::lowMidGain;
    case DynKnob::LowGain:
        return &EqRecord::lowGain;
    case DynKnob::HighFreq:
        return &EqRecord::highFreq;
    case DynKnob::HighMidFreq:
        return &EqRecord::highMidFreq;
    case DynKnob::LowMidFreq:
        return &EqRecord::lowMidFreq;
    case DynKnob::LowFreq:
        return &EqRecord::lowFreq;
    case DynKnob::HighMidQ:
        return &EqRecord::highMidQ;
    case DynKnob::LowMidQ:
        return &EqRecord::lowMidQ;
    default:
        return nullptr;
    }
}

EqBandWire eqBandWire(const EqRecord &r, int band)
{
    switch (band) {
    case 1: {
        // The low band's gain is a sentinel while the low-cut filter replaces it.
        const uint8_t gain = r.lowGain == 255 ? uint8_t(255) : ixcmd_eq_gain_step(r.lowGain);
        return {gain, ixcmd_eq_freq_step(1, r.lowFreq), ixcmd_eq_q_step(1, 0)};
    }
    case 2:
        return {ixcmd_eq_gain_step(r.lowMidGain), ixcmd_eq_freq_step(2, r.lowMidFreq),
                ixcmd_eq_q_step(2, r.lowMidQ)};
    case 3:
        return {ixcmd_eq_gain_step(r.highMidGain), ixcmd_eq_freq_step(3, r.highMidFreq),
                ixcmd_eq_q_step(3, r.highMidQ)};
    default:
        return {ixcmd_eq_gain_step(r.highGain), ixcmd_eq_freq_step(4, r.highFreq), ixcmd_eq_q_step(4, 0)};
    }
}

} // namespace mixer
