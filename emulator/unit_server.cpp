#include "unit_server.h"

#include "fault_plan.h"
#include "firmware.h"
#include "trace_log.h"

#include "ixmsgids.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QTimer>

namespace lyntra::fw {
namespace {
constexpr uint32_t kReplySize = ReplyQueue::kReplySize;
}

UnitServer::UnitServer(Firmware &firmware, FaultPlan &faults, TraceLog &trace, QObject *parent)
    : QObject(parent), firmware_(firmware), faults_(faults), trace_(trace)
{
    clock_.start();
}

UnitServer::~UnitServer()
{
    unplug();
}

bool UnitServer::listen(const QString &path, QString *error)
{
    path_ = path;
    return plug(error);
}

bool UnitServer::plug(QString *error)
{
    if (plugged())
        return true;
    QLocalSocket probe;
    probe.connectToServer(path_);
    if (probe.waitForConnected(200)) {
        *error = QStringLiteral("another unit is listening at %1").arg(path_);
        return false;
    }
    QLocalServer::removeServer(path_);
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path_)) {
        *error = server->errorString();
        delete server;
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, &UnitServer::onNewConnection);
    server_ = server;
    return true;
}

void UnitServer::unplug()
{
    for (auto &entry : connections_) {
        if (QLocalSocket *socket = entry.second->socket) {
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
        }
    }
    connections_.clear();
    if (server_) {
        server_->close();
        delete server_;
        server_ = nullptr;
        QFile::remove(path_);
    }
}

bool UnitServer::plugged() const
{
    return server_ != nullptr;
}

void UnitServer::onNewConnection()
{
    while (QLocalSocket *socket = server_ ? server_->nextPendingConnection() : nullptr) {
        auto c = std::make_shared<Connection>();
        c->socket = socket;
        connections_[socket] = std::move(c);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        readFrom(socket);
    }
}

void UnitServer::drop(QLocalSocket *socket)
{
    auto it = connections_.find(socket);
    if (it == connections_.end())
        return;
    connections_.erase(it);
    socket->disconnect(this);
    socket->deleteLater();
}

void UnitServer::readFrom(QLocalSocket *socket)
{
    auto it = connections_.find(socket);
    if (it == connections_.end())
        return;
    const std::shared_ptr<Connection> keep = it->second;
    Connection &c = *keep;
    const QByteArray bytes = socket->readAll();
    c.parser.feed(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    DriverRequest request;
    while (!c.held && c.parser.next(&request)) {
        if (request.status == kFrameOk && faults_.take(FaultKind::Delay)) {
            c.held = true;
            QPointer<QLocalSocket> guard = socket;
            QTimer::singleShot(faults_.delayMs(), this, [this, guard, request] {
                if (!guard)
                    return;
                auto found = connections_.find(guard.data());
                if (found == connections_.end())
                    return;
                const std::shared_ptr<Connection> held = found->second;
                held->held = false;
                serve(*held, request);
                if (connections_.count(guard.data()) == 0)
                    return;
                readFrom(guard.data());
            });
            return;
        }
        serve(c, request);
        if (!c.socket || connections_.count(socket) == 0)
            return;
        if (request.closeAfterAnswer) {
            socket->flush();
            socket->disconnectFromServer();
            return;
        }
    }
}

void UnitServer::fillReply(uint8_t *out, uint32_t *count)
{
    *count = kReplySize;
    if (faults_.take(FaultKind::Short)) {
        std::fill(out, out + kReplySize, uint8_t(0));
        *count = kReplySize - 1;
    } else if (faults_.take(FaultKind::Garbage)) {
        QRandomGenerator *rng = QRandomGenerator::global();
        for (uint32_t i = 0; i < kReplySize; ++i)
            out[i] = static_cast<uint8_t>(rng->bounded(256));
        out[1] = static_cast<uint8_t>(rng->bounded(IXMSG_T_BYTES + 1, 256)); // an invalid item type
    } else if (faults_.take(FaultKind::NotReady)) {
        ReplyQueue().fill(out, 0); // answers stay queued for a later reply
    } else {
        firmware_.setTime(clock_.elapsed() / 1000.0);
        firmware_.nextReply(out, 1);
    }
}

void UnitServer::serve(Connection &c, const DriverRequest &request)
{
    if (request.status != kFrameOk) {
        answer(c, request.status, nullptr, 0);
        return;
    }
    if (faults_.take(FaultKind::Fail)) {
        answer(c, kFrameUnitFault, nullptr, 0);
        return;
    }
    if (!request.in) {
        trace_.record(false, request.message.data(), request.message.size());
        firmware_.setTime(clock_.elapsed() / 1000.0);
        firmware_.apply(request.message.data(), request.message.size());
        answer(c, kFrameOk, nullptr, 0);
        return;
    }
    uint8_t reply[kReplySize];
    uint32_t count = 0;
    fillReply(reply, &count);
    trace_.record(true, reply, count);
    answer(c, kFrameOk, reply, count);
}

void UnitServer::answer(Connection &c, uint32_t status, const uint8_t *bytes, uint32_t count)
{
    if (!c.socket)
        return;
    const std::vector<uint8_t> out = encodeAnswer(status, bytes, count);
    c.socket->write(reinterpret_cast<const char *>(out.data()), qint64(out.size()));
}

} // namespace lyntra::fw
