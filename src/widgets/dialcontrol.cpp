#include "dialcontrol.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace {
constexpr int kNotch = 120; // angle delta of one wheel notch
}

DialControl::DialControl(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::WheelFocus);
}

void DialControl::mousePressEvent(QMouseEvent *ev)
{
    emit dialknob_Pressed(ev);
}
void DialControl::mouseDoubleClickEvent(QMouseEvent *)
{
    emit dialknob_DoubleClicked();
}
void DialControl::mouseMoveEvent(QMouseEvent *ev)
{
    emit dialknob_Moved(ev);
}

void DialControl::wheelEvent(QWheelEvent *ev)
{
    m_wheelRemainder += ev->angleDelta().y();
    const int steps = m_wheelRemainder / kNotch;
    m_wheelRemainder -= steps * kNotch;
    if (steps != 0)
        emit dialknob_Stepped(steps);
    ev->accept();
}

void DialControl::keyPressEvent(QKeyEvent *ev)
{
    switch (ev->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        emit dialknob_Stepped(1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        emit dialknob_Stepped(-1);
        break;
    default:
        QLabel::keyPressEvent(ev);
        return;
    }
    ev->accept();
}
