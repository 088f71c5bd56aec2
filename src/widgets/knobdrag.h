// The drag controller of the knobs that turn through an image strip: sends, return, EQ, compressor and
// reverb. One instance serves a whole family; before a press the caller points it at the knob.
#pragma once

#include "knobframes.h"
#include "knobscale.h"

#include <QPointF>

class QLabel;

class KnobDrag {
public:
    /// How a press arms the controller: Latched knobs only follow moves after a press and stop after a
    /// reset (sends, EQ gain); Free knobs follow every move (the other dial knobs).
    enum class Arming { Free, Latched };

    explicit KnobDrag(KnobFrames frames);

    /// Points the controller at \p knob and its \p valueLabel (either may be null; not owned).
    void setTarget(QLabel *knob, QLabel *valueLabel);
    QLabel *knob() const { return m_knob; }
    QLabel *valueLabel() const { return m_value; }

    /// Starts a drag of a knob on \p scale whose model index is \p index, with the pointer at \p local
    /// (coordinates of the knob).
    void press(KnobScale scale, int index, const QPointF &local, Arming arming);
    /// Follows the pointer to \p local: dragging up by one pixel raises the index by one, clamped to the
    /// scale. Returns false (and changes nothing) when a latched knob is not armed.
    bool move(const QPointF &local);
    /// Sets the index to \p index and disarms: a drag continuing a reset changes nothing.
    void reset(int index);

    int index() const { return m_index; }
    QSize frameSize() const { return m_frames.size(); }

    /// Shows \p index on the target knob (its frame, at the strip's size) and \p text on the value label.
    void show(int index, const QString &text) const { showOn(m_knob, m_value, m_scale, index, text); }
    /// The same on any knob of this family on \p scale (mirrored knobs, values loaded from the model).
    void showOn(QLabel *knob, QLabel *valueLabel, KnobScale scale, int index, const QString &text) const;

    /// Pointer coordinate as an integer, halves going up.
    static int pointerCoordinate(double v);

private:
    KnobFrames m_frames;
    KnobScale m_scale = KnobScale::Send;
    QLabel *m_knob = nullptr;
    QLabel *m_value = nullptr;
    int m_reference = 0;
    int m_index = 0;
    bool m_latched = false;
    bool m_armed = false;
};
