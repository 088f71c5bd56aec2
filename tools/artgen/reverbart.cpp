// Pictures of the five reverb spaces: a line drawing of the space on a dark screen, its name below.
#include "drawings.h"
#include "finish.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace artgen {
namespace {

const QColor kLine(150, 214, 236);
const QColor kGlow(255, 170, 0);

QPen line(qreal width = 1.2, const QColor &c = kLine)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Sound spreading from `at`: arcs that fade as they travel.
void waves(QPainter &p, QPointF at, int count, qreal first, qreal step, qreal from, qreal span)
{
    for (int i = 0; i < count; ++i) {
        QColor c = kGlow;
        c.setAlphaF(0.9 - 0.75 * i / qMax(1, count - 1));
        p.setPen(line(1.0, c));
        const qreal r = first + i * step;
        p.drawArc(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r), int(from * 16), int(span * 16));
    }
}

void hall(QPainter &p, const QRectF &r)
{
    // A vaulted hall in perspective: arched ceiling, side walls, raked seats, a stage at the back.
    const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
    QPainterPath vault;
    vault.moveTo(l + 4, t + h * 0.55);
    vault.cubicTo(l + 4, t + 2, l + w - 4, t + 2, l + w - 4, t + h * 0.55);
    p.setPen(line(1.4));
    p.drawPath(vault);
    const QRectF stage(l + w * 0.36, t + h * 0.36, w * 0.28, h * 0.22);
    p.setPen(line(1.0));
    p.drawRect(stage);
    for (const QPointF corner :
         {stage.topLeft(), stage.topRight(), stage.bottomLeft(), stage.bottomRight()}) {
        const QPointF out(corner.x() < r.center().x() ? l + 4 : l + w - 4,
                          corner.y() < stage.center().y() ? t + h * 0.2 : t + h - 1);
        p.drawLine(corner, out);
    }
    for (int row = 1; row <= 3; ++row) {
        const qreal y = stage.bottom() + row * (h - stage.bottom() + t) / 4.0;
        const qreal spread = row * w * 0.11;
        p.drawLine(QPointF(stage.left() - spread, y), QPointF(stage.right() + spread, y));
    }
    waves(p, stage.center(), 3, 6, 6, 20, 140);
}

void room(QPainter &p, const QRectF &r)
{
    // A small box room: back wall, floor and ceiling lines, a window, close walls.
    const QRectF back(r.left() + r.width() * 0.28, r.top() + r.height() * 0.22, r.width() * 0.44,
                      r.height() * 0.5);
    p.setPen(line(1.4));
    p.drawRect(back);
    p.drawLine(back.topLeft(), r.topLeft() + QPointF(4, 2));
    p.drawLine(back.topRight(), r.topRight() + QPointF(-4, 2));
    p.drawLine(back.bottomLeft(), r.bottomLeft() + QPointF(4, -1));
    p.drawLine(back.bottomRight(), r.bottomRight() + QPointF(-4, -1));
    p.setPen(line(1.0));
    const QRectF window(back.left() + back.width() * 0.58, back.top() + back.height() * 0.18,
                        back.width() * 0.28, back.height() * 0.36);
    p.drawRect(window);
    p.drawLine(QPointF(window.center().x(), window.top()), QPointF(window.center().x(), window.bottom()));
    waves(p, QPointF(back.left() + back.width() * 0.3, back.center().y() + 4), 3, 4, 4, -60, 300);
}

