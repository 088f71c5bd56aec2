// The meeting point of the instances of one program: an inter-process lock decides which instance is
// the first, and the first listens on a local socket for short text messages from the others. Lock and
// socket live in the user's private runtime folder (PeerIdentity::runtimeFolder()).
#pragma once

#include "qtlockedfile.h"

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

// Wire format: a 4-byte big-endian length, then that many bytes of UTF-8 text; the receiver answers
// with the three bytes "ack". Everything runs on the thread that owns the object (the GUI thread). The
// first instance never waits for a peer: messages are read as they arrive, each within a bounded time.
class QtLocalPeer : public QObject {
    Q_OBJECT
public:
    // Messages longer than this are refused: a launcher only ever sends a short line.
    static constexpr quint32 MaxMessageBytes = 64 * 1024;
    // A connection that has not delivered its whole message by then is dropped.
    static constexpr int ReceiveLimitMs = 5000;
    // Connections served at once; more are dropped at once.
    static constexpr int MaxConnections = 8;

    // `parent`: owner, as for any QObject. `appId`: identity of the program; empty means the running
    // executable's path (QCoreApplication must exist). Computes the socket name and opens (creates if
    // needed, never truncates) the lock file in the private runtime folder; nothing is locked yet.
    // Without a private runtime folder there is no lock: every start is a first instance (with a warning).
    explicit QtLocalPeer(QObject *parent = nullptr, const QString &appId = QString());

    // True when another process holds the lock, i.e. this process is a second instance. The first call
    // that finds the lock free takes it for the rest of the process's life and starts listening; a
    // failure to listen is logged and the process still counts as the first instance.
    bool isClient();

    // Hands `message` to the first instance. `timeout`: ms; each of the two connection attempts waits
    // timeout/2, then writing and waiting for the answer take up to `timeout` each. Blocks the calling
    // thread (a second instance, before it has a window). Returns true only when the first instance
    // answered "ack"; false at once when this process is itself the first instance.
    bool sendMessage(const QString &message, int timeout);

    QString socketName() const { return m_socketName; }
    // The full path the first instance listens on; empty without a private runtime folder.
    QString socketPath() const { return m_socketPath; }
    QString lockFileName() const { return m_lockFile.fileName(); }

signals:
    // A message from another instance, after it was acknowledged.
    void messageReceived(const QString &message);

protected slots:
    // Takes the pending connections and serves each as its bytes arrive: one message, answered "ack",
    // then messageReceived. A connection that closes early, stays incomplete for ReceiveLimitMs or
    // announces more than MaxMessageBytes is dropped with a warning and emits nothing.
    void receiveConnection();

private:
    void serve(QLocalSocket *socket);
    void readMessage(QLocalSocket *socket, QTimer *deadline);

    QString m_id;
    QString m_socketName;
    QString m_socketPath;
    QLocalServer *m_server = nullptr;
    QtLockedFile m_lockFile;
};
