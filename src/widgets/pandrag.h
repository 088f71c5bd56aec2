// The pan drag: lanes, the step arithmetic on the pointer's screen x, clamping and the marker images.
#pragma once

#include <QPixmap>
#include <QPointF>

class QLabel;

struct PanLane {
    int lo;
    int hi;
    int centre;
};

class PanDrag {
public:
    /// Lane 0 (odd channels, left marker of a pair) or 1 (even channels, right marker).
    static PanLane lane(int laneNo);
    /// Position after moving the pointer from screen x \p reference to \p x, from \p position on lane
    /// \p laneNo. A leftward step larger than the position is dropped rather than wrapped. Pure.
    static int step(int laneNo, int position, int reference, int x);

    PanDrag();

    /// Starts a drag from pan \p position with the pointer at screen position \p global.
    void press(int position, const QPointF &global);
    /// Follows the pointer to \p global on lane \p laneNo; returns the new position.
    int move(int laneNo, const QPointF &global);
    int position() const { return m_position; }

    /// Places \p marker at its pan \p position (y 336 of its panel, whose x starts \p panelX into the
    /// lane) with the image for \p laneNo: the centre image at the lane's centre, the off-centre image
    /// elsewhere. Null marker is ignored.
    void placeMarker(QLabel *marker, int laneNo, int position, int panelX = 0) const;

    static constexpr int kMarkerY = 336;

private:
    QPixmap m_centre;
    QPixmap m_offCentre;
    int m_reference = 0;
    int m_position = 0;
};
