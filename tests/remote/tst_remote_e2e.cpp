// The real panel against the real virtual unit, driven by liblo's own command-line clients: oscsend
// sets a fader in dB, a mute on a linked pair, an EQ band, the reverb type and loads a scene; each
// reaches the unit and the settings file, and oscdump, subscribed, hears every change. Then the window
// under the mouse (xdotool): a drag heard by a subscriber, a click answered during a flood.
#include "oscclient.h"
#include "paneltestrig.h"
#include "settings.h"
#include "storedmix.h"
#include "xdisplay.h"

#include <QStandardPaths>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace lyntra_test;

namespace {

// One message with oscsend: the address, then its type and value ("/lyntra/reverb/type s ROOM").
bool oscsend(int port, const QString &message)
{
    QProcess tool;
    tool.start(QStringLiteral("oscsend"), QStringList{"127.0.0.1", QString::number(port)} + message.split(' '));
    return tool.waitForFinished(kPatienceMs) && tool.exitCode() == 0;
}

// The real panel on a display of its own against a K2 unit, the remote control on at a free port (the
// main settings file only says so).
struct RemotePanel {
    Display display;
    VirtualUnit unit;
    Panel panel;
    const int port = freePort();

    bool start()
    {
        QFile::remove(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/AVENOR/DUOMIX_Setting.ini");
        {
            Settings s;
            s.setValue(settings::key::InformationDialog, true);
            s.setValue(settings::key::OscEnabled, true);
            s.setValue(settings::key::OscPort, port);
        }
        if (!display.start())
            return false;
        display.attach(panel.process());
        return unit.start({"--model", "K2", "--rate", "48000"}) && panel.start() && panel.awaitMarker("unit set up");
    }
};

} // namespace

class TestRemoteE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char *tool : {"oscsend", "oscdump"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                     "liblo-tools (scripts/install-deps.sh)");
        QVERIFY(VirtualUnit::available() && tmp_.isValid());
        qputenv("TMPDIR", tmp_.path().toUtf8());
        qputenv("LYNTRA_UNIT", "virtual");
    }

    void oscsendReachesTheUnitTheStoreAndSubscribers()
    {
        // Scene 3 holds the tests' stored mix.
        const QString folder = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/AVENOR/";
        QVERIFY(writeStoredMix() && QFile::rename(folder + "DUOMIX_Setting.ini", folder + "DUOMIX_sm3.ini"));
        RemotePanel rig;
        QVERIFY(rig.start());

        const int listen = freePort();
        QProcess dump;
        dump.start(QStringLiteral("oscdump"), {"-L", QString::number(listen)});
        QByteArray heard;
        const auto hears = [&](const QByteArray &line, int waitMs = kPatienceMs) {
            return wait_until([&] { heard += dump.readAllStandardOutput(); return heard.contains(line); }, waitMs);
        };
        // oscdump's port may still be opening, and only a new subscriber hears the whole mix: subscribe
        // afresh until it comes back.
        QVERIFY(wait_until([&] {
            oscsend(rig.port, "/lyntra/unsubscribe i " + QString::number(listen));
            oscsend(rig.port, "/lyntra/subscribe i " + QString::number(listen));
            return hears("/lyntra/status/model s \"LYNTRA K2\"", 0);
        }));
        // What is sent, what the unit then holds, what the subscriber hears.
        const struct { QStringList sent; std::vector<UnitValue> held; QByteArray heard; } steps[] = {
            {{"/lyntra/input/3/fader f -12.34"}, {{"fader.input.2", -123}}, "/lyntra/input/3/fader f -12.3"},
            {{"/lyntra/input/2/link i 1", "/lyntra/input/1/mute i 1"}, {{"mute.input.0", 1}, {"mute.input.1", 1}},
             "/lyntra/input/2/mute i 1"},
            {{"/lyntra/input/5/eq/on i 1", "/lyntra/input/5/eq/high/gain f 6.2"}, {{"eq.4.3.gain", 18}},
             "/lyntra/input/5/eq/high/gain f 6.0"},
            {{"/lyntra/reverb/type s ROOM"}, {{"reverb.type", 2}}, "/lyntra/reverb/type s \"ROOM\""},
        };
        for (const auto &step : steps) {
            for (const QString &message : step.sent)
                QVERIFY2(oscsend(rig.port, message), qPrintable(message));
            for (const UnitValue &u : step.held)
                QVERIFY2(rig.unit.await(u.path, u.value), u.path);
            QVERIFY(hears(step.heard));
        }

        // What the unit received is in the settings file as from the window.
        QString stored;
        QVERIFY2(wait_until([&] {
            const Settings s;
            stored = QStringLiteral("%1 %2 %3 %4")
                         .arg(s.value("Track3", settings::key::Fader))
                         .arg(s.value("Track2", settings::key::Mute))
                         .arg(s.value("Track5", settings::key::Eq))
                         .arg(s.value(settings::key::ReverbMode));
            return stored == QLatin1String("-12.3 1 1 2");
        }), qPrintable(stored));

        QVERIFY(oscsend(rig.port, "/lyntra/scene/load i 3"));
        for (const UnitValue &u : kStoredMixAtUnit)
            QVERIFY2(rig.unit.await(u.path, u.value), u.path);
        QVERIFY(hears("/lyntra/reverb/type s \"LIVE\""));
        QCOMPARE(rig.panel.process().state(), QProcess::Running);
    }

    // On a display of its own: the window's fader dragged with the mouse is heard by a subscribed
    // client; during a flood of 10,000 fader messages in a second a click on a mute button reaches the
    // unit less than 100 ms later than without, and the unit ends on the flood's last value.
    void theWindowUnderTheMouseAndAFlood()
    {
        RemotePanel rig;
        QVERIFY(rig.start());
        const QString id = rig.display.window(QStringLiteral("^AVENOR"));
        const auto mouse = [&](QPoint at, QStringList then) {
            const QStringList move{"mousemove", "--window", id, QString::number(at.x()), QString::number(at.y())};
            return rig.display.xdotool(move + then);
        };
        OscClient client(rig.port);
        QVERIFY(wait_until([&] {
            client.send("/lyntra/subscribe", {client.port()});
            return client.count("/lyntra/status/lock") >= 1;
        }));
        client.clear();
        // Heard: a value other than the one the unit held before the drag (the subscription's own report
        // of the mix may still be arriving), in tenths of a dB. A slow window may take the drag's moves as
        // one.
        const auto heard = [&] { return qRound(client.last("/lyntra/input/1/fader").args.value(0).toDouble() * 10); };
        const int before = rig.unit.at(QStringLiteral("fader.input.0")).toInt();
        const auto heardDrag = [&] { return client.count("/lyntra/input/1/fader") >= 1 && heard() != before; };
        // A window just shown may miss the first clicks: to the mixer page and drag again until heard.
        QVERIFY(wait_until([&] {
            return mouse(kMixerButton, {"click", "1"}) && mouse(kFaderOne, {"mousedown", "1"}) &&
                   mouse(kFaderOne + QPoint(0, 30), {}) && mouse(kFaderOne + QPoint(0, 60), {"mouseup", "1"}) &&
                   wait_until(heardDrag, 2000);
        }));
        // Heard and held agree once the window has taken the rest of the drag.
        int held = before;
        QVERIFY2(wait_until([&] { return (held = rig.unit.at(QStringLiteral("fader.input.0")).toInt()) == heard(); }),
                 qPrintable(QStringLiteral("unit %1, heard %2, before %3").arg(held).arg(heard()).arg(before)));
        // A click on input 1's mute, timed from xdotool's start until the unit has it: first with nothing
        // else going on (xdotool's own start-up is most of it), then during the flood.
        QVERIFY(rig.unit.await("mute.input.0", 0) && mouse(kMuteOne, {}));
        const auto clickToUnit = [&](int muted) {
            QElapsedTimer clicked;
            clicked.start();
            QProcess tool;
            tool.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
            rig.display.attach(tool);
            tool.start(QStringLiteral("xdotool"), {"click", "1"});
            const bool landed = rig.unit.await("mute.input.0", muted);
            tool.waitForFinished(kPatienceMs);
            return landed ? clicked.elapsed() : -1;
        };
        const qint64 quiet = clickToUnit(1);
        std::atomic<bool> flooding{true};
        OscClient flooder(rig.port);
        std::thread flood([&] {
            for (int i = 0; i < 10000; ++i) {
                flooder.send("/lyntra/input/8/fader", {-60.0 + (i % 600) / 10.0});
                if (i % 100 == 99)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            flooder.send("/lyntra/input/8/fader", {-4.5});
            flooding = false;
        });
        QTest::qWait(300);
        const qint64 flooded = clickToUnit(0);
        const bool duringTheFlood = flooding;
        flood.join();
        QVERIFY(quiet >= 0 && flooded >= 0 && duringTheFlood);
        QVERIFY2(flooded < quiet + 100, qPrintable(QStringLiteral("%1 ms, quiet %2 ms").arg(flooded).arg(quiet)));
        QVERIFY(rig.unit.await("fader.input.7", -45));
        QVERIFY(!rig.panel.process().readAllStandardError().contains("Sanitizer"));
    }

private:
    // Places on the window: the mixer page's button, input 1's fader knob and its mute button.
    static constexpr QPoint kMixerButton{857, 146};
    static constexpr QPoint kFaderOne{24, 448};
    static constexpr QPoint kMuteOne{35, 299};
    QTemporaryDir tmp_;
};

QTEST_MAIN(TestRemoteE2E)
#include "tst_remote_e2e.moc"
