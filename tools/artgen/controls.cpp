#include "drawings.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace artgen {

void drawKnob(QPainter &p, QSize size, qreal degrees, const QColor &cap, const QColor &pointer)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal d = qMin(size.width(), size.height());
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    const qreal r = d / 2.0 - 0.75;

    // Skirt, then the cap lit from the upper left.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 14));
    p.drawEllipse(c, r, r);
    QRadialGradient face(c - QPointF(r * 0.35, r * 0.4), r * 1.3);
    face.setColorAt(0.0, cap.lighter(150));
    face.setColorAt(0.7, cap);
    face.setColorAt(1.0, cap.darker(150));
    p.setBrush(face);
    const qreal capR = r - qMax(1.0, d / 14.0);
    p.drawEllipse(c, capR, capR);
    p.setPen(QPen(QColor(255, 255, 255, 50), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - capR, c.y() - capR, 2 * capR, 2 * capR), 60 * 16, 90 * 16);

    // Pointer from near the centre to the rim; the angle is clockwise from 12 o'clock.
    const qreal a = qDegreesToRadians(degrees);
    const QPointF dir(qSin(a), -qCos(a));
    p.setPen(QPen(pointer, qMax(2.0, d / 10.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * (capR * 0.25), c + dir * (capR - 0.6));
    p.restore();
}

void drawPanMarker(QPainter &p, QSize size, bool centred)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal w = size.width(), h = size.height();
    // A downward wedge over a short stem; the centred marker is lit amber, off-centre plain white.
    QPainterPath wedge;
    wedge.moveTo(1, 1);
    wedge.lineTo(w - 1, 1);
    wedge.lineTo(w / 2.0, h * 0.7);
    wedge.closeSubpath();
    const QColor fill = centred ? QColor(255, 170, 0) : QColor(232, 234, 238);
    p.setPen(QPen(QColor(10, 10, 12), 1.0));
    p.setBrush(fill);
    p.drawPath(wedge);
    p.setPen(QPen(fill, 1.5));
    p.drawLine(QPointF(w / 2.0, h * 0.7), QPointF(w / 2.0, h - 0.5));
    p.restore();
}

void drawFaderCap(QPainter &p, QSize size, const QColor &line)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0.0, QColor(196, 198, 202));
    g.setColorAt(0.45, QColor(120, 122, 128));
    g.setColorAt(0.55, QColor(92, 94, 100));
    g.setColorAt(1.0, QColor(52, 54, 58));
    p.setPen(QPen(QColor(10, 10, 12), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(body, 2.5, 2.5);
    // Grip ridges either side of the index line.
    p.setPen(QPen(QColor(0, 0, 0, 70), 1.0));
    for (qreal y : {body.top() + 4, body.bottom() - 4})
        p.drawLine(QPointF(body.left() + 3, y), QPointF(body.right() - 3, y));
    p.setPen(QPen(line, 2.0));
    const qreal mid = body.center().y();
    p.drawLine(QPointF(body.left() + 2, mid), QPointF(body.right() - 2, mid));
    p.restore();
}

void drawSliderHandle(QPainter &p, QSize size, const QColor &tint)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0.0, tint.lighter(115));
    g.setColorAt(1.0, tint.darker(135));
    p.setPen(QPen(QColor(20, 20, 22), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(body, 3, 3);
    p.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    p.drawLine(QPointF(body.left() + 3, body.center().y()), QPointF(body.right() - 3, body.center().y()));
    p.restore();
}

} // namespace artgen
