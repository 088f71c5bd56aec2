// "Changing various settings...": a small always-on-top window with a 10-step bar, shown while a
// scene load or an initialisation settles. The user cannot close it; the window's owner counts down.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

class ProgressWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int Steps = 10;

    // Top-level (no parent): it must stay visible above the main window. GUI thread.
    ProgressWindow();

    // Shows the window titled `title` with an empty bar.
    void open(const QString &title);

public slots:
    // `remaining`: seconds left, 1..Steps; the bar shows Steps - remaining.
    void setRemaining(int remaining);
    void finish();

private:
    QLabel *label_;
    QProgressBar *bar_;
};
