#include "eqcurve.h"

#include "curvetables.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace curves {
namespace {

// The high band's steps start 22 entries further up the column table than the list's own steps.
constexpr int kHighColumnOffset = 22;
constexpr int kReach = 39; // pixels above and below the 0 dB row

int weightAt(const Shape &shape, int columnOfCentre, int x)
{
    return shape[size_t(std::clamp(kShapeCentre - columnOfCentre + x, 0, kShapeLength - 1))];
}

int contribution(int gainDb, int weight)
{
    return gainDb * weight * 39 / 180;
}

} // namespace

std::array<int, kEqWidth> eqCurveRows(const EqCurveState &s)
{
    std::array<int, kEqWidth> rows{};
    for (int x = 1; x < kEqWidth; ++x) {
        int sum = contribution(s.lowMidGain, weightAt(bellShape(s.lowMidQ), column(s.lowMidFreq), x));
        sum += contribution(s.lowGain, weightAt(lowShape(s.lowCut), column(s.lowFreq), x));
        sum += contribution(s.highGain, weightAt(highShape(), column(s.highFreq + kHighColumnOffset), x));
        sum += contribution(s.highMidGain, weightAt(bellShape(s.highMidQ), column(s.highMidFreq), x));
        // Tenths of a pixel: halves round up, and a negative sum is never rounded up.
        int r = sum / 10 + (sum % 10 > 4 ? 1 : 0);
        r = std::clamp(r, -kReach, kReach);
        rows[size_t(x)] = kEqZeroRow - r;
    }
    rows[0] = rows[1];
    return rows;
}

} // namespace curves

DrawEq::DrawEq(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("label_Equalizer"));
    setFixedSize(curves::kEqWidth, curves::kEqHeight);
    setAlignment(Qt::AlignCenter);
}

void DrawEq::setCurve(const curves::EqCurveState &state, curves::CurveMode mode)
{
    m_state = state;
    m_mode = mode;
    update();
}

void DrawEq::paintEvent(QPaintEvent *ev)
{
    const std::array<int, curves::kEqWidth> rows = curves::eqCurveRows(m_state);
    QPainterPath path;
    path.moveTo(0, rows[1]);
    for (int x = 1; x < curves::kEqWidth; ++x)
        path.lineTo(x, rows[size_t(x)]);
    path.lineTo(curves::kEqWidth - 1, curves::kEqZeroRow);
    path.lineTo(0, curves::kEqZeroRow);
    path.closeSubpath();

    {
        QPainter p(this);
        p.setPen(curves::curvePen(m_mode, Qt::SquareCap));
        p.setBrush(curves::curveColour(m_mode));
        p.drawPath(path);
    }
    QLabel::paintEvent(ev); // the title over the curve
}
