// Turns SIGINT and SIGTERM into a Qt signal through a self-pipe, so shutdown runs in the event loop.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace lyntra::fw {

class SignalWatch : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; only one instance per process. Main thread.
    explicit SignalWatch(QObject *parent = nullptr);
    ~SignalWatch() override;
    bool ok() const { return notifier_ != nullptr; }

signals:
    void terminationRequested(int signal);

private:
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace lyntra::fw
