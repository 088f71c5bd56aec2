// A level fader: a vertical slider over a level scale and a value box in dB, kept in step while the
// user drags, types or Shift-releases to 0 dB. The scale is a parameter: the mixer strips and the
// monitor share this one mechanism.
#pragma once

#include "knobkeys.h"

#include <QObject>

class QDoubleSpinBox;
class QSlider;

// Flags shared by every fader of one window.
struct FaderFlags {
    // A typed value moved the slider: the echo of that move must not overwrite the typed value.
    bool typedValuePending = false;
    // Let go with Shift held, a fader returns to 0 dB: the mixer's do, the monitor's never jump.
    bool shiftReleaseToUnity = false;
};

// Slider positions 0..topPosition (bottom to top) and the levels they stand for.
struct FaderScale {
    int topPosition;
    double (*levelAt)(int position);
    // The first entry from the top that is <= db; below the bottom gives 0.
    int (*positionFor)(double db);
    double boxMin;
    double boxMax;
    const char *minimumText; // what the box shows at its minimum
};

// The mixer strips' 101-entry scale, -99.9 .. +6.0 dB.
extern const FaderScale kMixerFaderScale;
// The monitor's 128-entry scale, -99.9 .. 0.0 dB; its boxes stop at -96.0 and show "-inf." there.
extern const FaderScale kMonitorFaderScale;

class FaderPair : public QObject {
    Q_OBJECT
public:
    /// Gives \p slider and \p box the ranges of \p scale and keeps them in step. Neither widget is
    /// owned; \p scale and \p flags must outlive the pair. GUI thread.
    FaderPair(QSlider *slider, QDoubleSpinBox *box, const FaderScale &scale, FaderFlags &flags,
              QObject *parent = nullptr);

    /// The mixer strip look: size, handle image (\p master picks the red one) and box look, from the
    /// mixer page's style sheet.
    static void styleAsStrip(QSlider *slider, QDoubleSpinBox *box, bool master);

    /// Shows \p db (box value and the slider position for it) without announcing a change.
    void showLevel(double db);

    QSlider *slider() const { return m_slider; }
    QDoubleSpinBox *box() const { return m_box; }

signals:
    /// The user set a level: the scale's level for a slider position, or the typed box value.
    void levelChanged(double db);

protected:
    bool eventFilter(QObject *watched, QEvent *ev) override;

private:
    void onSliderMoved(int position);
    void onValueChanged(int position);
    void onSliderReleased();
    void onEditingFinished();
    // Puts db, which the box can hold, into the box as if the user had typed it.
    void applyTyped(double db);
    void applyPosition(int position);

    QSlider *m_slider;
    QDoubleSpinBox *m_box;
    const FaderScale &m_scale;
    FaderFlags &m_flags;
    bool m_finishing = false;
    WheelNotches m_wheel;
};
