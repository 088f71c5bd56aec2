// Warnings that never hold up the event loop: the 100 ms presence check and the unit link go on while
// a box waits for its OK.
#pragma once

class QMessageBox;
class QString;
class QWidget;

// A warning box with an OK button, modal to `parent`'s window (may be null: no window is blocked),
// shown at once; it deletes itself when dismissed. The caller may close it earlier. GUI thread.
QMessageBox *openWarning(QWidget *parent, const QString &title, const QString &text);
