// Runs the real lyntra-panel for a test: private lock directory, the test hook file, and the markers
// it prints on standard output.
#pragma once

#include "virtualunit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

namespace lyntra_test {

class Panel {
public:
    static QString program() { return bin_dir() + "/lyntra-panel"; }

    // `hookFile`: where the panel notes its boxes and activations.
    explicit Panel(const QString &hookFile)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LYNTRA_TEST_BOXES"), hookFile);
        env.insert(QStringLiteral("LYNTRA_BENCH"), QStringLiteral("1"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.setReadChannel(QProcess::StandardOutput);
    }
    ~Panel() { stop(); }
    Panel(const Panel &) = delete;
    Panel &operator=(const Panel &) = delete;

    bool start()
    {
        process_.start(program(), QStringList());
        return process_.waitForStarted(5000);
    }

    // Waits for the next marker line "lyntra-panel: <what>"; false after `ms` or when the panel ended.
    bool awaitMarker(const QByteArray &what, int ms = 10000)
    {
        const QByteArray wanted = "lyntra-panel: " + what;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            while (process_.canReadLine())
                if (process_.readLine().trimmed() == wanted)
                    return true;
            if (process_.state() == QProcess::NotRunning)
                return false;
            process_.waitForReadyRead(50);
        }
        return false;
    }

    void stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    QProcess &process() { return process_; }

private:
    QProcess process_;
};

// Lines of the hook file so far.
inline QStringList hookLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Polls `done` every 50 ms for up to `ms`.
template <typename F> bool waitFor(F done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}

} // namespace lyntra_test
