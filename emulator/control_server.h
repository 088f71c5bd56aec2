// The control socket: line-based commands (ControlCommands) from any number of clients.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace lyntra::fw {

class ControlCommands;

class ControlServer : public QObject {
    Q_OBJECT
public:
    // A line longer than this ends the connection after an error answer.
    static constexpr int kMaxLine = 65536;

    // Borrows `commands`, which must outlive the server. Event-loop thread only.
    explicit ControlServer(ControlCommands &commands, QObject *parent = nullptr);
    ~ControlServer() override;

    // Listens at `path` (replacing a stale file). Returns false with `*error` set on failure.
    bool listen(const QString &path, QString *error);
    // Stops listening and removes the socket file.
    void close();

private:
    void onNewConnection();
    void readFrom(QLocalSocket *socket);

    ControlCommands &commands_;
    QLocalServer *server_ = nullptr;
    QString path_;
};

} // namespace lyntra::fw
