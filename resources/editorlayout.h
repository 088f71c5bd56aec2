// Where the channel editor's painted parts lie: the artwork generator engraves captions, screens and the
// gain-reduction scale at these places and the editor puts its knobs, readouts and displays on them.
// Plain integers, no Qt.
#pragma once

#include "artlayout.h"

namespace editorlayout {

using artlayout::Rect;

constexpr int kWidth = 600;
constexpr int kHeight = 142;

// The two sections' recessed panels and their engraved names.
constexpr Rect kEqPanel{4, 2, 372, 138};
constexpr Rect kCompPanel{382, 2, 214, 138};

// Curve screens (the displays are exactly this size) and the strip readout beside the EQ caption.
constexpr Rect kEqScreen{12, 21, 136, 77};
constexpr Rect kCompScreen{388, 21, 63, 69};
constexpr Rect kTargetReadout{90, 5, 58, 12};

// The gain-reduction bar: top edge fixed, grows down to at most 63 pixels; its scale to the right.
constexpr Rect kGrMeter{569, 73, 5, 63};
constexpr int kGrTickDb[] = {0, 6, 12, 18, 24};
constexpr int kGrTickY[] = {73, 88, 104, 120, 135}; // 2.6 pixels a dB, as the meter moves

constexpr int kKnobSize = 18;
constexpr int kValueWidth = 36;
constexpr int kValueHeight = 11;

// Knob centres, in the editor's knob order (threshold, ratio, gain, attack, release, then the EQ gains
// high to low, frequencies high to low, Q high-mid and low-mid), and the legend engraved above each
// compressor knob (EQ knobs take their legend from the band column and the row).
struct Knob {
    int x, y;
    const char *legend;
};
constexpr int kEqCol[] = {196, 244, 292, 340}; // LOW, LO-MID, HI-MID, HIGH
constexpr int kEqRow[] = {29, 65, 101};        // GAIN, FREQ, Q
constexpr int kCompCol[] = {474, 511, 548};
constexpr int kCompRow[] = {37, 91};
constexpr Knob kKnobs[] = {
    {kCompCol[0], kCompRow[0], "THRESH"},  {kCompCol[1], kCompRow[0], "RATIO"},
    {kCompCol[2], kCompRow[0], "GAIN"},    {kCompCol[0], kCompRow[1], "ATTACK"},
    {kCompCol[1], kCompRow[1], "RELEASE"}, {kEqCol[3], kEqRow[0], nullptr},
    {kEqCol[2], kEqRow[0], nullptr},       {kEqCol[1], kEqRow[0], nullptr},
    {kEqCol[0], kEqRow[0], nullptr},       {kEqCol[3], kEqRow[1], nullptr},
    {kEqCol[2], kEqRow[1], nullptr},       {kEqCol[1], kEqRow[1], nullptr},
    {kEqCol[0], kEqRow[1], nullptr},       {kEqCol[2], kEqRow[2], nullptr},
    {kEqCol[1], kEqRow[2], nullptr},
};
constexpr const char *kEqColumnLegend[] = {"LOW", "LO-MID", "HI-MID", "HIGH"};
constexpr const char *kEqRowLegend[] = {"GAIN", "FREQ", "Q"};

// The low-cut switch sits in the low band's Q slot, which a shelving band does not use.
constexpr Rect kLowCut{kEqCol[0] - 21, kEqRow[2] - 8, 42, 16};

// A knob's value readout sits under it.
constexpr Rect valueRect(const Knob &k)
{
    return {k.x - kValueWidth / 2, k.y + kKnobSize / 2 + 1, kValueWidth, kValueHeight};
}

} // namespace editorlayout
