// The monitor level scale: 128 slider positions from -99.9 dB (position 0) to 0.0 dB (position 127),
// the five-character texts shown for them and the wire value of a monitor level. Pure functions over
// a constant table; callable from any thread.
#pragma once

#include <QString>

#include <cstdint>

namespace mixer::monitor {

constexpr int kPositions = 128;
constexpr int kTopPosition = kPositions - 1;
constexpr double kMinDb = -99.9; // sent as -1270
constexpr double kMaxDb = 0.0;
// The value boxes stop here and show their minimum as "-inf.".
constexpr double kBoxMinDb = -96.0;

// Text of position p (clamped): the level with one decimal right-aligned to five characters.
QString text(int position);
// The level of position p: its text read back as a number.
double levelAt(int position);
// Slider position of a level: the first entry from the top that is <= db; anything below the bottom
// (and NaN) gives 0.
int positionFor(double db);
// Tenths of a dB rounded to nearest, clamped to 0 dB; -99.9 and below give -1270.
int16_t wire(double db);

} // namespace mixer::monitor
