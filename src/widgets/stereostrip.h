// The stereo strip of a linked pair: one set of controls for both tracks, with per-side phase and pan.
#pragma once

#include "stripwidget.h"

class StereoStrip : public StripWidget {
    Q_OBJECT
public:
    /// Strip of pair \p pair (1..10); \p ctx must outlive it. GUI thread.
    StereoStrip(StripContext &ctx, int pair, QWidget *parent = nullptr);
};
