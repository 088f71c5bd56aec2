#include "knobkeys.h"

#include <QWheelEvent>

#include <algorithm>

namespace {
constexpr int kNotch = 120; // angle delta of one wheel notch
}

std::optional<KnobTurn> turnForKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        return KnobTurn{KnobTurn::Kind::Steps, 1};
    case Qt::Key_Down:
    case Qt::Key_Left:
        return KnobTurn{KnobTurn::Kind::Steps, -1};
    case Qt::Key_PageUp:
        return KnobTurn{KnobTurn::Kind::Steps, kStepsPerPage};
    case Qt::Key_PageDown:
        return KnobTurn{KnobTurn::Kind::Steps, -kStepsPerPage};
    case Qt::Key_Home:
        return KnobTurn{KnobTurn::Kind::ToMin, 0};
    case Qt::Key_End:
        return KnobTurn{KnobTurn::Kind::ToMax, 0};
    default:
        return std::nullopt;
    }
}

int WheelNotches::take(const QWheelEvent *ev)
{
    m_remainder += ev->angleDelta().y();
    const int notches = m_remainder / kNotch;
    m_remainder -= notches * kNotch;
    return notches;
}

int turnedPosition(const KnobTurn &turn, int position, int lo, int hi, const std::function<QString(int)> &label)
{
    if (turn.kind == KnobTurn::Kind::ToMin)
        return lo;
    if (turn.kind == KnobTurn::Kind::ToMax)
        return hi;
    int p = std::clamp(position, lo, hi);
    const int dir = turn.steps > 0 ? 1 : -1;
    for (int n = 0; n < std::abs(turn.steps); ++n) {
        const QString shown = label(p);
        int next = p + dir;
        while (next >= lo && next <= hi && label(next) == shown)
            next += dir;
        if (next < lo || next > hi)
            break;
        p = next;
    }
    return p;
}
