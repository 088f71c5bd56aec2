// The real panel against the real virtual unit, driven by liblo's own command-line clients: oscsend
// sets a fader in dB, a mute on a linked pair, an EQ band, the reverb type and loads a scene; each
// reaches the unit and the settings file, and oscdump, subscribed, hears every change.
#include "paneltestrig.h"
#include "settings.h"
#include "storedmix.h"

#include <QStandardPaths>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace lyntra_test;

namespace {

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

// One message with oscsend: "f -3", "i 1", "s ROOM" after the address.
bool oscsend(int port, const QString &path, const QStringList &typeAndValue = {})
{
    QProcess tool;
    tool.start(QStringLiteral("oscsend"), QStringList{"127.0.0.1", QString::number(port), path} + typeAndValue);
    return tool.waitForFinished(kPatienceMs) && tool.exitCode() == 0;
}

} // namespace

class TestRemoteE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char *tool : {"oscsend", "oscdump"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                     "liblo-tools (scripts/install-deps.sh)");
        QVERIFY(VirtualUnit::available());
        QVERIFY(tmp_.isValid());
        qputenv("TMPDIR", tmp_.path().toUtf8());
        qputenv("LYNTRA_UNIT", "virtual");
    }

    void oscsendReachesTheUnitTheStoreAndSubscribers()
    {
        // Scene 3 holds the tests' stored mix; the main file only turns the remote control on.
        const QString folder = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/AVENOR/";
        QVERIFY(writeStoredMix());
        QVERIFY(QFile::rename(folder + "DUOMIX_Setting.ini", folder + "DUOMIX_sm3.ini"));
        const int port = freePort();
        {
            Settings s;
            s.setValue(settings::key::InformationDialog, true);
            s.setValue(settings::key::OscEnabled, true);
            s.setValue(settings::key::OscPort, port);
            s.sync();
        }
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        Panel panel;
        QVERIFY(panel.start());
        QVERIFY(panel.awaitMarker("unit set up"));

        const int listen = freePort();
        QProcess dump;
        dump.start(QStringLiteral("oscdump"), {"-L", QString::number(listen)});
        QVERIFY(dump.waitForStarted(kPatienceMs));
        QByteArray heard;
        const auto hears = [&](const QByteArray &line) {
            return wait_until([&] {
                heard += dump.readAllStandardOutput();
                return heard.contains(line);
            });
        };
        // oscdump's port may still be opening: subscribe until the whole mix comes back.
        QVERIFY(wait_until([&] {
            oscsend(port, "/lyntra/subscribe", {"i", QString::number(listen)});
            heard += dump.readAllStandardOutput();
            return heard.contains("/lyntra/status/model s \"LYNTRA K2\"");
        }));

        QVERIFY(oscsend(port, "/lyntra/input/3/fader", {"f", "-12.34"}));
        QVERIFY(unit.await("fader.input.2", -123));
        QVERIFY(hears("/lyntra/input/3/fader f -12.3"));

        QVERIFY(oscsend(port, "/lyntra/input/2/link", {"i", "1"}));
        QVERIFY(oscsend(port, "/lyntra/input/1/mute", {"i", "1"}));
        QVERIFY(unit.await("mute.input.0", 1));
        QVERIFY(unit.await("mute.input.1", 1));
        QVERIFY(hears("/lyntra/input/2/mute i 1"));

        QVERIFY(oscsend(port, "/lyntra/input/5/eq/on", {"i", "1"}));
        QVERIFY(oscsend(port, "/lyntra/input/5/eq/high/gain", {"f", "6.2"}));
        QVERIFY(unit.await("eq.4.3.gain", 18));
        QVERIFY(hears("/lyntra/input/5/eq/high/gain f 6.0"));

        QVERIFY(oscsend(port, "/lyntra/reverb/type", {"s", "ROOM"}));
        QVERIFY(unit.await("reverb.type", 2));
        QVERIFY(hears("/lyntra/reverb/type s \"ROOM\""));

        // What the unit received is in the settings file as from the window.
        QString stored;
        QVERIFY2(wait_until([&] {
            const Settings s;
            stored = QStringLiteral("%1 %2 %3 %4")
                         .arg(s.value(QStringLiteral("Track3"), settings::key::Fader))
                         .arg(s.value(QStringLiteral("Track2"), settings::key::Mute))
                         .arg(s.value(QStringLiteral("Track5"), settings::key::Eq))
                         .arg(s.value(settings::key::ReverbMode));
            return stored == QLatin1String("-12.3 1 1 2");
        }),
                 qPrintable(stored));

        QVERIFY(oscsend(port, "/lyntra/scene/load", {"i", "3"}));
        for (const UnitValue &u : kStoredMixAtUnit)
            QVERIFY2(unit.await(u.path, u.value), u.path);
        QVERIFY(hears("/lyntra/reverb/type s \"LIVE\""));
        QCOMPARE(panel.process().state(), QProcess::Running);
        dump.kill();
        dump.waitForFinished(kPatienceMs);
    }

private:
    QTemporaryDir tmp_;
};

QTEST_MAIN(TestRemoteE2E)
#include "tst_remote_e2e.moc"
