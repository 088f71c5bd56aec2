// Index ranges, clamping and frame choice of the knobs that turn through a 21-frame image strip.
#pragma once

enum class KnobScale {
    Dial,       // EQ gain and frequency, compressor threshold, attack, release, gain
    DialQ,      // EQ Q
    DialRatio,  // compressor ratio
    PreDelay,   // reverb pre-delay
    ReverbTime, // reverb time
    Diffusion,  // reverb diffusion
    Send,       // aux sends and the reverb return
};

struct KnobRange {
    int lo;
    int hi;
};

// Number of frames in every knob strip; frame 10 points straight up.
constexpr int kKnobFrameCount = 21;

/// Valid index range of a knob scale. Pure; any thread.
KnobRange knobRange(KnobScale scale);

/// \p index forced into the range of \p scale. Pure; any thread.
int clampKnobIndex(KnobScale scale, int index);

/// Frame 0..20 that shows \p index on \p scale, or -1 where the knob keeps the frame it shows (index 10
/// of the general dial map, which no band covers). Indices outside the range are clamped first.
int knobFrame(KnobScale scale, int index);
