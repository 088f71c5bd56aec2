// The strip of one mono input track.
#pragma once

#include "stripwidget.h"

class MonoStrip : public StripWidget {
    Q_OBJECT
public:
    /// Strip of track \p track (1..20); \p ctx must outlive it. GUI thread.
    MonoStrip(StripContext &ctx, int track, QWidget *parent = nullptr);
};
