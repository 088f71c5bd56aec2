// A knob of the EQ, compressor or reverb panels: an image label that reports mouse gestures. It also
// turns by the wheel (one position a notch) and, while focused, by the arrow keys, reported as steps.
#pragma once

#include <QLabel>

class DialControl : public QLabel {
    Q_OBJECT
public:
    explicit DialControl(QWidget *parent = nullptr);

signals:
    void dialknob_Pressed(QMouseEvent *ev);
    void dialknob_Moved(QMouseEvent *ev);
    void dialknob_DoubleClicked();
    // Turned by `steps` positions (positive clockwise) by the wheel or the keyboard.
    void dialknob_Stepped(int steps);

protected:
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseDoubleClickEvent(QMouseEvent *ev) override;
    void mouseMoveEvent(QMouseEvent *ev) override;
    void wheelEvent(QWheelEvent *ev) override;
    void keyPressEvent(QKeyEvent *ev) override;

private:
    int m_wheelRemainder = 0; // eighths of a degree short of a whole notch (fine-grained wheels)
};
