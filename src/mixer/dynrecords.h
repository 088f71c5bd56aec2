// The per-channel compressor and equaliser records that mirror what the unit holds. Pure data and
// functions; any thread.
#pragma once

#include "dynscales.h"

#include <cstdint>

namespace mixer {

struct CompRecord {
    uint8_t on = 0;
    uint8_t link = 0;    // 1 while one side of a linked pair
    uint8_t channel = 0; // 1..20
    uint8_t threshold = 127;
    uint8_t ratio = 0;
    uint8_t gain = 0;
    uint8_t attack = 0;
    uint8_t release = 0;
};

struct EqRecord {
    uint8_t on = 0;
    uint8_t link = 0;
    uint8_t lowCut = 0;
    uint8_t channel = 0;
    uint8_t lowGain = 61; // 255 while the low-cut filter is on
    uint8_t lowFreq = 20;
    uint8_t lowMidGain = 61, lowMidFreq = 28, lowMidQ = 36;
    uint8_t highMidGain = 61, highMidFreq = 54, highMidQ = 36;
    uint8_t highGain = 61, highFreq = 60;
};

// Copies the parameters a link shares (on and all knob fields), keeping dst's link flag and channel.
void copyCompParams(const CompRecord &src, CompRecord &dst);
void copyEqParams(const EqRecord &src, EqRecord &dst);

// The record field a knob writes; nullptr for a knob of the other record.
uint8_t CompRecord::*compField(DynKnob knob);
uint8_t EqRecord::*eqField(DynKnob knob);

// Wire arguments of one equaliser band (1 low, 2 low-mid, 3 high-mid, 4 high) of a record.
struct EqBandWire {
    uint8_t gain, freq, q;
};
EqBandWire eqBandWire(const EqRecord &r, int band);

} // namespace mixer
