// The message boxes on screen, found the way a user finds them: visible top-level QMessageBoxes.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

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

// Presses `which` on every visible box titled `title`; how many there were.
inline int press(const QString &title, QMessageBox::StandardButton which)
{
    const QList<QMessageBox *> boxes = shown_boxes(title);
    for (QMessageBox *box : boxes)
        box->button(which)->click();
    return boxes.size();
}

inline int press_ok(const QString &title)
{
    return press(title, QMessageBox::Ok);
}

} // namespace lyntra_test
