#include "pandrag.h"

#include "artwork.h"
#include "knobdrag.h"

#include <QLabel>

#include <algorithm>

PanLane PanDrag::lane(int laneNo)
{
    return laneNo == 0 ? PanLane{0, 40, 20} : PanLane{59, 99, 79};
}

int PanDrag::step(int laneNo, int position, int reference, int x)
{
    if (x > reference)
        position += x - reference;
    else if (position >= reference - x)
        position -= reference - x;
    const PanLane l = lane(laneNo);
    return std::clamp(position, l.lo, l.hi);
}

PanDrag::PanDrag()
    : m_centre(artwork::pixmap(QStringLiteral(":Resource/track/PAN.png"))),
      m_offCentre(artwork::pixmap(QStringLiteral(":Resource/track/PAN_c.png")))
{}

void PanDrag::press(int position, const QPointF &global)
{
    m_reference = KnobDrag::pointerCoordinate(global.x());
    m_position = position;
}

int PanDrag::move(int laneNo, const QPointF &global)
{
    const int x = KnobDrag::pointerCoordinate(global.x());
    m_position = step(laneNo, m_position, m_reference, x);
    m_reference = x;
    return m_position;
}

void PanDrag::placeMarker(QLabel *marker, int laneNo, int position, int panelX) const
{
    if (!marker)
        return;
    marker->move(position - panelX, kMarkerY);
    marker->setPixmap(position == lane(laneNo).centre ? m_centre : m_offCentre);
}
