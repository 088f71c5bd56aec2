#include "drawings.h"
#include "finish.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace artgen {

void drawGrLamp(QPainter &p, QSize size, const QColor &glow, qreal lit)
{
    const QRectF all(QPointF(0, 0), size);
    p.fillRect(all, QColor(16, 16, 18));
    QColor top = glow;
    QColor bottom = glow.darker(160);
    top.setAlphaF(0.25 + 0.75 * lit);
    bottom.setAlphaF(0.25 + 0.75 * lit);
    QLinearGradient g(all.topLeft(), all.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, bottom);
    p.fillRect(all.adjusted(1, 0, -1, 0), g);
    // Segment gaps every 3 px, as on a lamp bar.
    for (int y = 2; y < size.height(); y += 3)
        p.fillRect(QRectF(0, y, size.width(), 1), QColor(0, 0, 0, 150));
}

void drawRouteArrow(QPainter &p, QSize size, const QString &text, const QColor &kind)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal w = size.width(), h = size.height();
    const qreal head = h * 0.8;
    QPainterPath arrow;
    arrow.moveTo(0.5, 2);
    arrow.lineTo(w - head, 2);
    arrow.lineTo(w - head, 0.5);
    arrow.lineTo(w - 0.5, h / 2.0);
    arrow.lineTo(w - head, h - 0.5);
    arrow.lineTo(w - head, h - 2);
    arrow.lineTo(0.5, h - 2);
    arrow.closeSubpath();
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0.0, kind.lighter(120));
    g.setColorAt(1.0, kind.darker(130));
    p.setPen(QPen(QColor(10, 10, 12), 1.0));
    p.setBrush(g);
    p.drawPath(arrow);
    p.setFont(legendFont(qRound(h * 0.6), QFont::Bold));
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 0, w - head - 3, h), Qt::AlignCenter, text);
    p.restore();
}

} // namespace artgen
