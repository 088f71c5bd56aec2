// The unit socket: serves driver requests from any number of connections, one frame at a time each.
//
// Lives on the thread of the event loop that drives it; not thread-safe.
#pragma once

#include "driver_frame.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace lyntra::fw {

class Firmware;
class FaultPlan;
class TraceLog;

class UnitServer : public QObject {
    Q_OBJECT
public:
    // Borrows the three collaborators; they must outlive the server.
    UnitServer(Firmware &firmware, FaultPlan &faults, TraceLog &trace, QObject *parent = nullptr);
    ~UnitServer() override;

    // Listens at the full socket path `path`, replacing a stale file but not a live unit. Returns false
    // with `*error` set when that fails.
    bool listen(const QString &path, QString *error);
    // Closes the socket and every connection and removes the file; the state is kept.
    void unplug();
    // Listens again at the last path.
    bool plug(QString *error);
    bool plugged() const;
    QString path() const { return path_; }

private:
    struct Connection {
        QPointer<QLocalSocket> socket;
        FrameParser parser;
        bool held = false; // a delayed answer is outstanding
    };

    void onNewConnection();
    void readFrom(QLocalSocket *socket);
    void serve(Connection &c, const DriverRequest &request);
    void answer(Connection &c, uint32_t status, const uint8_t *bytes, uint32_t count);
    void drop(QLocalSocket *socket);
    void fillReply(uint8_t *out, uint32_t *count);

    Firmware &firmware_;
    FaultPlan &faults_;
    TraceLog &trace_;
    QLocalServer *server_ = nullptr;
    QString path_;
    QElapsedTimer clock_;
    // Shared so that a connection dropped while one of its frames is served outlives that frame.
    std::map<QLocalSocket *, std::shared_ptr<Connection>> connections_;
};

} // namespace lyntra::fw
