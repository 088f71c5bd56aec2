#include "dialcontrol.h"

DialControl::DialControl(QWidget *parent) : KnobLabel(parent) {}

void DialControl::mousePressEvent(QMouseEvent *ev)
{
    emit dialknob_Pressed(ev);
}
void DialControl::mouseReleaseEvent(QMouseEvent *)
{
    emit dialknob_Released();
}
void DialControl::mouseDoubleClickEvent(QMouseEvent *)
{
    emit dialknob_DoubleClicked();
}
void DialControl::mouseMoveEvent(QMouseEvent *ev)
{
    emit dialknob_Moved(ev);
}
