// The pan marker of a strip: an image label that reports mouse gestures and does nothing else.
#pragma once

#include <QLabel>

class PanControl : public QLabel {
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
