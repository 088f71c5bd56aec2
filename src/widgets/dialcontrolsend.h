// A send or return knob: an image label that reports mouse gestures; keys and the wheel turn it through
// KnobLabel.
#pragma once

#include "knoblabel.h"

class DialControlSend : public KnobLabel {
    Q_OBJECT
public:
    explicit DialControlSend(QWidget *parent = nullptr);

signals:
    void sendDialKnob_Pressed(QMouseEvent *ev);
    void sendDialKnob_Moved(QMouseEvent *ev);
    void sendDialKnob_Released(QMouseEvent *ev);

protected:
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseReleaseEvent(QMouseEvent *ev) override;
    void mouseMoveEvent(QMouseEvent *ev) override;
};
