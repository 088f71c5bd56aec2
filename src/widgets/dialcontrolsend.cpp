#include "dialcontrolsend.h"

DialControlSend::DialControlSend(QWidget *parent) : KnobLabel(parent) {}

void DialControlSend::mousePressEvent(QMouseEvent *ev)
{
    emit sendDialKnob_Pressed(ev);
}
void DialControlSend::mouseReleaseEvent(QMouseEvent *ev)
{
    emit sendDialKnob_Released(ev);
}
void DialControlSend::mouseMoveEvent(QMouseEvent *ev)
{
    emit sendDialKnob_Moved(ev);
}
