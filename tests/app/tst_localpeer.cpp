#include "qtlocalpeer.h"
#include "qtlockedfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray frame(const QByteArray &body)
{
    const quint32 n = static_cast<quint32>(body.size());
    QByteArray out;
    out.append(char(n >> 24)).append(char(n >> 16)).append(char(n >> 8)).append(char(n));
    return out + body;
}

bool waitReadable(int fd, int ms)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

// Returns a listening Unix socket at `path`, or -1.
int listenAt(const QString &path)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= int(sizeof addr.sun_path))
        return -1;
    std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    ::unlink(name.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || ::listen(fd, 4) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    return fd;
}

// A client in its own thread, so that the receiving peer can block the test's thread as it does the GUI.
struct RawClient {
    QByteArray reply;
    std::atomic<bool> done{false};
    std::thread thread;

    void start(const QString &name, const QList<QByteArray> &pieces, int pauseMs, int holdMs)
    {
        thread = std::thread([=] {
            QLocalSocket s;
            s.connectToServer(name);
            if (s.waitForConnected(3000)) {
                for (const QByteArray &piece : pieces) {
                    s.write(piece);
                    s.waitForBytesWritten(1000);
                    QThread::msleep(static_cast<unsigned long>(pauseMs));
                }
                QThread::msleep(static_cast<unsigned long>(holdMs));
                while (reply.size() < 3 && s.waitForReadyRead(pieces.isEmpty() ? 0 : 1500))
                    reply += s.readAll();
            }
            done = true;
        });
    }
    ~RawClient()
    {
        if (thread.joinable())
            thread.join();
    }
};

} // namespace

