#include "drawings.h"
#include "finish.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace artgen {

namespace {

// Fader caps sit at different heights so even the 16 px icon reads as a mixer, not as bars.
constexpr qreal kCapLevels[] = {0.62, 0.34, 0.50};

} // namespace

void drawAppIcon(QPainter &p, QSize size)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal s = qMin(size.width(), size.height());
    const qreal inset = qMax<qreal>(0.5, s * 0.04);
    const QRectF body(inset, inset, s - 2 * inset, s - 2 * inset);
    const qreal radius = s * 0.18;

    QPainterPath shape;
    shape.addRoundedRect(body, radius, radius);
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    face.setColorAt(0.0, QColor(74, 78, 86));
    face.setColorAt(1.0, QColor(30, 32, 36));
    p.fillPath(shape, face);
    if (s >= 48) {
        p.setClipPath(shape);
        brushedMetal(p, body.adjusted(s * 0.06, s * 0.06, -s * 0.06, -s * 0.06), QColor(58, 61, 68), 17);
        p.setClipping(false);
    }
    p.setPen(QPen(QColor(12, 12, 14), qMax<qreal>(1.0, s / 64.0)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);

    // Three fader slots with caps; the middle one carries the master's red line.
    const qreal slotTop = body.top() + body.height() * 0.16;
    const qreal slotBottom = body.bottom() - body.height() * 0.14;
    const qreal pitch = body.width() / 4.0;
    const qreal slotWidth = qMax<qreal>(1.0, s * 0.035);
    // Small sizes get wider, taller caps and no fine detail, or the caps vanish into the slots.
    const bool tiny = s < 32;
    const qreal capWidth = pitch * (tiny ? 0.9 : 0.72);
    const qreal capHeight = qMax<qreal>(3.0, s * 0.11);
    for (int i = 0; i < 3; ++i) {
        const qreal x = body.left() + pitch * (i + 1);
        p.fillRect(QRectF(x - slotWidth / 2, slotTop, slotWidth, slotBottom - slotTop), QColor(8, 8, 10));
        const qreal y = slotTop + (slotBottom - slotTop) * kCapLevels[i] - capHeight / 2;
        const QRectF cap(x - capWidth / 2, y, capWidth, capHeight);
        QLinearGradient capShade(cap.topLeft(), cap.bottomLeft());
        capShade.setColorAt(0.0, QColor(250, 250, 250));
        capShade.setColorAt(1.0, QColor(170, 172, 178));
        p.setPen(QPen(QColor(20, 20, 22), qMax<qreal>(0.6, s / 128.0)));
        p.setBrush(capShade);
        p.drawRoundedRect(cap, capHeight * 0.2, capHeight * 0.2);
        if (tiny)
            continue;
        const QColor line = i == 1 ? QColor(220, 40, 30) : QColor(40, 40, 44);
        p.fillRect(QRectF(cap.left() + 1, cap.center().y() - qMax<qreal>(0.5, s / 96.0), cap.width() - 2,
                          qMax<qreal>(1.0, s / 48.0)),
                   line);
    }

    // A lit signal lamp in the corner, as on the unit's front.
    if (tiny) {
        p.restore();
        return;
    }
    const qreal lamp = s * 0.09;
    const QPointF lampAt(body.right() - s * 0.13, body.top() + s * 0.11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 150, 20));
    p.drawEllipse(lampAt, lamp / 2, lamp / 2);
    p.restore();
}

} // namespace artgen
