// The master strip: master sends, the reverb switch and return, master mute, fader and meters.
#pragma once

#include "stripwidget.h"

class QStackedWidget;

class MasterStrip : public StripWidget {
    Q_OBJECT
public:
    /// \p ctx must outlive the strip. GUI thread.
    explicit MasterStrip(StripContext &ctx, QWidget *parent = nullptr);

    /// The return area: page 0 `returnDisable`, page 1 `returnEnable` with the return knob.
    QStackedWidget *returnStack() const { return m_return; }

private:
    QStackedWidget *m_return;
};
