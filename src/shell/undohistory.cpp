#include "undohistory.h"

#include "controlnames.h"
#include "mixermodel.h"
#include "undosteps.h"

#include <QAction>
#include <QApplication>

UndoHistory::UndoHistory(mixer::MixControls &controls, Settings &settings, QObject *parent)
    : QObject(parent), controls_(controls), store_(settings)
{
    burstIdle_.setSingleShot(true);
    burstIdle_.setInterval(kBurstIdleMs);
    // A key press on another control is a new gesture even when the same control gets it back at once.
    connect(qApp, &QApplication::focusChanged, this, &UndoHistory::endBurst);
    connect(&stack_, &QUndoStack::indexChanged, this, &UndoHistory::showSteps);
    controls_.setRecorder(this);
}

UndoHistory::~UndoHistory()
{
    controls_.setRecorder(nullptr);
}

void UndoHistory::bind(QAction *undo, QAction *redo)
{
    undo_ = undo;
    redo_ = redo;
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undo_, &QAction::triggered, this, [this] {
        endBurst();
        stack_.undo();
    });
    connect(redo_, &QAction::triggered, this, [this] {
        endBurst();
        stack_.redo();
    });
    showSteps();
}

void UndoHistory::showSteps()
{
    if (!undo_)
        return;
    undo_->setEnabled(stack_.canUndo());
    redo_->setEnabled(stack_.canRedo());
    undo_->setText(stack_.canUndo() ? tr("Undo %1").arg(stack_.undoText()) : tr("Undo"));
    redo_->setText(stack_.canRedo() ? tr("Redo %1").arg(stack_.redoText()) : tr("Redo"));
}

quint64 UndoHistory::gestureFor(const mixer::Control &control, mixer::Merge merge)
{
    if (inGesture_)
        return gesture_;
    if (merge == mixer::Merge::Burst && burstIdle_.isActive() && burstControl_ == control) {
        burstIdle_.start();
        return gesture_;
    }
    ++gesture_;
    if (merge == mixer::Merge::Burst) {
        burstControl_ = control;
        burstIdle_.start();
    } else {
        burstIdle_.stop();
    }
    return gesture_;
}

void UndoHistory::endBurst()
{
    burstIdle_.stop();
}

void UndoHistory::change(const mixer::Control &control, const QVariant &value, mixer::Merge merge)
{
    const quint64 gesture = gestureFor(control, merge);
    if (!mixer::MixControls::undoneAsWholeMix(control)) {
        stack_.push(new ControlStep(controls_, control, value, gesture));
        return;
    }
    // Undone as the whole mix, redone by the same call again.
    QString error;
    const auto make = [this, control, value] { return controls_.apply(control, value); };
    if (!pushWholeMix(ControlNames::name(control), make, QString(), make, &error))
        emit restoreFailed(error);
}

void UndoHistory::gestureBegan()
{
    ++gesture_;
    inGesture_ = true;
    burstIdle_.stop();
}

void UndoHistory::gestureEnded()
{
    inGesture_ = false;
}

bool UndoHistory::changeWholeMix(const QString &text, const std::function<bool(QString *)> &make,
                                 const QString &progressTitle, QString *error)
{
    return pushWholeMix(text, [&] { return make(error); }, progressTitle, {}, error);
}

bool UndoHistory::pushWholeMix(const QString &text, const std::function<bool()> &make,
                               const QString &progressTitle, const std::function<bool()> &redoAgain, QString *error)
{
    QByteArray before, after;
    if (!store_.mix(&before, error) || !make() || !store_.mix(&after, error))
        return false;
    const auto restore = [this, progressTitle](const QByteArray &mix) { this->restore(mix, progressTitle); };
    std::function<void()> again;
    if (redoAgain)
        again = [redoAgain] { redoAgain(); };
    stack_.push(new MixStep(text, before, after, restore, again));
    return true;
}

void UndoHistory::restore(const QByteArray &mix, const QString &progressTitle)
{
    QString error;
    if (!store_.replaceMix(mix, &error)) {
        emit restoreFailed(error);
        return;
    }
    controls_.mixer().loadAll();
    if (!progressTitle.isEmpty())
        emit progressWanted(progressTitle);
}
