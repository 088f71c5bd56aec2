// The scales of the fifteen knobs of the compressor and EQ editor: for each knob, how a position 0..127
// turns into the text it shows, the value the unit receives and the value stored beside the position,
// with the position a strip has before anything is stored. Pure functions over constant tables; any
// thread.
#pragma once

#include <QString>
#include <QVariant>

namespace mixer {

// Declaration order is the editor's order and the index into the scale table.
enum class DynKnob {
    Threshold,
    Ratio,
    Gain,
    Attack,
    Release,
    HighGain,
    HighMidGain,
    LowMidGain,
    LowGain,
    HighFreq,
    HighMidFreq,
    LowMidFreq,
    LowFreq,
    HighMidQ,
    LowMidQ,
};
constexpr int kDynKnobs = 15;
constexpr int kDynPositions = 128;
constexpr int kEqFlatPosition = 63; // where a double-click returns an EQ gain

// The knobs' settings keys and defaults are the settings table's editor keys, in the same order.
struct DynScale {
    DynKnob knob;
    QString (*label)(int position);
    int (*unit)(int position); // wire value
};

// The scale of `knob`.
const DynScale &dynScale(DynKnob knob);
inline DynKnob dynKnobAt(int index)
{
    return static_cast<DynKnob>(index);
}

// Text shown for `position` (clamped to 0..127).
QString dynLabel(DynKnob knob, int position);
// Wire value for `position`: signed dB for the threshold, ratio x 10 (255 infinite), ms for the attack,
// tens of ms for the release, dB for the make-up gain, 0..24 for EQ gains (12 flat), the index into the
// 64-entry frequency list, the Q step 0..6.
int dynUnit(DynKnob knob, int position);

// What `position` shows as a number in the knob's own unit: dB for the threshold, gains and EQ gains,
// the ratio (infinity for "inf:1"), milliseconds for attack and release, Hz, the Q.
double dynValue(DynKnob knob, int position);

bool isCompKnob(DynKnob knob);
bool isEqGain(DynKnob knob);
// EQ band of a knob: 1 low, 2 low-mid, 3 high-mid, 4 high; 0 for the compressor's knobs.
int eqBandOf(DynKnob knob);

namespace eqscale {
constexpr int kFrequencies = 64;
// Gain in dB (-12..+12) of an EQ gain position.
int gainDb(int position);
// Label of entry `index` (0..63) of the frequency list: "32" .. "950", "1.0k" .. "18.0k".
QString frequencyLabel(int index);
// Hertz of entry `index`.
int frequencyHz(int index);
} // namespace eqscale

} // namespace mixer
