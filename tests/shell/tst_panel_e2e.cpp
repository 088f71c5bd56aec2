// The real panel against the real virtual unit: the clock choice and line-out routes pushed at start
// and after a replug, the stored mix (reverb included) back on a replugged unit while the disconnection
// box stays open, a quit while the unit is slow, the single-instance hand-over (another user's lock and
// silent clients stop nothing), a scene loaded from the menu with mouse and keys, and the window in-process with its device worker: the stored mix it
// sent shown, and the scene menus.
#include "confighome.h"
#include "qixdevice.h"
#include "firmware.h"
#include "ixmsg.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "paneltestrig.h"
#include "peeridentity.h"
#include "qtlockedfile.h"
#include "resources.h"
#include "settings.h"
#include "shownboxes.h"
#include "storedmix.h"
#include "unitstate.h"
#include "unittrace.h"
#include "xdisplay.h"

#include <QAction>
#include <QLabel>
#include <QLocalSocket>
#include <QtTest>

#include <memory>
#include <unistd.h>
#include <vector>

using namespace lyntra_test;

Q_DECLARE_METATYPE(Route)

namespace {

// A stored clock choice (-1: nothing stored) and what the unit holds after start and replug.
struct Push {
    QString model;
    int storedSource, opticalA, opticalB;
    int unitSource, modeA, modeB;
    QList<Route> routes; // of the model's line outputs
};

// One file for both models: each must use its own keys only.
const std::pair<const char *, int> kStoredLineOuts[] = {
    {"LineOut1", 26}, {"LineOut2", 3},  {"LineOut3", 12}, {"LineOut4", 22},   {"LineOut5", 0},
    {"LineOut6", 35}, {"LineOut7", 21}, {"LineOut8", 19}, {"LineOut1_K1", 4}, {"LineOut2_K1", 17}};

// Routes of the outputs 1.. that a fresh unit would hold after the host messages of `trace` alone.
QList<Route> replayedRoutes(const QJsonObject &trace, int outputs)
{
    lyntra::fw::Firmware fw;
    for (const QByteArray &m : sentMessages(trace))
        fw.apply(reinterpret_cast<const uint8_t *>(m.constData()), size_t(m.size()));
    return routesOf(fw.state(), outputs);
}

// The stored clock choice optical A is the unit's source 5.
constexpr int kStoredClock = 2, kUnitClock = 5;

bool writeStoredMixAndClock()
{
    Settings().writeClock(QStringLiteral("SampleClockSourceId"), kStoredClock);
    return writeStoredMix();
}

// Waits until a fresh unit holds the stored clock and mix; says what is missing when it never does.
bool storedStateArrives(VirtualUnit &unit, const char *what)
{
    QJsonObject state;
    const bool arrived = wait_until([&] {
        state = unit.state();
        return json_at(state, "clock_source").toInt() == kUnitClock && storedMixMissing(state).isEmpty();
    });
    if (!arrived)
        qWarning("%s: %s", what, qPrintable(storedMixMissing(state)));
    return arrived;
}

} // namespace

Q_DECLARE_METATYPE(Push)

