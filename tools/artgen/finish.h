// Surface finishes shared by every kind of artwork: brushed metal, engraved text, recessed plates.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace artgen {

// Fills `area` with a horizontally brushed metal of colour `base`. The grain comes from a fixed seed,
// so the same arguments always give the same pixels (the build output stays reproducible).
void brushedMetal(QPainter &p, const QRectF &area, const QColor &base, quint32 seed);

// A recessed plate: dark upper-left edge, light lower-right edge, brushed face of colour `face`.
void recessedPlate(QPainter &p, const QRectF &area, const QColor &face, qreal radius, quint32 seed);

// Text cut into the surface: a dark shadow above, a light lip below, the fill colour in between.
void engrave(QPainter &p, const QRectF &area, Qt::Alignment align, const QString &text, const QFont &font,
             const QColor &fill);

// The sans-serif face used for every legend, at a pixel size and weight.
QFont legendFont(int pixelSize, int weight = QFont::DemiBold, qreal letterSpacing = 0);

} // namespace artgen
