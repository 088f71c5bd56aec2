#include "qtlocalpeer.h"

#include "peeridentity.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <memory>

namespace {

constexpr int LengthWaitMs = 30000;
constexpr int BodyWaitMs = 2000;
constexpr int AckWaitMs = 1000;
constexpr int RetryPauseMs = 250;
const QByteArray Ack = QByteArrayLiteral("ack");

void receptionFailed(const QString &why)
{
    qWarning("QtLocalPeer: Message reception failed %s", qPrintable(why));
}

} // namespace

QtLocalPeer::QtLocalPeer(QObject *parent, const QString &appId)
    : QObject(parent), m_id(appId), m_server(new QLocalServer(this))
{
    if (m_id.isEmpty())
        m_id = PeerIdentity::instanceId(QCoreApplication::applicationFilePath());
    m_socketName = PeerIdentity::socketName(m_id, PeerIdentity::sessionSuffix());
    m_lockFile.setFileName(PeerIdentity::lockFilePath(m_socketName));
    // Failure to open shows up later as a lock that cannot be taken (with its warning).
    m_lockFile.open(QIODevice::ReadWrite);
}

bool QtLocalPeer::isClient()
{
    if (m_lockFile.isLocked())
        return false;
    if (!m_lockFile.lock(QtLockedFile::WriteLock, false))
        return true;

    // Holding the lock proves no live first instance exists, so a socket file left by one that crashed
    // is stale and would otherwise make listening fail forever.
    QLocalServer::removeServer(m_socketName);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketName))
        qWarning("QtSingleCoreApplication: listen on local socket failed, %s",
                 qPrintable(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, &QtLocalPeer::receiveConnection,
            Qt::UniqueConnection);
    return false;
}

bool QtLocalPeer::sendMessage(const QString &message, int timeout)
{
    if (!isClient())
        return false;

    QLocalSocket socket;
    bool connected = false;
    for (int attempt = 0; attempt < 2 && !connected; ++attempt) {
        socket.abort(); // a timed-out attempt may still be pending
        socket.connectToServer(m_socketName);
        connected = socket.waitForConnected(timeout / 2);
        if (!connected && attempt == 0)
            QThread::msleep(RetryPauseMs); // the first instance may still be starting to listen
    }
    if (!connected)
        return false;

    const QByteArray body = message.toUtf8();
    QDataStream stream(&socket);
    stream.writeBytes(body.constData(), static_cast<uint>(body.size()));
    socket.waitForBytesWritten(timeout);

    QByteArray reply;
    while (reply.size() < Ack.size() && (socket.bytesAvailable() > 0 || socket.waitForReadyRead(timeout)))
        reply += socket.read(Ack.size() - reply.size());
    return reply == Ack;
}

void QtLocalPeer::receiveConnection()
{
    std::unique_ptr<QLocalSocket> socket(m_server->nextPendingConnection());
    if (!socket)
        return;

    // waitForReadyRead also ends when the peer is gone, so a peer that closes early cannot hold us here.
    while (socket->bytesAvailable() < static_cast<qint64>(sizeof(quint32))) {
        if (!socket->waitForReadyRead(LengthWaitMs)) {
            receptionFailed(socket->errorString());
            return;
        }
    }

    QDataStream stream(socket.get());
    quint32 remaining = 0;
    stream >> remaining;
    if (remaining > MaxMessageBytes) {
        receptionFailed(QStringLiteral("message of %1 bytes is too long").arg(remaining));
        return;
    }

    QByteArray body(static_cast<int>(remaining), Qt::Uninitialized);
    char *end = body.data();
    qint64 got = 0;
    do {
        got = socket->read(end, remaining);
        if (got > 0) {
            end += got;
            remaining -= static_cast<quint32>(got);
        }
    } while (remaining > 0 && got >= 0 && socket->waitForReadyRead(BodyWaitMs));

    if (got < 0) {
        receptionFailed(socket->errorString());
        return;
    }
    // A half message is not what the sender meant; leaving it unacknowledged lets the sender know.
    if (remaining > 0) {
        receptionFailed(QStringLiteral("after %1 of %2 bytes")
                            .arg(body.size() - static_cast<int>(remaining))
                            .arg(body.size()));
        return;
    }

    const QString message = QString::fromUtf8(body);
    socket->write(Ack);
    socket->waitForBytesWritten(AckWaitMs);
    if (socket->state() != QLocalSocket::UnconnectedState)
        socket->waitForDisconnected(AckWaitMs);
    socket.reset();
    emit messageReceived(message);
}
