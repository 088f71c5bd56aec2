#include "undosteps.h"

#include "controlnames.h"
#include "mixcontrols.h"

ControlStep::ControlStep(mixer::MixControls &controls, const mixer::Control &control, const QVariant &value,
                         quint64 gesture)
    : QUndoCommand(ControlNames::name(control)), controls_(controls), main_{control, controls.value(control), value},
      gesture_(gesture)
{
    for (const mixer::Control &c : controls.sideEffects(control))
        besides_.append({c, controls.value(c), {}});
}

void ControlStep::put(const Value &v, bool after)
{
    const QVariant &want = after ? v.after : v.before;
    if (controls_.value(v.control) != want)
        controls_.apply(v.control, want);
}

void ControlStep::redo()
{
    controls_.apply(main_.control, main_.after);
    if (done_) {
        for (const Value &v : qAsConst(besides_))
            put(v, true);
        return;
    }
    // What the models made of it: clamped, rounded, or refused.
    done_ = true;
    main_.after = controls_.value(main_.control);
    for (Value &v : besides_)
        v.after = controls_.value(v.control);
    setObsolete(changesNothing());
}

void ControlStep::undo()
{
    controls_.apply(main_.control, main_.before);
    for (const Value &v : qAsConst(besides_))
        put(v, false);
}

bool ControlStep::changesNothing() const
{
    if (main_.before != main_.after)
        return false;
    for (const Value &v : besides_)
        if (v.before != v.after)
            return false;
    return true;
}

bool ControlStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = dynamic_cast<const ControlStep *>(other);
    if (!next || next->gesture_ != gesture_ || next->main_.control != main_.control)
        return false;
    main_.after = next->main_.after;
    for (int i = 0; i < besides_.size() && i < next->besides_.size(); ++i)
        besides_[i].after = next->besides_[i].after;
    // A drag back to where it began leaves nothing to undo.
    setObsolete(changesNothing());
    return true;
}

MixStep::MixStep(const QString &text, QByteArray before, QByteArray after, Restore restore,
                 std::function<void()> redoAgain)
    : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), restore_(std::move(restore)),
      redoAgain_(std::move(redoAgain))
{}

void MixStep::redo()
{
    if (first_) {
        first_ = false;
        return;
    }
    if (redoAgain_)
        redoAgain_();
    else
        restore_(after_);
}

void MixStep::undo()
{
    restore_(before_);
}
