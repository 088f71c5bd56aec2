// Message boxes that never hold up the event loop: the timers and the unit link go on while a box
// waits. Each is shown at once, modal to its parent's window (a null parent blocks nothing), and
// deletes itself when closed; the caller may close it earlier. What follows an answer runs on
// `finished`. GUI thread.
#pragma once

#include <QMessageBox>

#include <functional>

QMessageBox *openBox(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text,
                     QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// A warning with an OK button.
inline QMessageBox *openWarning(QWidget *parent, const QString &title, const QString &text)
{
    return openBox(QMessageBox::Warning, parent, title, text);
}

// OK and Cancel, Cancel the default. `onOk` runs once OK ends the box, in the context of `receiver`
// (not run when `receiver` is gone); any other end runs nothing.
QMessageBox *ask(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text,
                 QObject *receiver, std::function<void()> onOk);
