// The pan marker of a strip: an image label that reports mouse gestures; keys and the wheel move it
// through KnobLabel.
#pragma once

#include "knoblabel.h"

class PanControl : public KnobLabel {
    Q_OBJECT
public:
    explicit PanControl(QWidget *parent = nullptr);

signals:
    void panknob_Pressed(QMouseEvent *ev);
    void panknob_Moved(QMouseEvent *ev);
    void panknob_Released();
    void panknob_DoubleClicked();

protected:
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseReleaseEvent(QMouseEvent *ev) override;
    void mouseDoubleClickEvent(QMouseEvent *ev) override;
    void mouseMoveEvent(QMouseEvent *ev) override;
};
