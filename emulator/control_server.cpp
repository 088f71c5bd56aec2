#include "control_server.h"

#include "control_commands.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

namespace lyntra::fw {

ControlServer::ControlServer(ControlCommands &commands, QObject *parent)
    : QObject(parent), commands_(commands)
{}

ControlServer::~ControlServer()
{
    close();
}

bool ControlServer::listen(const QString &path, QString *error)
{
    path_ = path;
    QLocalServer::removeServer(path);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path)) {
        *error = server_->errorString();
        delete server_;
        server_ = nullptr;
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &ControlServer::onNewConnection);
    return true;
}

void ControlServer::close()
{
    if (!server_)
        return;
    server_->close();
    delete server_;
    server_ = nullptr;
    QFile::remove(path_);
}

void ControlServer::onNewConnection()
{
    while (QLocalSocket *socket = server_ ? server_->nextPendingConnection() : nullptr) {
        socket->setParent(this);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readFrom(socket);
    }
}

void ControlServer::readFrom(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(kMaxLine + 1);
        if (!line.endsWith('\n')) {
            socket->write("{\"error\":\"line too long\"}\n");
            socket->disconnectFromServer();
            return;
        }
        socket->write(commands_.handle(QString::fromUtf8(line.chopped(1))) + '\n');
    }
    if (socket->bytesAvailable() > kMaxLine) {
        socket->write("{\"error\":\"line too long\"}\n");
        socket->disconnectFromServer();
    }
}

} // namespace lyntra::fw
