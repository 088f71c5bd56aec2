// Finding the unit: the discovery directory, stale and control sockets, LYNTRA_UNIT, and USB without
// hardware.
#include "devif_socket.h"
#include "devif_usb.h"
#include "ixctl.h"
#include "stdoutcapture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A Unix socket file at `path`: listening, or bound and closed (left behind by a dead unit).
int makeSocket(const QString &path, bool listen)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray native = path.toLocal8Bit();
    std::memcpy(addr.sun_path, native.constData(), size_t(native.size()) + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0)
        return -1;
    if (!listen) {
        ::close(fd);
        return 0;
    }
    ::listen(fd, 64);
    return fd;
}

int failingInit(libusb_context **)
{
    return -99; // LIBUSB_ERROR_OTHER
}

} // namespace

class TstDiscovery : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void virtualUnits_data();
    void virtualUnits();
    void discoveryDir_data();
    void discoveryDir();
    void selectRecord();
    void usbNothingPlugged();
    void usbStartFailure();

private:
    std::unique_ptr<QTemporaryDir> m_runtime;
    QVector<int> m_fds;
};

void TstDiscovery::init()
{
    m_runtime = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtime->isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime->path().toLocal8Bit());
    qunsetenv("LYNTRA_UNIT");
}

void TstDiscovery::cleanup()
{
    for (int fd : m_fds)
        ::close(fd);
    m_fds.clear();
    m_runtime.reset();
    qunsetenv("LYNTRA_UNIT");
}

void TstDiscovery::virtualUnits_data()
{
    // entries: "name=live|stale|file", comma separated; "-" means no discovery directory at all.
    // unit: LYNTRA_UNIT, with "@name" standing for that entry's full path.
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("expected"); // entry name, or empty for not found
    QTest::newRow("no directory") << "-"
                                  << "virtual"
                                  << "";
    QTest::newRow("empty directory") << ""
                                     << "virtual"
                                     << "";
    QTest::newRow("only a control socket") << "lyntra0.ctl=live"
                                           << "virtual"
                                           << "";
    QTest::newRow("one unit") << "lyntra0=live,lyntra0.ctl=live"
                              << "virtual"
                              << "lyntra0";
    QTest::newRow("two units: last by name") << "b=live,a=live"
                                             << "virtual"
                                             << "b";
    QTest::newRow("stale socket") << "lyntra0=stale"
                                  << "virtual"
                                  << "";
    QTest::newRow("stale after a live one") << "a=live,b=stale"
                                            << "virtual"
                                            << "a";
    QTest::newRow("plain file is no unit") << "a=live,z=file"
                                           << "virtual"
                                           << "a";
    QTest::newRow("unset: falls back to virtual") << "lyntra0=live"
                                                  << ""
                                                  << "lyntra0";
    QTest::newRow("named socket, not the last") << "a=live,b=live"
                                                << "@a"
                                                << "a";
    QTest::newRow("named socket outside discovery") << "-"
                                                    << "@elsewhere"
                                                    << "elsewhere";
    QTest::newRow("named stale socket") << "a=stale,b=live"
                                        << "@a"
                                        << "";
    QTest::newRow("named missing socket") << "a=live"
                                          << "@nothing"
                                          << "";
    QTest::newRow("usb only ignores virtual units") << "a=live"
                                                    << "usb"
                                                    << "";
}

void TstDiscovery::virtualUnits()
{
    QFETCH(QString, entries);
    QFETCH(QString, unit);
    QFETCH(QString, expected);

    const QString dir = m_runtime->filePath("ixdev");
    if (entries != "-") {
        QVERIFY(QDir().mkpath(dir));
        for (const QString &entry : entries.split(',', Qt::SkipEmptyParts)) {
            const QString name = entry.section('=', 0, 0);
            const QString kind = entry.section('=', 1);
            const QString path = dir + '/' + name;
            if (kind == "file") {
                QFile f(path);
                QVERIFY(f.open(QIODevice::WriteOnly));
            } else {
                const int fd = makeSocket(path, kind == "live");
                QVERIFY(fd >= 0);
                if (fd > 0)
                    m_fds << fd;
            }
        }
    }
    if (unit == "@elsewhere") {
        const int fd = makeSocket(m_runtime->filePath("elsewhere"), true);
        QVERIFY(fd > 0);
        m_fds << fd;
    }
    QString expectedPath;
    if (!expected.isEmpty())
        expectedPath = (unit == "@elsewhere" ? m_runtime->path() : dir) + '/' + expected;
    if (unit.startsWith('@'))
        unit = (unit == "@elsewhere" ? m_runtime->path() : dir) + '/' + unit.mid(1);
    qputenv("LYNTRA_UNIT", unit.toLocal8Bit());

    char path[DEVIF_PATH_CAPACITY];
    std::memset(path, 'x', sizeof path);
    const bool found = devif_find_device(DEVIF_MATCH_KEY, path, sizeof path);
    QCOMPARE(found, !expected.isEmpty());
    QCOMPARE(QString::fromLocal8Bit(path), expectedPath);
}

