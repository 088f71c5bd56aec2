#include "qtlocalpeer.h"

#include "peeridentity.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QtEndian>

namespace {

constexpr int AckWaitMs = 1000;
constexpr int RetryPauseMs = 250;
constexpr qint64 LengthBytes = sizeof(quint32);
const QByteArray Ack = QByteArrayLiteral("ack");
// Set on a connection once it has been answered or given up, so that it is reported once.
const char *const Settled = "lyntraSettled";

void receptionFailed(const QString &why)
{
    qWarning("QtLocalPeer: Message reception failed %s", qPrintable(why));
}

void drop(QLocalSocket *socket, const QString &why)
{
    if (!socket->property(Settled).toBool())
        receptionFailed(why);
    socket->setProperty(Settled, true);
    socket->abort();
    socket->deleteLater();
}

} // namespace

QtLocalPeer::QtLocalPeer(QObject *parent, const QString &appId)
    : QObject(parent), m_id(appId), m_server(new QLocalServer(this))
{
    if (m_id.isEmpty())
        m_id = PeerIdentity::instanceId(QCoreApplication::applicationFilePath());
    m_socketName = PeerIdentity::socketName(m_id, PeerIdentity::sessionSuffix());
    m_socketPath = PeerIdentity::socketPath(m_socketName);
    m_lockFile.setFileName(PeerIdentity::lockFilePath(m_socketName));
    // Failure to open shows up later as a lock that cannot be taken (with its warning).
    if (!m_socketPath.isEmpty())
        m_lockFile.open(QIODevice::ReadWrite);
}

bool QtLocalPeer::isClient()
{
    if (m_lockFile.isLocked())
        return false;
    if (m_socketPath.isEmpty()) {
        qWarning("QtLocalPeer: no private runtime folder, so other copies cannot be found");
        return false;
    }
    if (!m_lockFile.lock(QtLockedFile::WriteLock, false))
        return true;

    // Holding the lock proves no live first instance exists, so a socket file left by one that crashed
    // is stale and would otherwise make listening fail forever.
    QLocalServer::removeServer(m_socketPath);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketPath))
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
        socket.connectToServer(m_socketPath);
        connected = socket.waitForConnected(timeout / 2);
        if (!connected && attempt == 0)
            QThread::msleep(RetryPauseMs); // the first instance may still be starting to listen
    }
    if (!connected) {
        qWarning("QtLocalPeer: the running copy could not be reached (%s)", qPrintable(socket.errorString()));
        return false;
    }

    const QByteArray body = message.toUtf8();
    QDataStream stream(&socket);
    stream.writeBytes(body.constData(), static_cast<uint>(body.size()));
    socket.waitForBytesWritten(timeout);

    QByteArray reply;
    while (reply.size() < Ack.size() && (socket.bytesAvailable() > 0 || socket.waitForReadyRead(timeout)))
        reply += socket.read(Ack.size() - reply.size());
    if (reply != Ack)
        qWarning("QtLocalPeer: the running copy did not answer (%d of %d bytes; %s)", int(reply.size()),
                 int(Ack.size()), qPrintable(socket.errorString()));
    return reply == Ack;
}

void QtLocalPeer::receiveConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        if (findChildren<QLocalSocket *>(QString(), Qt::FindDirectChildrenOnly).size() > MaxConnections)
            drop(socket, QStringLiteral("(too many connections at once)"));
        else
            serve(socket);
    }
}

void QtLocalPeer::serve(QLocalSocket *socket)
{
    socket->setReadBufferSize(LengthBytes + MaxMessageBytes);
    auto *deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, socket,
            [socket] { drop(socket, QStringLiteral("(no whole message in time)")); });
    connect(socket, &QLocalSocket::disconnected, socket, [socket] { drop(socket, socket->errorString()); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, deadline] { readMessage(socket, deadline); });
    deadline->start(ReceiveLimitMs);
    readMessage(socket, deadline); // the message may be there already
}

void QtLocalPeer::readMessage(QLocalSocket *socket, QTimer *deadline)
{
    if (socket->property(Settled).toBool() || socket->bytesAvailable() < LengthBytes)
        return;
    const quint32 length = qFromBigEndian<quint32>(socket->peek(LengthBytes).constData());
    if (length > MaxMessageBytes) {
        drop(socket, QStringLiteral("(a message of %1 bytes is too long)").arg(length));
        return;
    }
    if (socket->bytesAvailable() < LengthBytes + length)
        return;
    socket->read(LengthBytes);
    const QString message = QString::fromUtf8(socket->read(length));
    socket->setProperty(Settled, true);
    socket->write(Ack);
    // Out now, not on the event loop's next turn: the second copy is waiting for these three bytes.
    socket->flush();
    // Closes once the answer is out; the deadline ends a peer that never lets it go.
    socket->disconnectFromServer();
    deadline->start(AckWaitMs);
    emit messageReceived(message);
}
