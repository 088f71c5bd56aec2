// The window's undo history: every change a user makes to the mix, one step per gesture, undone and
// redone through the model calls that made it. Changes that reach the models another way (a remote
// client, a reconnection's full load) are not steps.
//
// One drag (press to release) is one step; so is a burst of wheel notches or key presses on one control,
// which ends after a short idle time, on a focus change, or at the next change of another control. The
// Edit menu's entries name the step ("Undo IN 3 fader").
//
// GUI thread. The controls and the settings must outlive this object.
#pragma once

#include "mixcontrols.h"
#include "scenestore.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>

#include <functional>

class QAction;
class QWidget;

class UndoHistory : public QObject, public mixer::EditRecorder {
    Q_OBJECT

public:
    static constexpr int kBurstIdleMs = 800;

    // Records what goes through `controls` from now on.
    UndoHistory(mixer::MixControls &controls, Settings &settings, QObject *parent = nullptr);
    ~UndoHistory() override;

    QUndoStack &stack() { return stack_; }
    // Makes `undo` and `redo` (not owned) the Edit menu's entries: Ctrl+Z, Ctrl+Shift+Z, named after the
    // step they take.
    void bind(QAction *undo, QAction *redo);

    void change(const mixer::Control &control, const QVariant &value, mixer::Merge merge) override;
    void gestureBegan() override;
    void gestureEnded() override;

    // One step for a change of the whole mix that `make` carries out (a scene loaded, "Initialize", an
    // import): undo brings back the mix from before, redo the mix from after, each through the full load
    // with the progress window titled `progressTitle` (none when empty). False, with `error` set, and
    // no step, when the mix cannot be read or `make` fails.
    bool changeWholeMix(const QString &text, const std::function<bool(QString *error)> &make,
                        const QString &progressTitle, QString *error);

signals:
    // A step's full load wants the progress window.
    void progressWanted(const QString &title);
    // A step could not put the mix back: the settings file could not be written.
    void restoreFailed(const QString &reason);

private:
    bool pushWholeMix(const QString &text, const std::function<bool()> &make, const QString &progressTitle,
                      const std::function<bool()> &redoAgain, QString *error);
    quint64 gestureFor(const mixer::Control &control, mixer::Merge merge);
    void endBurst();
    void restore(const QByteArray &mix, const QString &progressTitle);
    void showSteps();

    mixer::MixControls &controls_;
    SceneStore store_;
    QUndoStack stack_;
    QAction *undo_ = nullptr;
    QAction *redo_ = nullptr;
    quint64 gesture_ = 0;
    bool inGesture_ = false;
    QTimer burstIdle_;
    mixer::Control burstControl_;
};
