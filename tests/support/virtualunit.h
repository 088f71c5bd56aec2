// Runs the real lyntra-virtual-unit program for a test and talks to its control socket.
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace lyntra_test {

inline QString bin_dir()
{
    return QString::fromLocal8Bit(qgetenv("LYNTRA_BIN_DIR"));
}

// One command line on the control socket, one JSON line back; empty object when the unit does not answer.
inline QJsonObject unit_control(const QString &ctl_path, const QByteArray &command, int timeout_ms = 3000)
{
    QLocalSocket s;
    s.connectToServer(ctl_path);
    if (!s.waitForConnected(timeout_ms))
        return {};
    s.write(command + '\n');
    s.flush();
    QByteArray line;
    QElapsedTimer t;
    t.start();
    while (!line.endsWith('\n') && t.elapsed() < timeout_ms) {
        if (s.bytesAvailable() == 0 && !s.waitForReadyRead(100))
            continue;
        line += s.readAll();
    }
    return QJsonDocument::fromJson(line).object();
}

class VirtualUnit {
public:
    // The discovery directory the panel searches by default inside the test's runtime directory.
    static QString default_dir()
    {
        return QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")) + "/ixdev";
    }

    static QString program() { return bin_dir() + "/lyntra-virtual-unit"; }
    static bool available() { return QFileInfo(program()).isExecutable(); }

    explicit VirtualUnit(QString dir = default_dir(), QString name = "lyntra0")
        : dir_(std::move(dir)), name_(std::move(name))
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~VirtualUnit() { stop(); }
    VirtualUnit(const VirtualUnit &) = delete;
    VirtualUnit &operator=(const VirtualUnit &) = delete;

    // Starts the unit and waits for its sockets; extra options such as {"--model", "K1"}.
    bool start(const QStringList &options = {})
    {
        process_.start(program(), QStringList{"--dir", dir_, "--name", name_} + options);
        return process_.waitForStarted(5000) && process_.waitForReadyRead(5000);
    }

    bool stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return true;
        process_.terminate();
        return process_.waitForFinished(5000);
    }

    QJsonObject control(const QByteArray &command) const { return unit_control(ctl_path(), command); }
    QJsonObject state() const { return control("state"); }

    QString socket_path() const { return dir_ + "/" + name_; }
    QString ctl_path() const { return socket_path() + ".ctl"; }
    QProcess &process() { return process_; }

private:
    QString dir_;
    QString name_;
    QProcess process_;
};

} // namespace lyntra_test
