// What the curve displays share: the three colours and the pen they draw with.
#pragma once

#include <QColor>
#include <QPen>

namespace curves {

// Nothing selected (Empty), the section switched off (Inactive) or on (Active).
enum class CurveMode { Empty, Inactive, Active };

inline QColor curveColour(CurveMode mode)
{
    switch (mode) {
    case CurveMode::Active:
        return QColor(41, 223, 255);
    case CurveMode::Inactive:
        return QColor(160, 160, 160);
    case CurveMode::Empty:
        break;
    }
    return QColor(80, 80, 80);
}

inline QPen curvePen(CurveMode mode, Qt::PenCapStyle cap)
{
    return QPen(curveColour(mode), 1.0, Qt::SolidLine, cap, Qt::BevelJoin);
}

} // namespace curves