class TestPanelE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(Panel::program()).isExecutable(), qPrintable(Panel::program()));
        QVERIFY2(VirtualUnit::available(), qPrintable(VirtualUnit::program()));
        QVERIFY(tmp_.isValid());
        // Lock files and sockets stay in our own directory; a unit on USB is never touched.
        qputenv("TMPDIR", tmp_.path().toUtf8());
        qputenv("XDG_SESSION_ID", "7");
        qputenv("LYNTRA_UNIT", "virtual");
        lyntra_init_resources();
    }

    void init() { lyntra_test::clear_config_home(); }

    // ---- clock and presence

    void pushAndRepush_data()
    {
        QTest::addColumn<Push>("c");
        QTest::newRow("K2 optical A, 96k manual") << Push{
            "K2", 2, 2, 3, 5, 2, 1, {{3, 1}, {4, 4}, {4, 13}, {5, 1}, {4, 1}, {3, 10}, {2, 2}, {4, 20}}};
        QTest::newRow("K1 word falls back to internal") << Push{"K1", 4, 3, 0, 1, 1, 0, {{4, 7}, {3, 2}}};
        QTest::newRow("K2 nothing stored")
            << Push{"K2", -1, -1, -1, 1, 0, 0, {{2, 1}, {2, 2}, {5, 1}, {5, 2}}};
    }
    void pushAndRepush()
    {
        QFETCH(Push, c);
        {
            Settings stored;
            if (c.storedSource >= 0) {
                stored.writeClock(QStringLiteral("SampleClockSourceId"), c.storedSource);
                stored.writeClock(QStringLiteral("Optical_A"), c.opticalA);
                stored.writeClock(QStringLiteral("Optical_B"), c.opticalB);
                for (const auto &[key, choice] : kStoredLineOuts)
                    stored.writeValue(QStringLiteral("LineOutSettings"), QLatin1String(key), choice);
            }
            stored.setValue(settings::key::InformationDialog, true);
        }
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", c.model}));
        Panel panel;
        QVERIFY(panel.start() && panel.awaitMarker("unit set up") && unit.await("clock_source", c.unitSource));
        QVERIFY(unit.await("optical_mode.5", c.modeA) && unit.await("optical_mode.6", c.modeB));
        QVERIFY(wait_until([&] { return routesOf(unit.state(), c.routes.size()) == c.routes; }));

        QVERIFY(!unit.control("unplug").isEmpty() && panel.awaitMarker("unit lost"));
        // From here the trace holds only what the panel sends to the returned unit.
        QVERIFY(!unit.control("trace clear").isEmpty());
        QVERIFY(!unit.control("plug").isEmpty() && panel.awaitMarker("unit set up"));
        QVERIFY(wait_until([&] {
            const QJsonObject trace = unit.control("trace");
            return !sentValues(trace, IXMSG_ID_SET_CLOCKSOURCE).isEmpty() &&
                   replayedRoutes(trace, c.routes.size()) == c.routes;
        }));
        // The stored choice goes out again with the small model's fallback applied. A loaded machine can
        // make the link time out and the unit be set up once more, so each push is checked, not their count.
        const QList<uint32_t> pushed = sentValues(unit.control("trace"), IXMSG_ID_SET_CLOCKSOURCE);
        QCOMPARE(QSet<uint32_t>(pushed.begin(), pushed.end()), QSet<uint32_t>{uint32_t(c.unitSource)});
        QCOMPARE(unit.at("clock_source").toInt(), c.unitSource);
        QCOMPARE(panel.process().state(), QProcess::Running);
    }

    // Unplugged and plugged again with nothing touched: the disconnection box stays open on screen,
    // and the replugged unit, empty as after a power cycle, still gets the stored state.
    void replugLeavingTheBoxOpen()
    {
        QVERIFY(writeStoredMixAndClock());
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        Panel panel;
        QVERIFY(panel.start() && panel.awaitMarker("unit set up") && storedStateArrives(unit, "start"));
        QVERIFY(!sentValues(unit.control("trace"), IXMSG_ID_REVERB_PREDELAY).contains(11)); // HALL's
        QVERIFY(unit.stop() && panel.awaitMarker("unit lost"));
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}) && storedStateArrives(unit, "replug"));
        QVERIFY(!sentValues(unit.control("trace"), IXMSG_ID_REVERB_PREDELAY).contains(11));
        QVERIFY(panel.awaitMarker("unit set up") && panel.process().state() == QProcess::Running);
    }

    // Every answer of the unit takes 1.5 s; the panel still quits at once, cleanly.
    void quitWhileTheUnitIsSlow()
    {
        VirtualUnit unit;
        QVERIFY(unit.start());
        Panel panel;
        QVERIFY(panel.start() && panel.awaitMarker("unit set up"));
        constexpr int kDelays = 100000;
        QVERIFY(!unit.control("fault delay " + QByteArray::number(kDelays) + " 1500").isEmpty());
        // The worker waits on a held answer once the unit has taken a delay.
        QVERIFY(wait_until(
            [&] { return json_at(unit.control("status"), "faults.delay").toInt(kDelays) < kDelays; }));
        panel.process().terminate();
        QVERIFY(panel.process().waitForFinished(kPatienceMs));
        QCOMPARE(panel.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(panel.process().exitCode(), 0);
        const QByteArray errors = panel.process().readAllStandardError();
        QVERIFY2(!errors.contains("Sanitizer") && !errors.contains("runtime error"), errors.constData());
    }

    // ---- single instance

    // A first copy killed outright leaves its socket behind; the next one is the first all the same. A
    // second start hands over and exits 0, and the running panel takes the keyboard.
    void secondStartHandsOver()
    {
        QVERIFY2(display_.started() || display_.start(), "Xvfb");
        Settings().setValue(settings::key::InformationDialog, true);
        Panel crashed, first, second;
        // The second copy shows nothing, so it stays offscreen, where its exit is leak-checked like
        // every panel's that does not need X.
        for (Panel *p : {&crashed, &first})
            display_.attach(p->process());
        QVERIFY(crashed.start() && crashed.awaitMarker("window shown"));
        crashed.process().kill();
        QVERIFY(crashed.process().waitForFinished(kPatienceMs));
        // Killed while writing its settings, a copy may leave their lock behind, empty: the next one
        // must not wait on it (it would freeze until the lock is half a minute old).
        QFile lock(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/AVENOR/DUOMIX_Setting.ini.lock");
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.close();
        QVERIFY(first.start() && first.awaitMarker("window shown"));
        const QString id = display_.window("^AVENOR");
        QString root, focus;
        // The keyboard elsewhere, the pointer over the panel (without a window manager, X takes a focus
        // change only from a client that has seen an event since the last one).
        QVERIFY(display_.xdotool({"search", "--maxdepth", "0", ""}, &root) &&
                display_.xdotool({"windowfocus", root, "mousemove", "--window", id, "300", "300"}));
        QVERIFY(second.start() && second.process().waitForFinished(kPatienceMs));
        // Exit code 1 is both a refused hand-over and a sanitizer's report: what both copies said tells which.
        const QByteArray said = second.process().readAllStandardError();
        QVERIFY2(second.process().exitStatus() == QProcess::NormalExit && second.process().exitCode() == 0,
                 qPrintable(QStringLiteral("exit status %1, code %2: %3\n-- the first copy:\n%4")
                                .arg(int(second.process().exitStatus()))
                                .arg(second.process().exitCode())
                                .arg(QString::fromLocal8Bit(said),
                                     QString::fromLocal8Bit(first.process().readAllStandardError()))));
        QVERIFY(!said.contains("window shown"));
        QVERIFY(wait_until([&] { return display_.xdotool({"getwindowfocus"}, &focus) && focus == id; }));
        QCOMPARE(first.process().state(), QProcess::Running);
    }

    void lockHeldWithoutServer()
    {
        // What the panel computes for itself: the lock beside its socket in our runtime folder.
        QtLockedFile lock(PeerIdentity::lockFilePath(panelSocketName()));
        QVERIFY(lock.open(QIODevice::ReadWrite) && lock.lock(QtLockedFile::WriteLock, false));
        Panel panel;
        QVERIFY(panel.start() && panel.process().waitForFinished(kPatienceMs));
        QCOMPARE(panel.process().exitCode(), 1);
    }

    // Another user holds a lock under the panel's name in the shared temporary folder, or (without
    // XDG_RUNTIME_DIR) made the fallback folder first: the panel starts all the same.
    void anotherUsersLockDoesNotStopThePanel_data()
    {
        QTest::addColumn<bool>("runtimeFolder");
        QTest::newRow("lock in the temporary folder") << true;
        QTest::newRow("fallback folder taken") << false;
    }
    void anotherUsersLockDoesNotStopThePanel()
    {
        QFETCH(bool, runtimeFolder);
        if (::geteuid() != 0)
            QSKIP("files of another user are made as root");
        const QString shared = tmp_.path() + "/" + panelSocketName() + "-lockfile";
        const QString fallback = tmp_.path() + QStringLiteral("/lyntra-panel-%1").arg(::geteuid(), 0, 16);
        QtLockedFile lock(shared);
        QVERIFY(lock.open(QIODevice::ReadWrite) && lock.lock(QtLockedFile::WriteLock, false));
        QVERIFY(QDir().mkpath(fallback));
        for (const QString &path : {shared, fallback})
            QVERIFY(::chown(QFile::encodeName(path).constData(), 4242, 4242) == 0);
        Panel panel;
        QProcessEnvironment env = panel.process().processEnvironment();
        if (!runtimeFolder)
            env.remove("XDG_RUNTIME_DIR");
        panel.process().setProcessEnvironment(env);
        QVERIFY(panel.start() && panel.awaitMarker("window shown") && panel.process().state() == QProcess::Running);
        QDir(fallback).removeRecursively();
    }

    // Clients that connect to the running panel and send nothing, again as soon as they are dropped,
    // hold up nothing: a scene chosen from the menu still reaches the unit.
    void silentClientsDoNotDelayAClick()
    {
        QVERIFY2(display_.started() || display_.start(), "Xvfb");
        Settings().setValue(settings::key::InformationDialog, true);
        QFile scene(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/AVENOR/DUOMIX_sm3.ini");
        QVERIFY(scene.open(QIODevice::WriteOnly) && scene.write("[Track5]\nMute=true\n") > 0);
        scene.close();
        VirtualUnit unit;
        QVERIFY(unit.start());
        Panel panel;
        display_.attach(panel.process());
        QVERIFY(panel.start() && panel.awaitMarker("unit set up"));
        std::vector<std::unique_ptr<QLocalSocket>> silent(4);
        int connections = 0;
        QTimer keepThem;
        QObject::connect(&keepThem, &QTimer::timeout, [&] {
            for (auto &client : silent)
                if (!client || client->state() == QLocalSocket::UnconnectedState) {
                    client = std::make_unique<QLocalSocket>();
                    client->connectToServer(PeerIdentity::socketPath(panelSocketName()));
                    ++connections;
                }
        });
        keepThem.start(50);
        QVERIFY(loadSceneThree(display_, display_.window("^AVENOR")) && unit.await("mute.input.4", 1));
        QVERIFY(connections >= int(silent.size()));
    }

    // ---- the stored mix

    // The window with its device worker against a fresh unit: the unit holds the stored mix, the window
    // shows it. Then through the menus: a scene saved with a change still only in memory; "Initialize"
    // puts the defaults into the unit; the scene loaded back puts the mix there and into the window
    // again, the edited strip included, and leaves the clock; "Save into the unit" cancelled stores
    // nothing, confirmed stores once.
    void storedMixAndScenesThroughTheMenus()
    {
        const QString panel = QStringLiteral("AVENOR LYNTRA Settings Panel");
        QVERIFY(writeStoredMixAndClock());
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        QIXDevice device;
        {
            Settings settings;
            MainWindow window(device, settings);
            window.show();
            // The rate shows once the unit is set up.
            QVERIFY(wait_until([&] {
                return !window.findChild<QLabel *>(QStringLiteral("label_IntSampleRate"))->text().isEmpty();
            }));
            QVERIFY(storedStateArrives(unit, "scene start"));
            QCOMPARE(storedMixNotShown(window), QString());
            MainMenus &menus = window.menus();
            const QJsonValue optical = unit.at("optical_mode");
            window.findChild<QAbstractButton *>(QStringLiteral("pB_Phase7"))->click();
            window.findChild<QAbstractButton *>(QStringLiteral("pB_Analog9"))->click();
            const QLabel *ratio = window.findChild<QLabel *>(QStringLiteral("label_RatioDisp"));
            const QString mixRatio = ratio->text();
            menus.scenes[2].save->trigger();

            menus.initialize->trigger();
            QCOMPARE(press_ok(panel), 1);
            const auto progressTitle = [] {
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (w->objectName() == QLatin1String("progressWindow") && w->isVisible())
                        return w->windowTitle();
                return QString();
            };
            QCOMPARE(progressTitle(), QStringLiteral("Now Initializing..."));
            for (const UnitValue &d : QList<UnitValue>{{"fader.input.0", 0},
                                                       {"fader.input.1", 0},
                                                       {"mute.input.2", 0},
                                                       {"mute.master.0", 0},
                                                       {"eq.0.0.on", 0},
                                                       {"return.on", 1},
                                                       {"phase.6", 0}})
                QVERIFY2(unit.await(d.path, d.value), d.path);
            QVERIFY(!settings.value(settings::key::InformationDialog) && ratio->text() != mixRatio);

            menus.scenes[2].load->trigger();
            QCOMPARE(progressTitle(), QStringLiteral("Now Loading..."));
            QVERIFY(storedStateArrives(unit, "scene load") && unit.await("phase.6", 1));
            QCOMPARE(storedMixNotShown(window), QString());
            QCOMPARE(ratio->text(), mixRatio); // the edited strip stays, with the loaded values
            QCOMPARE(unit.at("clock_source").toInt(), kUnitClock);
            QCOMPARE(unit.at("optical_mode"), optical);

            for (QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
                menus.saveIntoUnit->trigger();
                QCOMPARE(press(QString(), answer), 1);
            }
            QVERIFY(unit.await("store_count", 1));
            // Anything sent with or after the store has arrived once a later change has.
            window.findChild<QAbstractButton *>(QStringLiteral("pB_Phase7"))->click();
            QVERIFY(unit.await("phase.6", 0));
            QCOMPARE(unit.at("store_count").toInt(), 1);
        }
        QVERIFY(device.shutdown(kPatienceMs));
    }

    // The real panel takes its language from the locale: a Japanese one gives the Japanese window.
    void japaneseLocale()
    {
        QVERIFY2(display_.started() || display_.start(), "Xvfb");
        Settings().setValue(settings::key::InformationDialog, true);
        Panel panel;
        QProcessEnvironment env = panel.process().processEnvironment();
        for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
        panel.process().setProcessEnvironment(env);
        display_.attach(panel.process());
        QVERIFY(panel.start());
        const QString id = display_.window(QStringLiteral("^AVENOR"));
        QString title, icon;
        QVERIFY(display_.xdotool({"getwindowname", id}, &title));
        QCOMPARE(title, QStringLiteral("AVENOR LYNTRA K1/K2 設定パネル"));
        // The window carries its icon, from the compiled-in artwork, for the task bar and window switcher.
        QVERIFY(display_.xdotool({"-id", id, "_NET_WM_ICON"}, &icon, "xprop") && icon.contains("CARDINAL"));
    }

private:
    static QString panelSocketName()
    {
        const QString id = PeerIdentity::instanceId(QFileInfo(Panel::program()).absoluteFilePath());
        return PeerIdentity::socketName(id, PeerIdentity::sessionSuffix());
    }
    QTemporaryDir tmp_;
    Display display_; // started on first use, then shared: the panels on it come and go
};

QTEST_MAIN(TestPanelE2E)
#include "tst_panel_e2e.moc"