void TstDiscovery::discoveryDir_data()
{
    QTest::addColumn<bool>("runtimeSet");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("expected"); // "$R" is the runtime directory, "$U" the user id
    QTest::newRow("runtime directory") << true << 260 << "$R/ixdev";
    QTest::newRow("no runtime directory") << false << 260 << "/tmp/ixdev-$U";
    QTest::newRow("does not fit") << false << 8 << "";
}

void TstDiscovery::discoveryDir()
{
    QFETCH(bool, runtimeSet);
    QFETCH(int, capacity);
    QFETCH(QString, expected);
    if (!runtimeSet)
        qunsetenv("XDG_RUNTIME_DIR");
    expected.replace("$R", m_runtime->path()).replace("$U", QString::number(::getuid()));
    char dir[260];
    QCOMPARE(devif_socket_dir("ixdev", dir, size_t(capacity)), !expected.isEmpty());
    QCOMPARE(QString::fromLocal8Bit(dir), expected);
}

void TstDiscovery::selectRecord()
{
    devif_device record;
    std::memset(&record, 'x', sizeof record);
    devif_device *selected = &record;
    qputenv("LYNTRA_UNIT", "virtual");
    QCOMPARE(ixctl_select(&record, &selected), 1);
    QCOMPARE(selected, nullptr);
    QCOMPARE(record.path[0], '\0');

    QVERIFY(QDir().mkpath(m_runtime->filePath("ixdev")));
    const int fd = makeSocket(m_runtime->filePath("ixdev/lyntra0"), true);
    QVERIFY(fd > 0);
    m_fds << fd;
    QCOMPARE(ixctl_select(&record, &selected), 0);
    QCOMPARE(selected, &record);
    QCOMPARE(QString::fromLocal8Bit(record.path), m_runtime->filePath("ixdev/lyntra0"));
}

void TstDiscovery::usbNothingPlugged()
{
    qputenv("LYNTRA_UNIT", "usb");
    char path[DEVIF_PATH_CAPACITY] = "junk";
    QVERIFY(!devif_find_device(DEVIF_MATCH_KEY, path, sizeof path));
    QCOMPARE(path[0], '\0');

    // A unit that was selected and is gone fails its requests cleanly.
    devif_device gone{};
    std::strcpy(gone.path, "usb:1:2");
    uint8_t data[64] = {};
    StdoutCapture out;
    const int sent = devif_control_out(&gone, IXCTL_REQUEST_OUT, 0, 0, 2, data);
    const int read = devif_control_in(&gone, IXCTL_REQUEST_IN, 0, 0, 64, data);
    const QByteArray text = out.text();
    QCOMPARE(sent, 1);
    QCOMPARE(read, 1);
    QVERIFY(text.count(":ERROR") >= 2);
}

void TstDiscovery::usbStartFailure()
{
    devif_usb_set_init(&failingInit);
    char path[DEVIF_PATH_CAPACITY] = "junk";
    devif_device unit{};
    std::strcpy(unit.path, "usb:1:2");
    uint8_t data[64] = {};
    StdoutCapture out;
    const bool found = devif_usb_find(path, sizeof path);
    const int sent = devif_control_out(&unit, IXCTL_REQUEST_OUT, 0, 0, 2, data);
    const QByteArray text = out.text();
    devif_usb_set_init(nullptr);
    QVERIFY(!found);
    QCOMPARE(path[0], '\0');
    QCOMPARE(sent, 1);
    QVERIFY2(text.contains("LIBUSB_ERROR_OTHER"), text.constData());
}

QTEST_GUILESS_MAIN(TstDiscovery)
#include "tst_discovery.moc"
