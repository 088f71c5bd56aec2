// A knob of the EQ, compressor or reverb panels: an image label that reports mouse gestures.
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

protected:
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseDoubleClickEvent(QMouseEvent *ev) override;
    void mouseMoveEvent(QMouseEvent *ev) override;
};
