#include "drawreverb.h"

#include "curvestyle.h"

#include <QPainter>
#include <QPolygon>

namespace {

// The decay the longest time draws, in pixels.
constexpr int kLongestDecay = 200;

void fill(QPainter &p, const QPolygon &shape, curves::CurveMode mode)
{
    p.setPen(curves::curvePen(mode, Qt::RoundCap));
    p.setBrush(curves::curveColour(mode));
    p.drawPolygon(shape);
}

} // namespace

DrawReverb::DrawReverb(QWidget *parent) : QLabel(parent)
{
    setFixedSize(kWidth, kHeight);
}

void DrawReverb::setState(const mixer::ReverbCurveState &state)
{
    m_state = state;
    update();
}

void DrawReverb::paintEvent(QPaintEvent *ev)
{
    QLabel::paintEvent(ev);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const int d = m_state.preDelayPx;
    const int t = m_state.timePx;
    if (d != 0)
        fill(p, QPolygon({QPoint(0, 1), QPoint(0, 49), QPoint(d, 49), QPoint(d, 1)}),
             curves::CurveMode::Empty);
    if (t != kLongestDecay)
        fill(p, QPolygon({QPoint(d, 1), QPoint(d, 49), QPoint(d + kLongestDecay, 49)}),
             curves::CurveMode::Empty);
    fill(p, QPolygon({QPoint(d, 1), QPoint(d, 49), QPoint(d + t, 49)}),
         m_state.reverbOn ? curves::CurveMode::Active : curves::CurveMode::Inactive);
}
