#include "dialcontrol.h"

DialControl::DialControl(QWidget *parent) : QLabel(parent) {}

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
