// The base of the knob widgets (pan marker, send and dial knobs): an image label that takes the keyboard
// focus by click or Tab and reports a key or a wheel notch aimed at it as a turn. The wheel turns only
// the knob under the pointer; Qt never sends it to a focused knob elsewhere.
#pragma once

#include "knobkeys.h"

#include <QLabel>

class KnobLabel : public QLabel {
    Q_OBJECT
public:
    explicit KnobLabel(QWidget *parent = nullptr);

signals:
    void turned(const KnobTurn &turn);

protected:
    void keyPressEvent(QKeyEvent *ev) override;
    void wheelEvent(QWheelEvent *ev) override;
    // The image, and the focus mark over it while the keyboard turns this knob.
    void paintEvent(QPaintEvent *ev) override;

private:
    WheelNotches m_wheel;
};
