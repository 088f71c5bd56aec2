// The reverb diagram (`label_Reverb`, 220 x 49): the pre-delay as a grey block, then the decay as a
// triangle whose length is the reverb time, against the longest possible decay.
#pragma once

#include "reverbmodel.h"

#include <QLabel>

class DrawReverb : public QLabel {
    Q_OBJECT
public:
    static constexpr int kWidth = 220;
    static constexpr int kHeight = 49;

    explicit DrawReverb(QWidget *parent = nullptr);

    /// Takes what to draw and schedules a repaint. GUI thread.
    void setState(const mixer::ReverbCurveState &state);
    const mixer::ReverbCurveState &state() const { return m_state; }

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    mixer::ReverbCurveState m_state;
};
