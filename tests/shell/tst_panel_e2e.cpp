// The real panel against the real virtual unit: the clock choice pushed at start and after a replug,
// the one disconnection box, the single-instance hand-over, and the stored mix reaching the unit, both
// from the real program and from the window in-process with its device worker.
#include "QIXDevice.h"
#include "ixmsg.h"
#include "mainwindow.h"
#include "paneltestrig.h"
#include "peeridentity.h"
#include "qtlockedfile.h"
#include "recordingboxes.h"
#include "resources.h"
#include "settings.h"
#include "storedmix.h"

#include <QtTest>

#include <memory>

using namespace lyntra_test;

namespace {

// Values of every `id` item in the host's messages of the unit's trace.
QList<uint32_t> sentValues(const QJsonObject &trace, uint8_t id)
{
    QList<uint32_t> values;
    for (const QJsonValue &entry : trace.value(QStringLiteral("trace")).toArray()) {
        if (entry.toObject().value(QStringLiteral("dir")).toString() != QLatin1String("out"))
            continue;
        QByteArray bytes =
            QByteArray::fromHex(entry.toObject().value(QStringLiteral("hex")).toString().toLatin1());
        ixmsg_buf buf;
        ixmsg_init(&buf, reinterpret_cast<uint8_t *>(bytes.data()), uint8_t(qMin(bytes.size(), 64)));
        uint8_t itemId = 0;
        uint32_t value = 0;
        while (ixmsg_get(&buf, &itemId, nullptr, &value, nullptr, nullptr) == 0)
            if (itemId == id)
                values << value;
    }
    return values;
}

// The first stored-mix value the unit does not hold; empty once it holds them all.
QString storedMixMissing(const QJsonObject &state)
{
    for (const UnitValue &u : kStoredMixAtUnit) {
        const QJsonValue v = json_at(state, QLatin1String(u.path));
        if (!v.isDouble() || v.toInt() != u.value)
            return QStringLiteral("%1 is %2, expected %3")
                .arg(u.path, v.isDouble() ? QString::number(v.toInt()) : "null")
                .arg(u.value);
    }
    return QString();
}

} // namespace

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

    void init()
    {
        QDir(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))).removeRecursively();
        hook_ = tmp_.filePath(QStringLiteral("hook-%1.txt").arg(++run_));
    }

    // ---- clock and presence

    void pushAndRepush_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("storedSource");
        QTest::addColumn<int>("opticalA");
        QTest::addColumn<int>("opticalB");
        QTest::addColumn<int>("unitSource");
        QTest::addColumn<int>("modeA");
        QTest::addColumn<int>("modeB");
        QTest::newRow("K2 optical A, 96k manual") << "K2" << 2 << 2 << 3 << 5 << 2 << 1;
        QTest::newRow("K1 word falls back to internal") << "K1" << 4 << 3 << 0 << 1 << 1 << 0;
        QTest::newRow("K2 nothing stored") << "K2" << -1 << -1 << -1 << 1 << 0 << 0;
    }
    void pushAndRepush()
    {
        QFETCH(QString, model);
        QFETCH(int, storedSource);
        QFETCH(int, opticalA);
        QFETCH(int, opticalB);
        QFETCH(int, unitSource);
        QFETCH(int, modeA);
        QFETCH(int, modeB);
        {
            Settings stored;
            if (storedSource >= 0) {
                stored.writeClock(QStringLiteral("SampleClockSourceId"), storedSource);
                stored.writeClock(QStringLiteral("Optical_A"), opticalA);
                stored.writeClock(QStringLiteral("Optical_B"), opticalB);
            }
            stored.setInformationDialog(true);
        }
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", model}));
        Panel panel(hook_);
        QVERIFY(panel.start());
        QVERIFY(panel.awaitMarker("unit set up"));
        QVERIFY(unit.await("clock_source", unitSource));
        QVERIFY(unit.await("optical_mode.5", modeA));
        QVERIFY(unit.await("optical_mode.6", modeB));
        QCOMPARE(panel.hookLines(), QStringList{}); // no information box, no disconnection yet

        QVERIFY(!unit.control("unplug").isEmpty());
        QVERIFY(wait_until([&] { return panel.hookCount("box USB Disconnected") == 1; }));
        unit.control("trace clear");
        QVERIFY(!unit.control("plug").isEmpty());
        QVERIFY(panel.awaitMarker("unit set up"));
        QVERIFY(wait_until(
            [&] { return !sentValues(unit.control("trace"), IXMSG_ID_SET_CLOCKSOURCE).isEmpty(); }));
        // The stored choice goes out again once, with the small model's fallback applied.
        QCOMPARE(sentValues(unit.control("trace"), IXMSG_ID_SET_CLOCKSOURCE),
                 QList<uint32_t>{uint32_t(unitSource)});
        QCOMPARE(unit.at("clock_source").toInt(), unitSource);
        QCOMPARE(panel.hookCount("box USB Disconnected"), 1);
        QCOMPARE(panel.process().state(), QProcess::Running);
    }

    // Without a unit the panel starts with the information box only.
    void startWithoutUnit()
    {
        Panel panel(hook_);
        QVERIFY(panel.start());
        QVERIFY(panel.awaitMarker("window shown"));
        QVERIFY(wait_until([&] { return !panel.hookLines().isEmpty(); }));
        QCOMPARE(panel.hookLines(), QStringList{"box AVENOR LYNTRA K1/K2 Information"});
        QCOMPARE(panel.process().state(), QProcess::Running);
    }

    // ---- single instance

    void secondStartHandsOver()
    {
        Panel first(hook_);
        QVERIFY(first.start());
        QVERIFY(first.awaitMarker("window shown"));
        Panel second(hook_);
        QVERIFY(second.start());
        QVERIFY(second.process().waitForFinished(kPatienceMs));
        QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process().exitCode(), 0);
        QVERIFY(wait_until([&] { return first.hookLines().contains("activated visible=1 minimized=0"); }));
        QVERIFY(!second.process().readAllStandardOutput().contains("window shown"));
        QCOMPARE(first.process().state(), QProcess::Running);
    }

    void lockHeldWithoutServer()
    {
        // What the panel computes for itself: the lock beside its socket name in our TMPDIR.
        const QString id = PeerIdentity::instanceId(QFileInfo(Panel::program()).absoluteFilePath());
        QtLockedFile lock(
            PeerIdentity::lockFilePath(PeerIdentity::socketName(id, PeerIdentity::sessionSuffix())));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.lock(QtLockedFile::WriteLock, false));
        Panel panel(hook_);
        QVERIFY(panel.start());
        QVERIFY(panel.process().waitForFinished(kPatienceMs));
        QCOMPARE(panel.process().exitCode(), 1);
        QCOMPARE(panel.hookLines(), QStringList{});
    }

    // ---- the stored mix

    void panelPushesStoredMix()
    {
        QVERIFY(writeStoredMix());
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        Panel panel(hook_);
        QVERIFY(panel.start());
        QVERIFY(panel.awaitMarker("unit set up"));
        QJsonObject state;
        QVERIFY2(wait_until([&] { return storedMixMissing(state = unit.state()).isEmpty(); }),
                 qPrintable(storedMixMissing(state)));
        QCOMPARE(panel.process().state(), QProcess::Running);
        QCOMPARE(panel.hookLines(), QStringList{});
    }

    // The window with its device worker against a fresh unit: the unit holds the mix, the window shows it.
    void windowLoadsStoredMix()
    {
        QVERIFY(writeStoredMix());
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        RecordingBoxes boxes;
        QIXDevice device;
        {
            Settings settings;
            MainWindow window(device, settings);
            window.show();
            QVERIFY(wait_until([&] { return window.state().identification == ShellState::SetUp; }));
            QJsonObject state;
            QVERIFY2(wait_until([&] { return storedMixMissing(state = unit.state()).isEmpty(); }),
                     qPrintable(storedMixMissing(state)));
            for (const ShownValue &s : storedMixShown()) {
                const QWidget *w = window.findChild<QWidget *>(QLatin1String(s.object));
                QVERIFY2(w, s.object);
                const QVariant got = w->property(s.property);
                const bool same = s.value.type() == QVariant::Double
                                      ? qAbs(got.toDouble() - s.value.toDouble()) < 1e-9
                                      : got == s.value;
                QVERIFY2(same,
                         qPrintable(QStringLiteral("%1 %2: %3").arg(s.object, s.property, got.toString())));
            }
            QCOMPARE(boxes.titles, QStringList{});
        }
        QVERIFY(device.shutdown(kPatienceMs));
    }

private:
    QTemporaryDir tmp_;
    QString hook_;
    int run_ = 0;
};

QTEST_MAIN(TestPanelE2E)
#include "tst_panel_e2e.moc"
