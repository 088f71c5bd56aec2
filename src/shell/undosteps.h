// The two kinds of undo step. A control step is one change of one control, with what that change set
// besides; undo and redo make the same model call the user's gesture made, with the old or the new
// value. A whole-mix step (a scene loaded, "Initialize", an import, a stereo link) is undone by putting
// back the mix as it was, through the full load.
//
// GUI thread; the controls and the restore function must outlive the steps.
#pragma once

#include "control.h"

#include <QByteArray>
#include <QUndoCommand>
#include <QVariant>
#include <QVector>

#include <functional>

namespace mixer {
class MixControls;
}

class ControlStep : public QUndoCommand {
public:
    // `gesture` tells the changes one drag or burst makes (they merge) from the next ones.
    ControlStep(mixer::MixControls &controls, const mixer::Control &control, const QVariant &value, quint64 gesture);

    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override;
    void redo() override;
    void undo() override;

private:
    struct Value {
        mixer::Control control;
        QVariant before;
        QVariant after;
    };
    bool changesNothing() const;
    void put(const Value &v, bool after);

    mixer::MixControls &controls_;
    Value main_;
    QVector<Value> besides_;
    quint64 gesture_;
    bool done_ = false;
};

class MixStep : public QUndoCommand {
public:
    using Restore = std::function<void(const QByteArray &mix)>;
    // The change has been made already; `redoAgain` makes it again (empty: restore `after`).
    MixStep(const QString &text, QByteArray before, QByteArray after, Restore restore,
            std::function<void()> redoAgain = {});

    void redo() override;
    void undo() override;

private:
    QByteArray before_;
    QByteArray after_;
    Restore restore_;
    std::function<void()> redoAgain_;
    bool first_ = true;
};
