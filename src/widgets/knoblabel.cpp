#include "knoblabel.h"

#include <QKeyEvent>
#include <QWheelEvent>

KnobLabel::KnobLabel(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void KnobLabel::keyPressEvent(QKeyEvent *ev)
{
    if (const auto turn = turnForKey(ev->key(), ev->modifiers())) {
        emit turned(*turn);
        ev->accept();
        return;
    }
    QLabel::keyPressEvent(ev);
}

void KnobLabel::wheelEvent(QWheelEvent *ev)
{
    if (const int notches = m_wheel.take(ev))
        emit turned({KnobTurn::Kind::Steps, notches});
    ev->accept();
}
