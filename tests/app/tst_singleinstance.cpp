// One panel per session and executable: the locked file, the names the instances meet under, the local
// peer's message exchange, and real processes of the probe program finding and reaching each other.
#include "datarow.h"
#include "peeridentity.h"
#include "qtlocalpeer.h"
#include "qtlockedfile.h"
#include "virtualunit.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

using Process = std::unique_ptr<QProcess>;
using lyntra_test::kPatienceMs;

QByteArray frame(const QByteArray &body)
{
    const quint32 n = quint32(body.size());
    return QByteArray(1, char(n >> 24)) + char(n >> 16) + char(n >> 8) + char(n) + body;
}

bool readable(int fd, int ms)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

// A client in its own thread, so that the receiving peer can block the test's thread as it does the GUI.
struct RawClient {
    QByteArray reply;
    std::atomic<bool> done{false};
    std::thread thread;

    void start(const QString &name, const QList<QByteArray> &pieces, int pauseMs, int holdMs,
               bool answered = true)
    {
        thread = std::thread([=] {
            QLocalSocket s;
            s.connectToServer(name);
            if (s.waitForConnected(kPatienceMs)) {
                for (const QByteArray &piece : pieces) {
                    s.write(piece);
                    s.waitForBytesWritten(kPatienceMs);
                    QThread::msleep(static_cast<unsigned long>(pauseMs));
                }
                QThread::msleep(static_cast<unsigned long>(holdMs));
                while (reply.size() < 3 && s.waitForReadyRead(answered ? kPatienceMs : 0))
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

// Reads lines until one starts with `prefix`; returns it, or an empty array when the process ends first.
QByteArray awaitLine(QProcess &p, const QByteArray &prefix)
{
    QDeadlineTimer deadline(kPatienceMs);
    while (!deadline.hasExpired()) {
        while (p.canReadLine()) {
            const QByteArray line = p.readLine().trimmed();
            if (line.startsWith(prefix))
                return line;
        }
        if (p.state() == QProcess::NotRunning)
            return QByteArray();
        p.waitForReadyRead(100);
    }
    return QByteArray();
}

void stop(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.write("quit\n");
    if (!p.waitForFinished(kPatienceMs)) {
        p.kill();
        p.waitForFinished(kPatienceMs);
    }
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_probe = QCoreApplication::applicationDirPath() + QStringLiteral("/lyntra-single-probe");
        QVERIFY2(QFileInfo::exists(m_probe), qPrintable(m_probe));
        // Children inherit these: their lock files and sockets stay in our own directory.
        qputenv("TMPDIR", m_tmp.path().toUtf8());
        qputenv("XDG_SESSION_ID", "5");
    }

    // ---- The names the instances meet under.

    void identity_names_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        row("letters cut to six", "/usr/bin/LYNTRA-Panel", "qtsingleapp-lyntra-23eb-s");
        row("non-ascii letters dropped", "/x/Größe", "qtsingleapp-gre-6de0-s");
        row("no leading zeros", "/opt/lyntra/bin/panel355", "qtsingleapp-panel-52-s");
        row("two hex digits", "/opt/lyntra/bin/panel799", "qtsingleapp-panel-ff-s");
    }
    void identity_names()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(PeerIdentity::checksum("123456789"), quint16(0x906E));
        QCOMPARE(PeerIdentity::checksum(QByteArray()), quint16(0));
        QCOMPARE(PeerIdentity::socketName(PeerIdentity::instanceId(path), QStringLiteral("-s")), name);
    }

    void session_suffix_data()
    {
        QTest::addColumn<QByteArray>("session"); // null: unset
        QTest::addColumn<QString>("suffix");     // empty: the user id
        row("unset", QByteArray(), "");
        row("empty", QByteArray(""), "");
        row("decimal becomes hex", QByteArray("42"), "-2a");
        row("blanks around", QByteArray(" 7 "), "-7");
        row("logind letters", QByteArray("C2"), "-c2");
        row("path characters dropped", QByteArray("../x/1"), "-x1");
        row("nothing usable", QByteArray("///"), "");
    }
    void session_suffix()
    {
        QFETCH(QByteArray, session);
        QFETCH(QString, suffix);
        if (session.isNull())
            qunsetenv("XDG_SESSION_ID");
        else
            qputenv("XDG_SESSION_ID", session);
        const QString got = PeerIdentity::sessionSuffix();
        qputenv("XDG_SESSION_ID", "5");
        QCOMPARE(got, suffix.isEmpty() ? QStringLiteral("-%1").arg(::getuid(), 0, 16) : suffix);
    }

    // ---- The local peer: what the first instance accepts, and what a second one sends.

    void receive_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<int>("holdMs");   // connection kept open after the last piece
        QTest::addColumn<QString>("text"); // null: nothing delivered
        const QString utf = QStringLiteral("Grüße ✓\nzwei");
        row("whole frame", QList<QByteArray>{frame("hello")}, 0, 0, "hello");
        row("in pieces", QList<QByteArray>{QByteArray(2, '\0'), QByteArray("\0\5he", 4), "llo"}, 150, 0,
            "hello");
        row("utf-8 text", QList<QByteArray>{frame(utf.toUtf8())}, 0, 0, utf);
        row("empty text", QList<QByteArray>{frame("")}, 0, 0, "");
        row("connects and closes", QList<QByteArray>{}, 0, 0, QString());
        row("closes inside length", QList<QByteArray>{QByteArray(2, '\0')}, 0, 0, QString());
        row("closes inside body", QList<QByteArray>{frame("hello").left(6)}, 0, 0, QString());
        row("stalls inside body", QList<QByteArray>{frame("hello").left(6)}, 0, 2600, QString());
        row("too long", QList<QByteArray>{QByteArray("\xff\xff\xff\xffxyz")}, 0, 0, QString());
    }
    void receive()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(int, pauseMs);
        QFETCH(int, holdMs);
        QFETCH(QString, text);
        QtLocalPeer peer(nullptr, QStringLiteral("/test/receiver"));
        QVERIFY(!peer.isClient());
        QSignalSpy spy(&peer, &QtLocalPeer::messageReceived);
        if (text.isNull())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^QtLocalPeer: Message reception failed"));
        {
            RawClient client;
            client.start(peer.socketPath(), pieces, pauseMs, holdMs, !text.isNull());
            QVERIFY(lyntra_test::wait_until([&] { return client.done.load(); }));
            client.thread.join();
            QCOMPARE(client.reply, text.isNull() ? QByteArray() : QByteArray("ack"));
        }
        QCOMPARE(spy.count(), text.isNull() ? 0 : 1);
        if (!text.isNull())
            QCOMPARE(spy.at(0).at(0).toString(), text);
        // Whatever came before, the next sender is still served.
        RawClient next;
        next.start(peer.socketPath(), {frame("next")}, 0, 0);
        QVERIFY(lyntra_test::wait_until([&] { return next.done.load(); }));
        QCOMPARE(spy.count(), text.isNull() ? 1 : 2);
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("next"));
    }

    // The sender's frame on the wire, and which answers count as acknowledged.
    void send_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("accepted");
        row("ack", "Already App is Running!", QByteArray::fromHex("00000017") + "Already App is Running!",
            QByteArray("ack"), true);
        row("utf-8", QStringLiteral("ä"), QByteArray::fromHex("00000002c3a4"), QByteArray("ack"), true);
        row("empty", "", QByteArray::fromHex("00000000"), QByteArray("ack"), true);
        row("other answer", "x", QByteArray::fromHex("0000000178"), QByteArray("nak"), false);
        row("upper case", "x", QByteArray::fromHex("0000000178"), QByteArray("ACK"), false);
        row("short answer", "x", QByteArray::fromHex("0000000178"), QByteArray("ac"), false);
        row("no answer", "x", QByteArray::fromHex("0000000178"), QByteArray(), false);
    }
    void send()
    {
        QFETCH(QString, message);
        QFETCH(QByteArray, wire);
        QFETCH(QByteArray, answer);
        QFETCH(bool, accepted);
        QtLocalPeer peer(nullptr, QStringLiteral("/test/sender"));
        QtLockedFile first(peer.lockFileName());
        QVERIFY(first.open(QIODevice::ReadWrite) && first.lock(QtLockedFile::WriteLock, false));
        // A bare POSIX listener: the bytes on the wire are checked without Qt on the other side.
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(peer.socketPath());
        std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
        ::unlink(name.constData());
        const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        QVERIFY(::bind(listener, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0 &&
                ::listen(listener, 4) == 0);
        QByteArray received;
        std::thread server([&] {
            const int fd = readable(listener, kPatienceMs) ? ::accept(listener, nullptr, nullptr) : -1;
            char buf[256];
            ssize_t n = 0;
            while (fd >= 0 && received.size() < wire.size() && readable(fd, kPatienceMs) &&
                   (n = ::read(fd, buf, sizeof buf)) > 0)
                received.append(buf, int(n));
            if (fd >= 0 && !answer.isEmpty() && ::write(fd, answer.constData(), size_t(answer.size())) < 0)
                received += "<write failed>";
            if (fd >= 0)
                ::close(fd);
        });
        QCOMPARE(peer.sendMessage(message, kPatienceMs), accepted);
        server.join();
        ::close(listener);
        QCOMPARE(received, wire);
    }

    // Only this user may talk to the first instance.
    void socket_for_this_user_only()
    {
        QtLocalPeer peer(nullptr, QStringLiteral("/test/private"));
        QVERIFY(!peer.isClient());
        const QFileInfo socket(peer.socketPath());
        QVERIFY(socket.exists());
        const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(socket.permissions() & others, QFile::Permissions());
    }

    // ---- Real processes.

    // A second start hands its message over and exits 0; the first brings its window forward or not.
    void message_reaches_the_first_data()
    {
        QTest::addColumn<int>("initialState");
        QTest::addColumn<QString>("activate");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("finalState");
        QTest::addColumn<int>("active");
        const int min = Qt::WindowMinimized, max = Qt::WindowMaximized;
        const QString usual = QStringLiteral("Already App is Running!");
        row("minimised", min, "1", usual, 0, 1);
        row("minimised and maximised", (min | max), "1", usual, max, 1);
        row("behind another window", 0, "1", usual, 0, 1);
        row("activation off", min, "0", usual, min, 0);
        row("utf-8 text", min, "1", QStringLiteral("Grüße ✓\nzwei"), 0, 1);
    }
    void message_reaches_the_first()
    {
        QFETCH(int, initialState);
        QFETCH(QString, activate);
        QFETCH(QString, message);
        QFETCH(int, finalState);
        QFETCH(int, active);
        Process first = start(message.toUtf8(), activate, initialState);
        QCOMPARE(awaitLine(*first, ""), QByteArray("first"));
        Process second = start(message.toUtf8(), activate);
        QVERIFY(second->waitForFinished(kPatienceMs));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(awaitLine(*first, "message"), "message " + message.toUtf8().toHex());
        first->write("state\n");
        QCOMPARE(awaitLine(*first, "state"),
                 QStringLiteral("state %1 %2").arg(finalState).arg(active).toLatin1());
        stop(*first);
        QCOMPARE(first->exitCode(), 0);
    }

    // A first killed outright leaves its socket file behind; the next first must still be reachable.
    void crashed_first()
    {
        Process crashed = start("", "1");
        QCOMPARE(awaitLine(*crashed, ""), QByteArray("first"));
        crashed->kill();
        QVERIFY(crashed->waitForFinished(kPatienceMs));
        Process first = start("", "1");
        QCOMPARE(awaitLine(*first, ""), QByteArray("first"));
        Process second = start("again", "1");
        QVERIFY(second->waitForFinished(kPatienceMs));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(awaitLine(*first, "message"), "message " + QByteArray("again").toHex());
        stop(*first);
    }

private:
    // A probe process: as the first instance, or as a second one handing `message` over.
    Process start(const QByteArray &message, const QString &activate, int state = 0)
    {
        Process p(new QProcess);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(m_probe, {QString::fromLatin1(message.toHex()), "5000", QString::number(state), activate});
        p->waitForStarted(kPatienceMs);
        return p;
    }
    QTemporaryDir m_tmp;
    QString m_probe;
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
