// What a key or a wheel notch asks of a knob or a fader, and the position it leads to. A step is the
// scale's own: the next position that shows another value (two send positions that both read -42 dB
// are one step); a page is ten steps; Home and End go to the ends.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWheelEvent;

struct KnobTurn {
    enum class Kind { Steps, ToMin, ToMax };
    Kind kind = Kind::Steps;
    int steps = 0; // signed, up or right positive
};

constexpr int kStepsPerPage = 10;

// Up and Right a step up, Down and Left a step down, Page Up/Down a page, Home/End the ends; nothing for
// any other key (or with Ctrl or Alt held: those keys belong to shortcuts).
std::optional<KnobTurn> turnForKey(int key, Qt::KeyboardModifiers modifiers);

// Whole wheel notches, keeping what a fine-grained wheel sends short of one for the next event.
class WheelNotches {
public:
    int take(const QWheelEvent *ev);

private:
    int m_remainder = 0;
};

// Where `turn` takes a control at `position` in lo..hi whose positions read as `label`.
int turnedPosition(const KnobTurn &turn, int position, int lo, int hi, const std::function<QString(int)> &label);
