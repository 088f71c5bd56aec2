#include "knobdrag.h"

#include <QLabel>

#include <cmath>

KnobDrag::KnobDrag(KnobFrames frames) : m_frames(std::move(frames)) {}

void KnobDrag::setTarget(QLabel *knob, QLabel *valueLabel)
{
    m_knob = knob;
    m_value = valueLabel;
}

int KnobDrag::pointerCoordinate(double v)
{
    return int(std::floor(v + 0.5));
}

void KnobDrag::press(KnobScale scale, int index, const QPointF &local, Arming arming)
{
    m_scale = scale;
    m_latched = arming == Arming::Latched;
    if (m_latched)
        m_armed = true;
    m_reference = pointerCoordinate(local.y());
    m_index = clampKnobIndex(scale, index);
}

bool KnobDrag::move(const QPointF &local)
{
    if (m_latched && !m_armed)
        return false;
    const int y = pointerCoordinate(local.y());
    m_index = clampKnobIndex(m_scale, m_index + (m_reference - y));
    m_reference = y;
    return true;
}

void KnobDrag::reset(int index)
{
    m_index = clampKnobIndex(m_scale, index);
    m_armed = false;
}

void KnobDrag::showOn(QLabel *knob, QLabel *valueLabel, KnobScale scale, int index, const QString &text) const
{
    if (knob) {
        // Index 10 of the general map has no band of its own: the knob keeps its current frame.
        const int frame = knobFrame(scale, index);
        if (frame >= 0)
            knob->setPixmap(m_frames.frame(frame));
        knob->setFixedSize(m_frames.size());
    }
    if (valueLabel)
        valueLabel->setText(text);
}
