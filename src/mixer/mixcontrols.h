// Where every user change of the mix passes on its way to the models: the widgets name the control and
// the new value; this object reads a control's value and applies one through the model call that owns it
// (the same call a widget, a remote client or an undo step makes), and hands a user's change to the
// recorder the shell installs (its undo history), which applies it.
//
// Gestures: a press..release (a drag) is one change however many values it passes; a burst of wheel
// notches or key presses on one control is one change too (the recorder ends a burst after a short
// idle time or a focus change). A click, a chosen entry or a typed name is one change by itself.
//
// GUI thread only. The models and the recorder are not owned; the models must outlive this object.
#pragma once

#include "control.h"

#include <QObject>
#include <QVariant>
#include <QVector>

namespace mixer {

class LineOutModel;
class MixerModel;
class MonitorModel;

enum class Merge {
    Never, // a change by itself
    Burst, // merges with the changes of the same control that follow within the idle time
};

// The shell's side: it decides what becomes an undo step. `change` must end in MixControls::apply().
class EditRecorder {
public:
    virtual ~EditRecorder() = default;
    virtual void change(const Control &control, const QVariant &value, Merge merge) = 0;
    virtual void gestureBegan() = 0;
    virtual void gestureEnded() = 0;
};

class MixControls : public QObject {
    Q_OBJECT

public:
    explicit MixControls(MixerModel &mixer, QObject *parent = nullptr);

    // The routing section's models; until they are set their controls read invalid and apply nothing.
    void setRouting(MonitorModel &monitor, LineOutModel &lineOuts);
    // Not owned; null (the default) applies every change at once.
    void setRecorder(EditRecorder *recorder) { recorder_ = recorder; }

    MixerModel &mixer() const { return mixer_; }

    // A user's change of `control` to `value`.
    void change(const Control &control, const QVariant &value, Merge merge = Merge::Never);
    // A press..release gesture; every change in between is one.
    void gestureBegan();
    void gestureEnded();

    // The control's value as the models hold it (invalid for a control that does not exist).
    QVariant value(const Control &control) const;
    // The one model call for `control`; false when the model refused it.
    bool apply(const Control &control, const QVariant &value);
    // What a change of `control` may set besides it, which an undo puts back as it was: the mute of
    // every track for a solo, the low gain for the low-cut filter, the right side of a monitor target
    // for its link and its left or linked controls.
    QVector<Control> sideEffects(const Control &control) const;
    // A change the models cannot take back control by control (a stereo link copies a whole strip over
    // another): its undo restores the mix as it was.
    static bool undoneAsWholeMix(const Control &control);

private:
    QVariant stripValue(const Control &c) const;
    bool applyStrip(const Control &c, const QVariant &v);
    QVariant routingValue(const Control &c) const;
    bool applyRouting(const Control &c, const QVariant &v);

    MixerModel &mixer_;
    MonitorModel *monitor_ = nullptr;
    LineOutModel *lineOuts_ = nullptr;
    EditRecorder *recorder_ = nullptr;
};

} // namespace mixer
