#include "compcurve.h"

#include "curvetables.h"

#include <QPainter>

namespace curves {

QPolygon compCurvePolygon(const CompCurveState &s)
{
    const CompEntry e = compEntry(s.thresholdStep, s.ratioStep);
    return QPolygon({QPoint(0, 67), QPoint(65, 67), QPoint(65, e.rightY), QPoint(e.kneeX, e.kneeY)});
}

} // namespace curves

DrawCompressor::DrawCompressor(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("label_Compressor"));
    setFixedSize(curves::kCompWidth, curves::kCompHeight);
    setAlignment(Qt::AlignCenter);
}

QString DrawCompressor::meterStatus(curves::CurveMode mode)
{
    switch (mode) {
    case curves::CurveMode::Active:
        return QStringLiteral("GR_Available");
    case curves::CurveMode::Inactive:
        return QStringLiteral("GR_Active");
    case curves::CurveMode::Empty:
        break;
    }
    return QStringLiteral("GR_Passive");
}

void DrawCompressor::setCurve(const curves::CompCurveState &state, curves::CurveMode mode)
{
    const bool modeChanged = mode != m_mode;
    m_state = state;
    m_mode = mode;
    update();
    if (modeChanged)
        emit sig_changeColorComp(meterStatus(mode));
}

void DrawCompressor::paintEvent(QPaintEvent *ev)
{
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(curves::curvePen(m_mode, Qt::RoundCap));
        p.setBrush(curves::curveColour(m_mode));
        p.drawPolygon(curves::compCurvePolygon(m_state), Qt::OddEvenFill);
    }
    QLabel::paintEvent(ev); // the title ("Bypass") over the curve, never under it
}
