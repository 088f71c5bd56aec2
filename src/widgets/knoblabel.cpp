#include "knoblabel.h"

#include "dragends.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

KnobLabel::KnobLabel(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    dragends::install(this);
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

void KnobLabel::paintEvent(QPaintEvent *ev)
{
    QLabel::paintEvent(ev);
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(240, 240, 240, 220), 1.0, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}
