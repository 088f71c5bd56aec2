// Runs the real lyntra-panel for a test: private lock directory, and the milestones it logs.
#pragma once

#include "virtualunit.h"

#include <QProcess>

namespace lyntra_test {

class Panel {
public:
    static QString program() { return bin_dir() + "/lyntra-panel"; }

    Panel()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("lyntra.milestone.info=true"));
        env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{category}: %{message}"));
        process_.setProcessEnvironment(env);
        process_.setReadChannel(QProcess::StandardError);
    }
    ~Panel() { stop(); }
    Panel(const Panel &) = delete;
    Panel &operator=(const Panel &) = delete;

    // `path`: the program, the build's own or a copy of it.
    bool start(const QString &path = program())
    {
        process_.start(path, QStringList());
        return process_.waitForStarted(kPatienceMs);
    }

    // Waits for the next milestone <what>; false when the panel ended first.
    bool awaitMarker(const QByteArray &what)
    {
        const QByteArray wanted = "lyntra.milestone: " + what;
        bool seen = false;
        wait_until([&] {
            while (!seen && process_.canReadLine())
                seen = process_.readLine().trimmed() == wanted;
            return seen || (process_.state() == QProcess::NotRunning && !process_.canReadLine());
        });
        return seen;
    }

    void stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(kPatienceMs)) {
            process_.kill();
            process_.waitForFinished(kPatienceMs);
        }
    }

    QProcess &process() { return process_; }

private:
    QProcess process_;
};

} // namespace lyntra_test
