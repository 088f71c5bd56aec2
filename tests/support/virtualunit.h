// The one client of the virtual unit for tests: runs the real lyntra-virtual-unit program and talks to
// its control socket.
//
//   VirtualUnit unit;                          // "lyntra0" in $XDG_RUNTIME_DIR/ixdev, where the panel looks
//   QVERIFY(unit.start({"--model", "K1"}));    // false when the program is missing or never announces itself
//   unit.control("fault short 3");             // one command line -> its JSON answer ({} without an answer)
//   unit.state();                              // the whole unit state
//   unit.at("fader.input.0");                  // one state value by dotted path (numbers index arrays)
//   QVERIFY(unit.await("mute.master.1", 1));   // waits (event loop running) until the state holds a value
//   QVERIFY(wait_until([&] { ... }));          // any condition, event loop running, generous deadline
//   unit.stop();                               // SIGTERM and wait; the destructor does the same
//
// Other helpers: bin_dir() (the build's bin/), json_at(value, path), unit_control(ctl path, command).
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace lyntra_test {

// Loaded two-core machines and sanitizers are slow; a deadline only ends a test that is broken anyway.
constexpr int kPatienceMs = 20000;

inline QString bin_dir()
{
    return QString::fromLocal8Bit(qgetenv("LYNTRA_BIN_DIR"));
}

inline QJsonValue json_at(QJsonValue v, const QString &path)
{
    for (const QString &key : path.split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        bool index = false;
        const int i = key.toInt(&index);
        v = index && v.isArray() ? v.toArray().at(i) : v.toObject().value(key);
    }
    return v;
}

// Polls `done` with the event loop running until it holds or `timeout_ms` passed.
template <typename F> bool wait_until(F done, int timeout_ms = kPatienceMs)
{
    QDeadlineTimer deadline(timeout_ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop pause;
        QTimer::singleShot(10, &pause, &QEventLoop::quit);
        pause.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// One command line on the control socket at `ctl_path`, one JSON line back; {} when nothing answers.
inline QJsonObject unit_control(const QString &ctl_path, const QByteArray &command, int timeout_ms = 5000)
{
    QLocalSocket s;
    s.connectToServer(ctl_path);
    if (!s.waitForConnected(timeout_ms))
        return {};
    s.write(command + '\n');
    QDeadlineTimer deadline(timeout_ms);
    while (!s.canReadLine() && !deadline.hasExpired())
        if (!s.waitForReadyRead(int(deadline.remainingTime())))
            return {};
    return QJsonDocument::fromJson(s.readLine()).object();
}

class VirtualUnit {
public:
    static QString default_dir() { return QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")) + "/ixdev"; }
    static QString program() { return bin_dir() + "/lyntra-virtual-unit"; }
    static bool available() { return QFileInfo(program()).isExecutable(); }

    explicit VirtualUnit(QString dir = default_dir(), QString name = QStringLiteral("lyntra0"))
        : dir_(std::move(dir)), name_(std::move(name))
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~VirtualUnit() { stop(); }
    VirtualUnit(const VirtualUnit &) = delete;
    VirtualUnit &operator=(const VirtualUnit &) = delete;

    // Starts the program with `options` (e.g. {"--model", "K1"}) and waits until it announces its socket.
    // With `where_it_likes`, no --dir/--name are passed and the announced path is taken as it comes.
    bool start(const QStringList &options = {}, bool where_it_likes = false)
    {
        const QStringList place{"--dir", dir_, "--name", name_};
        process_.start(program(), where_it_likes ? options : place + options);
        if (!process_.waitForStarted(kPatienceMs))
            return false;
        QDeadlineTimer deadline(kPatienceMs);
        while (!process_.canReadLine())
            if (deadline.hasExpired() || !process_.waitForReadyRead(int(deadline.remainingTime())))
                return false;
        const QString announced = QString::fromLocal8Bit(process_.readLine()).trimmed();
        if (where_it_likes) {
            const QFileInfo at(announced);
            dir_ = at.path();
            name_ = at.fileName();
        }
        return announced == socket_path();
    }

    bool stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return true;
        process_.terminate();
        if (process_.waitForFinished(kPatienceMs))
            return true;
        process_.kill();
        process_.waitForFinished(kPatienceMs);
        return false;
    }

    QJsonObject control(const QByteArray &command) const { return unit_control(ctl_path(), command); }
    QJsonObject state() const { return control("state"); }
    QJsonValue at(const QString &path) const { return json_at(state(), path); }
    // Waits until the state value at `path` equals `want`.
    bool await(const QString &path, const QJsonValue &want, int timeout_ms = kPatienceMs) const
    {
        return wait_until([&] { return at(path) == want; }, timeout_ms);
    }

    QString socket_path() const { return dir_ + "/" + name_; }
    QString ctl_path() const { return socket_path() + ".ctl"; }
    QProcess &process() { return process_; }

private:
    QString dir_;
    QString name_;
    QProcess process_;
};

} // namespace lyntra_test
