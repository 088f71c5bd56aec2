// The meeting point of the instances of one program: an inter-process lock decides which instance is
// the first, and the first listens on a local socket for short text messages from the others.
#pragma once

#include "qtlockedfile.h"

#include <QObject>
#include <QString>

class QLocalServer;

// Wire format: a 4-byte big-endian length, then that many bytes of UTF-8 text; the receiver answers
// with the three bytes "ack". Everything runs on the thread that owns the object (the GUI thread), and
// the blocking calls below block that thread for at most the time-outs they name.
class QtLocalPeer : public QObject {
    Q_OBJECT
public:
    // Messages longer than this are refused: a launcher only ever sends a short line.
    static constexpr quint32 MaxMessageBytes = 1024 * 1024;

    // `parent`: owner, as for any QObject. `appId`: identity of the program; empty means the running
    // executable's path (QCoreApplication must exist). Computes the socket name and opens (creates if
    // needed, never truncates) the lock file in the temporary directory; nothing is locked yet.
    explicit QtLocalPeer(QObject *parent = nullptr, const QString &appId = QString());

    // True when another process holds the lock, i.e. this process is a second instance. The first call
    // that finds the lock free takes it for the rest of the process's life and starts listening; a
    // failure to listen is logged and the process still counts as the first instance.
    bool isClient();

    // Hands `message` to the first instance. `timeout`: ms; each of the two connection attempts waits
    // timeout/2, then writing and waiting for the answer take up to `timeout` each. Blocks the calling
    // thread. Returns true only when the first instance answered "ack"; false at once when this process
    // is itself the first instance.
    bool sendMessage(const QString &message, int timeout);

    QString applicationId() const { return m_id; }
    QString socketName() const { return m_socketName; }
    QString lockFileName() const { return m_lockFile.fileName(); }

signals:
    // A message from another instance, after it was acknowledged.
    void messageReceived(const QString &message);

protected slots:
    // Serves one pending connection: reads one message, answers "ack", emits messageReceived. A
    // connection that closes, stalls for 30 s before the length or 2 s inside the body, or announces more
    // than MaxMessageBytes is dropped with a warning and emits nothing.
    void receiveConnection();

private:
    QString m_id;
    QString m_socketName;
    QLocalServer *m_server = nullptr;
    QtLockedFile m_lockFile;
};
