// The message boxes on screen, found the way a user finds them: visible top-level QMessageBoxes.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace lyntra_test {

// Visible boxes titled `title`.
inline QList<QMessageBox *> shown_boxes(const QString &title)
{
    QList<QMessageBox *> found;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (box && box->isVisible() && box->windowTitle() == title)
            found << box;
    }
    return found;
}

// Presses `which` on every visible box titled `title`; how many there were and went away with the answer
// (an answered box kept until the window closes is a leak that grows with every question).
inline int press(const QString &title, QMessageBox::StandardButton which)
{
    QList<QPointer<QMessageBox>> boxes;
    for (QMessageBox *box : shown_boxes(title))
        boxes << box, box->button(which)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return int(boxes.count(nullptr));
}

inline int press_ok(const QString &title)
{
    return press(title, QMessageBox::Ok);
}

} // namespace lyntra_test
