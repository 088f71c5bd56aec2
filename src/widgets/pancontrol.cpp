#include "pancontrol.h"

PanControl::PanControl(QWidget *parent) : KnobLabel(parent) {}

void PanControl::mousePressEvent(QMouseEvent *ev)
{
    emit panknob_Pressed(ev);
}
void PanControl::mouseReleaseEvent(QMouseEvent *)
{
    emit panknob_Released();
}
void PanControl::mouseDoubleClickEvent(QMouseEvent *)
{
    emit panknob_DoubleClicked();
}
void PanControl::mouseMoveEvent(QMouseEvent *ev)
{
    emit panknob_Moved(ev);
}
