#include "drawings.h"

#include "metermath.h"

#include <QLinearGradient>

namespace artgen {
namespace {

// Where the colours change on the scale, in dB below full scale.
constexpr int kYellowFromDb = 18;
constexpr int kRedFromDb = 6;
// An LED segment is two dB tall: three lit rows over a dark gap, so an empty bar (its bottom row
// only) shows nothing lit.
constexpr int kSegmentRows = 2 * meter::kPixelsPerDb;

QColor zoneColour(int rowFromTop, bool lit)
{
    const int db = rowFromTop / meter::kPixelsPerDb;
    QColor c = db < kRedFromDb      ? QColor(255, 52, 36)
               : db < kYellowFromDb ? QColor(255, 206, 40)
                                    : QColor(60, 230, 90);
    return lit ? c : QColor(c.red() / 6, c.green() / 6, c.blue() / 6);
}

// The segment ladder of a bar `size` tall, lit or dark, with a glassy highlight across it.
void ladder(QPainter &p, const QRectF &area, bool lit)
{
    for (int row = 0; row < int(area.height()); ++row) {
        const bool gap = (int(area.height()) - 1 - row) % kSegmentRows == 0;
        p.fillRect(QRectF(area.left(), area.top() + row, area.width(), 1),
                   gap ? QColor(6, 6, 8) : zoneColour(row, lit));
    }
    QLinearGradient glass(area.topLeft(), area.topRight());
    glass.setColorAt(0.0, QColor(0, 0, 0, 70));
    glass.setColorAt(0.4, QColor(255, 255, 255, lit ? 60 : 12));
    glass.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.fillRect(area, glass);
}

} // namespace

void drawMeterBar(QPainter &p, QSize size)
{
    ladder(p, QRectF(QPointF(0, 0), size), true);
}

void drawMeterWell(QPainter &p, QSize size)
{
    const QRectF all(QPointF(0, 0), size);
    p.fillRect(all, QColor(4, 4, 5));
    // Lighter lower-right lip: the well is cut into the strip.
    p.setPen(QColor(255, 255, 255, 40));
    p.drawLine(all.bottomLeft() + QPointF(0, -0.5), all.bottomRight() + QPointF(0, -0.5));
    p.drawLine(all.topRight() + QPointF(-0.5, 0), all.bottomRight() + QPointF(-0.5, 0));
    const int m = meter::kWellMargin;
    const qreal barTop = meter::kBarTop - meter::kPeakTop + m;
    ladder(p, QRectF(m, barTop, size.width() - 2 * m, size.height() - barTop - m), false);
    drawPeakLamp(p, QSize(size.width() - 2 * m, meter::kPeakHeight), QPointF(m, m), false);
}

void drawPeakLamp(QPainter &p, QSize size, QPointF at, bool lit)
{
    const QRectF lamp(at, size);
    QLinearGradient g(lamp.topLeft(), lamp.bottomLeft());
    g.setColorAt(0.0, lit ? QColor(255, 150, 130) : QColor(70, 16, 14));
    g.setColorAt(0.5, lit ? QColor(255, 40, 24) : QColor(48, 10, 9));
    g.setColorAt(1.0, lit ? QColor(190, 20, 12) : QColor(30, 6, 6));
    p.fillRect(lamp, g);
}

} // namespace artgen
