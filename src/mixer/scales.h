// Position <-> label <-> wire value for faders, pan knobs and send knobs. Pure functions over constant
// tables; callable from any thread. Positions outside a scale's range are clamped unless said otherwise.
#pragma once

#include <QString>

#include <cstdint>

namespace mixer {

namespace fader {
constexpr int kPositions = 101;    // 0 = bottom .. 100 = top
constexpr int kUnityPosition = 80; // 0.0 dB
constexpr double kMinDb = -99.9;   // shown as "-infinity", sent as -1270
constexpr double kMaxDb = 6.0;
constexpr double kTrackDefaultDb = 0.0;
constexpr double kMasterDefaultDb = -99.9;

// Level shown at slider position p (entry 100 - p of the table).
double levelAt(int position);
// Slider position for a level: the first table entry from the top that is <= db, so a level between
// two entries lands on the lower position; anything below the bottom gives 0.
int positionFor(double db);
// Tenths of a dB rounded to nearest; the bottom level (and anything below it) gives -1270. Levels above
// the top are clamped to 60.
int16_t wire(double db);
// Value-box text: "-infinity" at the bottom, else the level with one decimal right-aligned before
// " dB" ("  0 dB", "  6 dB", "-4.1 dB", "-10.7 dB"); whole levels show no decimal.
QString label(double db);
} // namespace fader

namespace pan {
constexpr int kSteps = 41;
constexpr int kOddFirst = 0;   // odd track lane 0..40
constexpr int kEvenFirst = 59; // even track lane 59..99
constexpr int kOddCentre = 20;
constexpr int kEvenCentre = 79;
constexpr uint8_t kNoIndex = 255;

// Centre position of the lane of an odd or even track.
int centre(bool odd);
// Label of a position on either lane: "L20".."L1", "C", "R1".."R20"; "Error" off both lanes.
QString label(int position);
// Unit pan value of a position: its place in its lane, "L20".."C".."R20" (0..40); 255 off both lanes.
uint8_t unitIndex(int position);
// Clamps a position into the lane of an odd or even track.
int clampToLane(int position, bool odd);
} // namespace pan

namespace send {
constexpr int kPositions = 128;
constexpr int kTrackDefault = 0;    // "-inf."
constexpr int kMasterDefault = 102; // "  0dB"
constexpr int8_t kMinusInf = -127;

// dB number of a position (1..127); position 0 (minus infinity) gives -127. Also the unit's level.
int dbAt(int position);
// "-inf." at 0, else five characters: the number right-aligned in three, then "dB" (" -9dB").
QString label(int position);
} // namespace send

} // namespace mixer
