// A small HTTP/1.1 server on the loopback interface for tests of network clients, plain or over TLS with
// the certificate of tests/fixtures/tls (trusted by a client once trustTestCertificate() ran). Each path
// is served whole, stalls for good after some bytes, trickles its body in small pieces, or redirects;
// unknown paths get 404, and a closed server refuses connections. Runs on the creating thread's loop.
#pragma once

#include <QHash>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace lyntra_test {

class HttpTestServer {
public:
    struct Route {
        QByteArray body;
        int stallAfter = -1; // bytes of the body sent before going silent; -1 sends all
        int trickleMs = 0;   // > 0: a fortieth of the body every trickleMs
        QByteArray location; // non-empty: a 302 redirect there instead of the body
        bool announced = true; // false: no Content-Length, the body ends when the connection does
        qint64 claimed = -1;   // >= 0: the Content-Length announced instead of the body's
    };

    explicit HttpTestServer(bool tls = false) : server_(tls)
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *socket = server_.nextPendingConnection()) {
                socket->setParent(&server_);
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
            }
        });
    }

    QString url(const QString &path) const
    {
        return QStringLiteral("%1://127.0.0.1:%2%3").arg(server_.tls ? "https" : "http").arg(server_.serverPort()).arg(path);
    }
    static QString fixture(const char *name)
    {
        return qEnvironmentVariable("LYNTRA_SOURCE_DIR") + "/tests/fixtures/tls/" + name;
    }
    static void trustTestCertificate()
    {
        QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
        trusting.addCaCertificates(fixture("localhost.crt"));
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    void serve(const QString &path, const Route &route) { routes_[path.toUtf8()] = route; }
    void forget(const QString &path) { routes_.remove(path.toUtf8()); }
    int requests(const QString &path) const { return hits_.value(path.toUtf8()); }
    void close() { server_.close(); }

private:
    void read(QTcpSocket *socket)
    {
        QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", request);
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        ++hits_[path];
        const Route route = routes_.value(path);
        const QByteArray status = !routes_.contains(path)     ? "404 Not Found"
                                  : !route.location.isEmpty() ? "302 Found\r\nLocation: " + route.location
                                                              : "200 OK";
        const QByteArray body = route.location.isEmpty() ? route.body : QByteArray();
        const qint64 claimed = route.claimed >= 0 ? route.claimed : body.size();
        const QByteArray length = route.announced ? "\r\nContent-Length: " + QByteArray::number(claimed) : "";
        socket->write("HTTP/1.1 " + status + "\r\nConnection: close" + length + "\r\n\r\n");
        if (route.trickleMs > 0) {
            auto *timer = new QTimer(socket);
            QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent = 0]() mutable {
                sent += int(socket->write(body.mid(sent, qMax(1, body.size() / 40))));
                if (sent >= body.size()) {
                    timer->stop();
                    socket->disconnectFromHost();
                }
            });
            timer->start(route.trickleMs);
        } else if (route.stallAfter >= 0) {
            socket->write(body.left(route.stallAfter));
        } else {
            socket->write(body);
            socket->disconnectFromHost();
        }
    }

    struct Listener : QTcpServer {
        explicit Listener(bool withTls) : tls(withTls) {}
        void incomingConnection(qintptr descriptor) override
        {
            if (!tls)
                return QTcpServer::incomingConnection(descriptor);
            auto *socket = new QSslSocket(this);
            socket->setSocketDescriptor(descriptor);
            socket->setLocalCertificate(fixture("localhost.crt"));
            socket->setPrivateKey(fixture("localhost.key"), QSsl::Ec);
            socket->startServerEncryption();
            addPendingConnection(socket);
        }
        const bool tls;
    };

    Listener server_;
    QHash<QByteArray, Route> routes_;
    QHash<QByteArray, int> hits_;
};

} // namespace lyntra_test
