#include "finish.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRandomGenerator>

namespace artgen {

void brushedMetal(QPainter &p, const QRectF &area, const QColor &base, quint32 seed)
{
    p.save();
    p.setClipRect(area);
    QLinearGradient sheen(area.topLeft(), area.bottomLeft());
    sheen.setColorAt(0.0, base.lighter(112));
    sheen.setColorAt(0.5, base);
    sheen.setColorAt(1.0, base.darker(108));
    p.fillRect(area, sheen);

    QRandomGenerator grain(seed);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (qreal y = area.top(); y < area.bottom(); y += 1.0) {
        // A few streaks of random length per pixel row read as brushing without looking noisy.
        for (int streak = 0; streak < 3; ++streak) {
            const qreal x = area.left() + grain.bounded(static_cast<int>(area.width()) + 1);
            const qreal len = 20 + grain.bounded(static_cast<int>(area.width() / 2) + 1);
            const bool light = grain.bounded(2) == 0;
            QColor c = light ? QColor(255, 255, 255) : QColor(0, 0, 0);
            c.setAlpha(6 + grain.bounded(10));
            p.setPen(c);
            p.drawLine(QPointF(x, y), QPointF(x + len, y));
        }
    }
    p.restore();
}

void recessedPlate(QPainter &p, const QRectF &area, const QColor &face, qreal radius, quint32 seed)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath outline;
    outline.addRoundedRect(area, radius, radius);

    p.save();
    p.setClipPath(outline);
    brushedMetal(p, area, face, seed);
    // Inner shadow along the top edge sells the recess.
    QLinearGradient shade(area.topLeft(), area.topLeft() + QPointF(0, 10));
    shade.setColorAt(0.0, QColor(0, 0, 0, 70));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(area.left(), area.top(), area.width(), 10), shade);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 150), 1.0));
    p.drawPath(outline.translated(-0.5, -0.5));
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
    p.drawPath(outline.translated(0.75, 0.75));
    p.restore();
}

void engrave(QPainter &p, const QRectF &area, Qt::Alignment align, const QString &text, const QFont &font,
             const QColor &fill)
{
    p.save();
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 170));
    p.drawText(area.translated(0, -1), align, text);
    p.setPen(QColor(255, 255, 255, 45));
    p.drawText(area.translated(0, 1), align, text);
    p.setPen(fill);
    p.drawText(area, align, text);
    p.restore();
}

QFont legendFont(int pixelSize, int weight, qreal letterSpacing)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    if (letterSpacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return f;
}

} // namespace artgen
