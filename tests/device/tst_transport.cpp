// The transport: finding the unit, and messages to and from the real virtual unit (which checks each
// request block as the driver would), including the failures a unit can show (failed requests, short
// and late answers, hang-ups).
#include "datarow.h"
#include "devifsocket.h"
#include "hexbytes.h"
#include "ixctl.h"
#include "qixwire.h"
#include "virtualunit.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using lyntra_test::VirtualUnit;

namespace {

// A Unix socket file at `path`: listening (returns its descriptor), or bound and closed (returns 0).
// Bound from inside its folder, so a path too long for a socket address gets one too.
int make_socket(const QString &path, bool listen)
{
    const QFileInfo where(path);
    const QString back = QDir::currentPath();
    if (!QDir().mkpath(where.path()) || !QDir::setCurrent(where.path()))
        return -1;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray native = where.fileName().toLocal8Bit();
    std::memcpy(addr.sun_path, native.constData(), size_t(native.size()) + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    QDir::setCurrent(back);
    if (!bound)
        return -1;
    if (!listen) {
        ::close(fd);
        return 0;
    }
    ::listen(fd, 64);
    return fd;
}

bool readable(int fd, int timeoutMs = 5000)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0;
}

// The unit at `path`, on a kept connection when given one.
devif_device device_at(const QString &path, devif_socket_link *link = nullptr)
{
    devif_device dev{};
    std::strncpy(dev.path, path.toLocal8Bit().constData(), sizeof dev.path - 1);
    dev.link = link;
    return dev;
}

// A reply buffer filled with 0xEE beforehand, to show what a read wrote into it.
struct Inbox {
    uint8_t data[IXMSG_CAPACITY];
    ixmsg_buf buf{data, IXMSG_CAPACITY, 0};
    Inbox() { std::memset(data, 0xEE, sizeof data); }
    QByteArray first64() const { return QByteArray(reinterpret_cast<const char *>(data), 64); }
};
const QByteArray kUntouched(64, char(0xEE));

int send(const devif_device &dev, QByteArray bytes, int position = -1)
{
    ixmsg_buf msg{reinterpret_cast<uint8_t *>(bytes.data()), 255,
                  uint8_t(position < 0 ? bytes.size() : position)};
    return ixctl_send_msg(&dev, &msg);
}

} // namespace

