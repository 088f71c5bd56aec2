// A level fader: a vertical slider over the fader scale and a value box in dB, kept in step while the
// user drags, types or Shift-releases to 0 dB.
#pragma once

#include <QObject>

class QDoubleSpinBox;
class QSlider;

// Flags shared by every fader of the window.
struct FaderFlags {
    // A typed value moved the slider: the echo of that move must not overwrite the typed value.
    bool typedValuePending = false;
    // Shift is held over the window: releasing a fader returns it to 0 dB.
    bool shiftHeld = false;
};

class FaderPair : public QObject {
    Q_OBJECT
public:
    static const char *const kSliderStyle;
    static const char *const kMasterSliderStyle;
    static const char *const kBoxStyle;

    /// Configures \p slider and \p box (ranges, sizes, look) and keeps them in step. Neither widget is
    /// owned; \p flags must outlive the pair. \p master picks the master handle image. GUI thread.
    FaderPair(QSlider *slider, QDoubleSpinBox *box, FaderFlags &flags, bool master,
              QObject *parent = nullptr);

    /// Shows \p db (box value and the slider position for it) without announcing a change.
    void showLevel(double db);

    QSlider *slider() const { return m_slider; }
    QDoubleSpinBox *box() const { return m_box; }

signals:
    /// The user set a level: the box value in dB, one decimal.
    void levelChanged(double db);

private:
    void onSliderMoved(int position);
    void onValueChanged(int value);
    void onSliderReleased();
    void onEditingFinished();

    QSlider *m_slider;
    QDoubleSpinBox *m_box;
    FaderFlags &m_flags;
    bool m_finishing = false;
};
