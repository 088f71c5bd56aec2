// The channel editor's front panel: two recessed sections with engraved legends, curve screens with
// their grids, and the gain-reduction meter's slot and scale.
#include "drawings.h"
#include "editorlayout.h"
#include "finish.h"

#include <QPainterPath>

namespace artgen {

namespace {

namespace el = editorlayout;

const QColor kLegend(190, 194, 200);
const QColor kScreen(8, 12, 16);
const QColor kGrid(30, 42, 50);

QRectF toRect(const el::Rect &r)
{
    return QRectF(r.x, r.y, r.w, r.h);
}

// A dark display window sunk into the panel with a thin bevel.
void screen(QPainter &p, const QRectF &r)
{
    p.fillRect(r.adjusted(-2, -2, 2, 2), QColor(0, 0, 0, 190));
    p.setPen(QColor(255, 255, 255, 40));
    p.drawLine(r.bottomLeft() + QPointF(-2, 2), r.bottomRight() + QPointF(2, 2));
    p.fillRect(r, kScreen);
}

void legend(QPainter &p, const QRectF &area, const char *text, Qt::Alignment align = Qt::AlignCenter,
            int px = 8)
{
    engrave(p, area, align, QString::fromLatin1(text), legendFont(px, QFont::Bold, 0.6), kLegend);
}

// Response grid: the 0 dB row, +-6 and +-12 dB rows, and 100 Hz, 1 kHz and 10 kHz columns.
void eqGrid(QPainter &p, const QRectF &r)
{
    p.setPen(kGrid);
    for (int dy : {-31, -16, 16, 31})
        p.drawLine(QPointF(r.left(), r.top() + 38 + dy), QPointF(r.right(), r.top() + 38 + dy));
    for (int x : {31, 76, 121})
        p.drawLine(QPointF(r.left() + x, r.top()), QPointF(r.left() + x, r.bottom()));
    p.setPen(QColor(52, 70, 82));
    p.drawLine(QPointF(r.left(), r.top() + 38), QPointF(r.right(), r.top() + 38));
    const struct {
        int x;
        const char *text;
    } marks[] = {{31, "100"}, {76, "1k"}, {121, "10k"}};
    for (const auto &m : marks)
        legend(p, QRectF(r.left() + m.x - 14, r.bottom() + 3, 28, 9), m.text, Qt::AlignCenter, 7);
}

// Transfer grid: quarters of the input and output range and the unity diagonal.
void compGrid(QPainter &p, const QRectF &r)
{
    p.setPen(kGrid);
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(r.left() + i * 16, r.top()), QPointF(r.left() + i * 16, r.bottom()));
        p.drawLine(QPointF(r.left(), r.top() + 3 + i * 16), QPointF(r.right(), r.top() + 3 + i * 16));
    }
    p.setPen(QPen(QColor(52, 70, 82), 1.0, Qt::DotLine));
    p.drawLine(QPointF(r.left(), r.top() + 67), QPointF(r.left() + 65, r.top() + 2));
    legend(p, QRectF(r.left(), r.bottom() + 3, r.width(), 9), "INPUT", Qt::AlignCenter, 7);
}

void grMeter(QPainter &p)
{
    const el::Rect &m = el::kGrMeter;
    screen(p, QRectF(m.x - 1, m.y - 1, m.w + 2, m.h + 2));
    legend(p, QRectF(m.x - 8, m.y - 14, m.w + 16, 10), "GR");
    p.setPen(kLegend);
    const int n = int(sizeof(el::kGrTickY) / sizeof(el::kGrTickY[0]));
    for (int i = 0; i < n; ++i) {
        const qreal y = el::kGrTickY[i] + 0.5;
        p.drawLine(QPointF(m.x + m.w + 2, y), QPointF(m.x + m.w + 4, y));
        // The last figure sits on its tick rather than across it, to stay inside the plate.
        const qreal top = i < n - 1 ? y - 5 : y - 8;
        legend(p, QRectF(m.x + m.w + 7, top, 16, 10), QByteArray::number(el::kGrTickDb[i]).constData(),
               Qt::AlignLeft | Qt::AlignVCenter, 7);
    }
}

} // namespace

void drawEditorPanel(QPainter &p, QSize size)
{
    brushedMetal(p, QRectF(QPointF(0, 0), size), QColor(40, 42, 46), 0x3e11);
    recessedPlate(p, toRect(el::kEqPanel), QColor(50, 52, 57), 4, 0x3e12);
    recessedPlate(p, toRect(el::kCompPanel), QColor(50, 52, 57), 4, 0x3e13);

    const QRectF eq = toRect(el::kEqScreen);
    const QRectF comp = toRect(el::kCompScreen);
    legend(p, QRectF(eq.left(), 4, 80, 12), "EQUALIZER", Qt::AlignLeft | Qt::AlignVCenter, 9);
    legend(p, QRectF(comp.left(), 4, 120, 12), "COMPRESSOR", Qt::AlignLeft | Qt::AlignVCenter, 9);
    screen(p, toRect(el::kTargetReadout));
    screen(p, eq);
    eqGrid(p, eq);
    screen(p, comp);
    compGrid(p, comp);

    for (int c = 0; c < 4; ++c)
        legend(p, QRectF(el::kEqCol[c] - 24, 6, 48, 10), el::kEqColumnLegend[c]);
    for (int r = 0; r < 3; ++r)
        legend(p, QRectF(152, el::kEqRow[r] - 5, 28, 10), el::kEqRowLegend[r],
               Qt::AlignLeft | Qt::AlignVCenter);
    // Hairlines between the bands, as printed on a channel strip's EQ section.
    p.setPen(QColor(0, 0, 0, 90));
    for (int c = 1; c < 4; ++c) {
        const qreal x = (el::kEqCol[c - 1] + el::kEqCol[c]) / 2.0 + 0.5;
        p.drawLine(QPointF(x, 18), QPointF(x, 126));
    }
    for (const el::Knob &k : el::kKnobs) {
        if (k.legend)
            engrave(p, QRectF(k.x - 20, k.y - 20, 40, 10), Qt::AlignCenter, QString::fromLatin1(k.legend),
                    legendFont(7, QFont::Bold), kLegend);
    }
    grMeter(p);
}

} // namespace artgen