class TestTransport : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        qunsetenv("LYNTRA_UNIT");
    }

    void discovery_data()
    {
        // entries: "name=live|stale|file"; "-" for no discovery directory. unit: LYNTRA_UNIT, "@name" for
        // that entry's full path.
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("found");
        row("no directory", "-", "virtual", "");
        row("only a control socket", "lyntra0.ctl=live", "virtual", "");
        row("one unit", "lyntra0=live,lyntra0.ctl=live", "virtual", "lyntra0");
        row("two units: last by name", "b=live,a=live", "virtual", "b");
        row("stale after a live one", "a=live,b=stale", "virtual", "a");
        row("plain file is no unit", "a=live,z=file", "virtual", "a");
        row("unset: falls back to virtual", "lyntra0=live", "", "lyntra0");
        row("named socket, not the last", "a=live,b=live", "@a", "a");
        row("named stale socket", "a=stale,b=live", "@a", "");
        row("named missing socket", "a=live", "@nothing", "");
        const QString deep = QString(60, 'd') + '/' + QString(60, 'd') + "/b";
        row("named path too long for a socket", "a=live," + deep + "=live", "@" + deep, "");
        row("usb only ignores virtual units", "a=live", "usb", "");
    }
    void discovery()
    {
        QFETCH(QString, entries);
        QFETCH(QString, unit);
        QFETCH(QString, found);
        const QString dir = m_runtime.filePath("ixdev");
        QDir(dir).removeRecursively();
        std::vector<int> fds;
        if (entries != "-") {
            QVERIFY(QDir().mkpath(dir));
            for (const QString &entry : entries.split(',', Qt::SkipEmptyParts)) {
                const QString path = dir + '/' + entry.section('=', 0, 0), kind = entry.section('=', 1);
                if (kind == "file")
                    QVERIFY(QFile(path).open(QIODevice::WriteOnly));
                else
                    fds.push_back(make_socket(path, kind == "live"));
                QVERIFY(fds.empty() || fds.back() >= 0);
            }
        }
        qputenv("LYNTRA_UNIT", (unit.startsWith('@') ? dir + '/' + unit.mid(1) : unit).toLocal8Bit());
        devif_device record;
        std::memset(&record, 'x', sizeof record);
        devif_device *selected = &record;
        const int result = ixctl_select(&record, &selected);
        for (int fd : fds)
            if (fd > 0)
                ::close(fd);
        QCOMPARE(result, found.isEmpty() ? 1 : 0);
        QCOMPARE(selected, found.isEmpty() ? nullptr : &record);
        QCOMPARE(QString::fromLocal8Bit(record.path), found.isEmpty() ? QString() : dir + '/' + found);
    }

    void discovery_directory()
    {
        char dir[260];
        QVERIFY(devif_socket_dir("ixdev", dir, sizeof dir));
        QCOMPARE(QString::fromLocal8Bit(dir), m_runtime.filePath("ixdev"));
        // Exactly the path's length leaves no room for its end.
        const size_t length = std::strlen(dir);
        QVERIFY(!devif_socket_dir("ixdev", dir, length) && devif_socket_dir("ixdev", dir, length + 1));
        qunsetenv("XDG_RUNTIME_DIR");
        QVERIFY(devif_socket_dir("ixdev", dir, sizeof dir));
        QCOMPARE(QString::fromLocal8Bit(dir), QStringLiteral("/tmp/ixdev-%1").arg(::getuid()));
        QVERIFY(!devif_socket_dir("ixdev", dir, 8));
        QCOMPARE(dir[0], '\0');
    }

    // Without XDG_RUNTIME_DIR, the folder in /tmp is looked in only when it is this user's own and
    // closed to everyone else.
    void fallback_directory_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("found");
        row("private", "private", true);
        row("others may enter", "open", false);
        row("another user's", "other user", false);
        row("a link to a private folder", "link", false);
    }
    void fallback_directory()
    {
        QFETCH(QString, kind);
        QFETCH(bool, found);
        const QString dir = QStringLiteral("/tmp/ixdev-%1").arg(::getuid());
        if (QFileInfo(dir).exists() || QFileInfo(dir).isSymLink() || (kind == "other user" && ::geteuid() != 0))
            QSKIP("the folder is in use, or files of another user cannot be made without root");
        QTemporaryDir elsewhere;
        const QString real = kind == "link" ? elsewhere.filePath("ixdev") : dir;
        const auto cleanup = qScopeGuard([&] {
            QFile::remove(dir);
            QDir(real).removeRecursively();
        });
        QVERIFY(QDir().mkpath(real) && ::chmod(QFile::encodeName(real).constData(), kind == "open" ? 0755 : 0700) == 0);
        QVERIFY(kind != "link" || QFile::link(real, dir));
        QVERIFY(kind != "other user" || ::chown(QFile::encodeName(real).constData(), 4242, 4242) == 0);
        const int fd = make_socket(real + "/lyntra0", true);
        QVERIFY(fd > 0);
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("LYNTRA_UNIT", "virtual");
        devif_device record{}, *selected = nullptr;
        QCOMPARE(ixctl_select(&record, &selected), found ? 0 : 1);
        ::close(fd);
    }

    // A failed send is tried ten times in all; a read is tried once.
    void failed_requests_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("left");
        row("first time", 0, 0, 0);
        row("nine failures", 9, 0, 0);
        row("ten failures", 10, 1, 0);
        row("twelve failures", 12, 1, 2);
    }
    void failed_requests()
    {
        QFETCH(int, failures);
        QFETCH(int, result);
        QFETCH(int, left);
        VirtualUnit unit;
        QVERIFY(unit.start());
        const devif_device dev = device_at(unit.socket_path());
        QCOMPARE(unit.control("fault fail " + QByteArray::number(failures))["ok"].toBool(), true);
        QCOMPARE(send(dev, hexBytes("A2 01")), result);
        QCOMPARE(unit.state()["store_count"].toInt(), 1 - result);
        QCOMPARE(unit.control("status")["faults"].toObject()["fail"].toInt(), left);

        QCOMPARE(unit.control("fault fail " + QByteArray::number(left + 1))["ok"].toBool(), true);
        Inbox in;
        QCOMPARE(ixctl_recv_msg(&dev, &in.buf), 1);
        QCOMPARE(unit.control("status")["faults"].toObject()["fail"].toInt(), left);
        QCOMPARE(in.first64(), kUntouched);
    }

    // A read that does not bring exactly 64 bytes fails and leaves the caller's bytes alone.
    void spoilt_reads_data()
    {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<bool>("ok");
        row("63 of 64 bytes", QByteArray("short 1"), false);
        row("garbage is still 64 bytes", QByteArray("garbage 1"), true);
        row("not ready", QByteArray("notready 1"), true);
    }
    void spoilt_reads()
    {
        QFETCH(QByteArray, fault);
        QFETCH(bool, ok);
        VirtualUnit unit;
        QVERIFY(unit.start());
        // On a kept connection, so that what is left of a spoilt answer cannot pass for the next one.
        devif_socket_link link;
        const devif_device dev = device_at(unit.socket_path(), &link);
        QCOMPARE(send(dev, hexBytes("18 01")), 0); // the rate, please
        QCOMPARE(unit.control("fault " + fault)["ok"].toBool(), true);
        Inbox in;
        in.buf.position = 9;
        QCOMPARE(ixctl_recv_msg(&dev, &in.buf), ok ? 0 : 1);
        QCOMPARE(int(in.buf.position), 0);
        QCOMPARE(in.first64() == kUntouched, !ok);
        QCOMPARE(link.fd.load() < 0, !ok); // a spoilt exchange's connection is never used again
        // Nothing the unit had to say was spent on the spoilt read.
        QCOMPARE(ixctl_recv_msg(&dev, &in.buf), 0);
        QCOMPARE(describe(in.first64()), QStringLiteral("24=48000 161=1"));
    }

    // A kept connection carries request after request; a unit started anew on its socket is reached
    // on a new connection without a failure, and one that went away fails the request.
    void kept_connection()
    {
        auto unit = std::make_unique<VirtualUnit>();
        QVERIFY(unit->start());
        devif_socket_link link;
        const devif_device dev = device_at(unit->socket_path(), &link);
        const auto connection = [&link] {
            struct stat info {};
            return link.fd >= 0 && ::fstat(link.fd, &info) == 0 ? info.st_ino : ino_t(0);
        };
        Inbox in;
        QCOMPARE(send(dev, hexBytes("A2 01")), 0);
        const ino_t first = connection();
        QVERIFY(first != 0);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(ixctl_recv_msg(&dev, &in.buf), 0);
            QCOMPARE(send(dev, hexBytes("A2 01")), 0);
        }
        QCOMPARE(connection(), first);
        QCOMPARE(unit->state()["store_count"].toInt(), 4);

        QVERIFY(unit->stop());
        unit = std::make_unique<VirtualUnit>();
        QVERIFY(unit->start());
        // A read first: a send's own attempts would hide a failed exchange.
        QCOMPARE(ixctl_recv_msg(&dev, &in.buf), 0);
        QVERIFY(connection() != first);
        QCOMPARE(send(dev, hexBytes("A2 01")), 0);
        QCOMPARE(unit->state()["store_count"].toInt(), 1);

        QCOMPARE(unit->control("unplug")["ok"].toBool(), true);
        QCOMPARE(ixctl_recv_msg(&dev, &in.buf), 1);
        QCOMPARE(send(dev, hexBytes("A2 01")), 1);
        QCOMPARE(link.fd.load(), -1);
    }

    // What cannot be sent is refused at once and never reaches the unit.
    void refused_without_io()
    {
        VirtualUnit unit;
        QVERIFY(unit.start());
        const devif_device dev = device_at(unit.socket_path());
        QCOMPARE(send(dev, QByteArray(65, '\x31')), 1);
        QCOMPARE(send(dev, QByteArray(4, '\x31'), 0), 1);
        const devif_device empty{};
        uint8_t data[64] = {};
        QCOMPARE(devif_control_in(&empty, IXCTL_REQUEST_IN, 0, 0, 64, data), 1);
        QCOMPARE(unit.control("trace")["trace"].toArray().size(), 0);
    }

    // A unit that hangs up before or in the middle of its answer, or never answers, costs a failure:
    // never a hung worker, never a reply made of what did arrive.
    void hang_up_and_silence_data()
    {
        QTest::addColumn<QByteArray>("answer"); // what the unit sends before hanging up
        row("nothing", QByteArray());
        row("half a header", QByteArray(4, '\0'));
        row("10 of 64 bytes", hexBytes("00000000 40000000") + QByteArray(10, '\x31'));
    }
    void hang_up_and_silence()
    {
        QFETCH(QByteArray, answer);
        const auto listening = [this](const char *name) {
            QFile::remove(m_runtime.filePath(name));
            return make_socket(m_runtime.filePath(name), true);
        };
        const int listener = listening("hangup");
        QVERIFY(listener > 0);
        std::atomic<bool> done{false};
        std::thread unit([&] {
            while (!done) {
                if (!readable(listener, 20))
                    continue;
                const int fd = ::accept(listener, nullptr, nullptr);
                char request[256];
                if (readable(fd) && ::recv(fd, request, sizeof request, 0) > 0 && !answer.isEmpty())
                    ::send(fd, answer.constData(), size_t(answer.size()), MSG_NOSIGNAL);
                ::close(fd);
            }
        });
        const devif_device dev = device_at(m_runtime.filePath("hangup"));
        Inbox in;
        QCOMPARE(send(dev, hexBytes("A2 01")), 1);
        QCOMPARE(ixctl_recv_msg(&dev, &in.buf), 1);
        QCOMPARE(in.first64(), kUntouched);
        done = true;
        unit.join();
        ::close(listener);

        if (!answer.isEmpty())
            return;
        const int silent = listening("quiet"); // listens, never accepts
        QVERIFY(silent > 0);
        const devif_device never = device_at(m_runtime.filePath("quiet"));
        QCOMPARE(ixctl_recv_msg(&never, &in.buf), 1);
        // Its backlog full, connecting would wait for ever without the send timeout.
        sockaddr_un addr{AF_UNIX, {}};
        std::strcpy(addr.sun_path, never.path);
        const int queued = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(queued, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
        QVERIFY(::listen(silent, 0) == 0);
        QCOMPARE(ixctl_recv_msg(&never, &in.buf), 1);
        ::close(queued);
        ::close(silent);
    }

private:
    QTemporaryDir m_runtime;
};

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