void live(QPainter &p, const QRectF &r)
{
    // A stage under two spotlights, the crowd's heads in front.
    const qreal stageY = r.top() + r.height() * 0.55;
    for (const qreal x : {r.left() + r.width() * 0.15, r.right() - r.width() * 0.15}) {
        QPainterPath beam;
        beam.moveTo(x, r.top() + 2);
        beam.lineTo(r.center().x() - 14, stageY);
        beam.lineTo(r.center().x() + 14, stageY);
        beam.closeSubpath();
        QColor c = kGlow;
        c.setAlphaF(0.22);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPath(beam);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(line(1.4));
    p.drawLine(QPointF(r.left() + 4, stageY), QPointF(r.right() - 4, stageY));
    p.setPen(line(1.2));
    const QPointF singer(r.center().x(), stageY - 14);
    p.drawEllipse(singer, 3, 3);
    p.drawLine(singer + QPointF(0, 3), singer + QPointF(0, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(kLine.darker(170));
    for (int i = 0; i < 9; ++i) {
        const qreal x = r.left() + 8 + i * (r.width() - 16) / 8.0;
        const qreal y = r.bottom() - 5 - (i % 2) * 3;
        p.drawEllipse(QPointF(x, y), 4.5, 4.5);
    }
    p.setBrush(Qt::NoBrush);
    waves(p, singer, 3, 7, 5, 15, 150);
}

void studio(QPainter &p, const QRectF &r)
{
    // A microphone on its stand between two absorber panels.
    p.setPen(line(1.0));
    for (const qreal x : {r.left() + 6, r.right() - 20}) {
        const QRectF panel(x, r.top() + 6, 14, r.height() - 12);
        p.drawRect(panel);
        for (qreal y = panel.top() + 5; y < panel.bottom() - 2; y += 5)
            p.drawLine(QPointF(panel.left() + 3, y), QPointF(panel.right() - 3, y));
    }
    const QPointF head(r.center().x(), r.top() + r.height() * 0.32);
    p.setPen(line(1.4));
    p.drawRoundedRect(QRectF(head.x() - 6, head.y() - 11, 12, 22), 6, 6);
    p.drawArc(QRectF(head.x() - 10, head.y() - 6, 20, 22), 180 * 16, 180 * 16);
    p.drawLine(head + QPointF(0, 16), QPointF(head.x(), r.bottom() - 4));
    p.drawLine(QPointF(head.x() - 12, r.bottom() - 3), QPointF(head.x() + 12, r.bottom() - 3));
    p.setPen(line(0.8));
    for (qreal y = head.y() - 6; y <= head.y() + 4; y += 3)
        p.drawLine(QPointF(head.x() - 4, y), QPointF(head.x() + 4, y));
}

void plate(QPainter &p, const QRectF &r)
{
    // A steel plate hung in its frame by springs at the corners.
    const QRectF frame = r.adjusted(5, 3, -5, -3);
    p.setPen(line(1.4));
    p.drawRect(frame);
    const QRectF sheet = frame.adjusted(12, 9, -12, -9);
    QLinearGradient g(sheet.topLeft(), sheet.bottomRight());
    g.setColorAt(0.0, QColor(120, 136, 146));
    g.setColorAt(0.5, QColor(205, 215, 222));
    g.setColorAt(1.0, QColor(96, 108, 118));
    p.setPen(line(1.0));
    p.setBrush(g);
    p.drawRect(sheet);
    p.setBrush(Qt::NoBrush);
    const QPointF corners[][2] = {{frame.topLeft(), sheet.topLeft()},
                                  {frame.topRight(), sheet.topRight()},
                                  {frame.bottomLeft(), sheet.bottomLeft()},
                                  {frame.bottomRight(), sheet.bottomRight()}};
    p.setPen(line(0.9));
    for (const auto &c : corners) {
        // A zig-zag spring from the frame corner to the sheet corner.
        QPainterPath spring(c[0]);
        const QPointF d = (c[1] - c[0]) / 8.0;
        const QPointF n(-d.y() * 0.6, d.x() * 0.6);
        for (int i = 1; i < 8; ++i)
            spring.lineTo(c[0] + d * i + (i % 2 ? n : -n));
        spring.lineTo(c[1]);
        p.drawPath(spring);
    }
    p.setPen(line(1.0, kGlow));
    p.drawEllipse(sheet.center(), 2.5, 2.5);
    waves(p, sheet.center(), 2, 6, 6, 0, 360);
}

} // namespace

void drawReverbPicture(QPainter &p, QSize size, const QString &type)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF all(QPointF(0, 0), size);
    recessedPlate(p, all.adjusted(0.5, 0.5, -0.5, -0.5), QColor(46, 48, 52), 4, qHash(type));
    const qreal nameHeight = 16;
    const QRectF screen = all.adjusted(4, 4, -4, -nameHeight - 2);
    QRadialGradient glow(screen.center(), screen.width() * 0.7);
    glow.setColorAt(0.0, QColor(26, 40, 50));
    glow.setColorAt(1.0, QColor(10, 12, 16));
    p.setPen(QPen(QColor(0, 0, 0), 1.0));
    p.setBrush(glow);
    p.drawRoundedRect(screen, 3, 3);
    p.setBrush(Qt::NoBrush);
    p.setClipRect(screen.adjusted(1, 1, -1, -1));
    const QRectF scene = screen.adjusted(3, 3, -3, -3);
    if (type == QLatin1String("HALL"))
        hall(p, scene);
    else if (type == QLatin1String("ROOM"))
        room(p, scene);
    else if (type == QLatin1String("LIVE"))
        live(p, scene);
    else if (type == QLatin1String("STUDIO"))
        studio(p, scene);
    else
        plate(p, scene);
    p.setClipping(false);
    engrave(p, QRectF(0, size.height() - nameHeight - 2, size.width(), nameHeight), Qt::AlignCenter, type,
            legendFont(11, QFont::Bold, 1.5), QColor(230, 232, 236));
    p.restore();
}

} // namespace artgen
