// Where the controls sit on a 60-pixel strip panel (the stereo and master panels stretch it). The fader
// column, the pan lane at y 336 and the name field at the bottom follow the strip background image.
#pragma once

#include <QRect>

namespace stripgeo {

constexpr int kMonoWidth = 60;
constexpr int kPairWidth = 2 * kMonoWidth;
constexpr int kMasterWidth = 108; // the image stretched so its fader slot lies under the fader at x 26
constexpr int kHeight = 540;

constexpr int kSelectY = 22;
constexpr int kRow1Y = 44; // phase, bypass
constexpr int kRow2Y = 62; // EQ, compressor
constexpr int kSendY = 84; // first send row
constexpr int kSendPitch = 34;
constexpr int kMuteY = 228;
constexpr int kSoloY = 252;
constexpr int kPanDisplayY = 318;
constexpr int kFaderBoxY = 488;
constexpr int kNameY = 516;

inline int sendRowY(int send)
{
    return kSendY + (send - 1) * kSendPitch;
}

// Fader cap column (x of the slider) of a panel \p width wide: the image's slot centre (x 20 of 60).
inline int faderX(int width)
{
    return width * 20 / kMonoWidth - 10;
}

} // namespace stripgeo
