// Ends the program the way closing its window does when the session asks it to stop (logging out
// sends SIGTERM, a terminal's Ctrl+C SIGINT, a closed terminal SIGHUP): the window closes, settings are
// written and the unit link is shut down in order, instead of the process dying mid-I/O.
//
// One instance, created in the GUI thread after the application object.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

class QuitSignals : public QObject {
public:
    // `quit` runs in the GUI thread, once per signal received.
    explicit QuitSignals(std::function<void()> quit, QObject *parent = nullptr);
    ~QuitSignals() override;

private:
    std::function<void()> quit_;
    QSocketNotifier *notifier_ = nullptr;
};