class TestLocalPeer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        qputenv("TMPDIR", m_tmp.path().toUtf8());
    }

    void receive_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<int>("holdMs"); // connection kept open after the last piece
        QTest::addColumn<bool>("delivered");
        QTest::addColumn<QString>("text");
        const QString utf = QStringLiteral("Grüße ✓\nzwei");
        QTest::newRow("whole frame") << QList<QByteArray>{frame("hello")} << 0 << 0 << true << "hello";
        QTest::newRow("in pieces") << QList<QByteArray>{QByteArray(2, '\0'), QByteArray("\0\5he", 4), "llo"}
                                   << 150 << 0 << true << "hello";
        QTest::newRow("utf-8 text") << QList<QByteArray>{frame(utf.toUtf8())} << 0 << 0 << true << utf;
        QTest::newRow("empty text") << QList<QByteArray>{frame("")} << 0 << 0 << true << "";
        QTest::newRow("connects and closes") << QList<QByteArray>{} << 0 << 0 << false << "";
        QTest::newRow("closes inside length")
            << QList<QByteArray>{QByteArray(2, '\0')} << 0 << 0 << false << "";
        QTest::newRow("closes inside body")
            << QList<QByteArray>{frame("hello").left(6)} << 0 << 0 << false << "";
        QTest::newRow("stalls inside body")
            << QList<QByteArray>{frame("hello").left(6)} << 0 << 2600 << false << "";
        QTest::newRow("too long") << QList<QByteArray>{QByteArray("\xff\xff\xff\xffxyz")} << 0 << 0 << false
                                  << "";
    }
    void receive()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(int, pauseMs);
        QFETCH(int, holdMs);
        QFETCH(bool, delivered);
        QFETCH(QString, text);
        QtLocalPeer peer(nullptr, QStringLiteral("/test/receiver"));
        QVERIFY(!peer.isClient());
        QSignalSpy spy(&peer, &QtLocalPeer::messageReceived);
        if (!delivered)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^QtLocalPeer: Message reception failed"));
        {
            RawClient client;
            client.start(peer.socketName(), pieces, pauseMs, holdMs);
            QTRY_VERIFY_WITH_TIMEOUT(client.done, 10000);
            client.thread.join();
            QCOMPARE(client.reply, delivered ? QByteArray("ack") : QByteArray());
        }
        QCOMPARE(spy.count(), delivered ? 1 : 0);
        if (delivered)
            QCOMPARE(spy.at(0).at(0).toString(), text);

        // Whatever came before, the next sender is still served.
        RawClient next;
        next.start(peer.socketName(), {frame("next")}, 0, 0);
        QTRY_VERIFY_WITH_TIMEOUT(next.done, 5000);
        QCOMPARE(spy.count(), delivered ? 2 : 1);
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("next"));
    }

    // The sender's frame on the wire, and which answers count as acknowledged.
    void send_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("ack") << "Already App is Running!"
                             << QByteArray::fromHex("00000017") + "Already App is Running!"
                             << QByteArray("ack") << true;
        QTest::newRow("utf-8") << QStringLiteral("ä") << QByteArray::fromHex("00000002c3a4")
                               << QByteArray("ack") << true;
        QTest::newRow("empty") << "" << QByteArray::fromHex("00000000") << QByteArray("ack") << true;
        QTest::newRow("other answer")
            << "x" << QByteArray::fromHex("0000000178") << QByteArray("nak") << false;
        QTest::newRow("upper case") << "x" << QByteArray::fromHex("0000000178") << QByteArray("ACK") << false;
        QTest::newRow("short answer")
            << "x" << QByteArray::fromHex("0000000178") << QByteArray("ac") << false;
        QTest::newRow("no answer") << "x" << QByteArray::fromHex("0000000178") << QByteArray() << false;
    }
    void send()
    {
        QFETCH(QString, message);
        QFETCH(QByteArray, wire);
        QFETCH(QByteArray, answer);
        QFETCH(bool, accepted);
        QtLocalPeer peer(nullptr, QStringLiteral("/test/sender"));
        QtLockedFile firstInstance(peer.lockFileName());
        QVERIFY(firstInstance.open(QIODevice::ReadWrite));
        QVERIFY(firstInstance.lock(QtLockedFile::WriteLock, false));

        // A bare POSIX listener: the bytes on the wire are checked without Qt on the other side.
        const int listener = listenAt(QDir::tempPath() + '/' + peer.socketName());
        QVERIFY(listener >= 0);
        QByteArray received;
        std::thread server([&] {
            const int fd = waitReadable(listener, 5000) ? ::accept(listener, nullptr, nullptr) : -1;
            char buf[256];
            ssize_t n = 0;
            while (fd >= 0 && received.size() < wire.size() && waitReadable(fd, 2000) &&
                   (n = ::read(fd, buf, sizeof buf)) > 0)
                received.append(buf, static_cast<int>(n));
            if (fd >= 0) {
                if (!answer.isEmpty() && ::write(fd, answer.constData(), size_t(answer.size())) < 0)
                    received += "<write failed>";
                ::close(fd);
            }
        });
        QElapsedTimer t;
        t.start();
        QCOMPARE(peer.sendMessage(message, 2000), accepted);
        server.join();
        ::close(listener);
        QCOMPARE(received, wire);
        QVERIFY(t.elapsed() < 4000);
    }

    void sendWithoutListener()
    {
        QtLocalPeer peer(nullptr, QStringLiteral("/test/nobody-listens"));
        QtLockedFile firstInstance(peer.lockFileName());
        QVERIFY(firstInstance.open(QIODevice::ReadWrite));
        QVERIFY(firstInstance.lock(QtLockedFile::WriteLock, false));
        QElapsedTimer t;
        t.start();
        QVERIFY(!peer.sendMessage(QStringLiteral("hello"), 400));
        QVERIFY2(t.elapsed() >= 250, "expected a second attempt after a pause");
    }

    void firstInstanceDoesNotSend()
    {
        QtLocalPeer peer(nullptr, QStringLiteral("/test/alone"));
        QVERIFY(!peer.sendMessage(QStringLiteral("hello"), 400));
        QVERIFY(!peer.isClient()); // it took the lock, and keeps it
        QtLocalPeer other(nullptr, QStringLiteral("/test/alone"));
        QVERIFY(other.isClient());
    }

private:
    QTemporaryDir m_tmp;
};

QTEST_GUILESS_MAIN(TestLocalPeer)
#include "tst_localpeer.moc"
