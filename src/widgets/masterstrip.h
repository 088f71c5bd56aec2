// The master strip: master sends, the reverb switch and return, master mute, fader and meters.
#pragma once

#include "stripwidget.h"

class QStackedWidget;

class MasterStrip : public StripWidget {
    Q_OBJECT
public:
    /// \p ctx must outlive the strip. GUI thread.
    explicit MasterStrip(StripContext &ctx, QWidget *parent = nullptr);

private:
    QStackedWidget *m_return;
};
