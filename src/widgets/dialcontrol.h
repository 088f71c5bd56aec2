// A knob of the EQ, compressor or reverb panels: an image label that reports mouse gestures; keys and
// the wheel turn it through KnobLabel.
#pragma once

#include "knoblabel.h"

class DialControl : public KnobLabel {
    Q_OBJECT
public:
    explicit DialControl(QWidget *parent = nullptr);

signals:
    void dialknob_Pressed(QMouseEvent *ev);
    void dialknob_Moved(QMouseEvent *ev);
    void dialknob_DoubleClicked();
    // Let go: the drag that began at the press is over.
    void dialknob_Released();

protected:
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseReleaseEvent(QMouseEvent *ev) override;
    void mouseDoubleClickEvent(QMouseEvent *ev) override;
    void mouseMoveEvent(QMouseEvent *ev) override;
};
