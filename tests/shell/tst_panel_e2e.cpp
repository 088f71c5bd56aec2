// The real panel against the real virtual unit: what it pushes at start and after a replug, the one
// disconnection box, and the single-instance hand-over.
#include "ixmsg.h"
#include "paneltestrig.h"
#include "peeridentity.h"
#include "qtlockedfile.h"
#include "settings.h"

#include <QJsonArray>
#include <QThread>
#include <QtTest>

using namespace lyntra_test;

namespace {

// A second start must hand over within a second; the sanitizers' start-up cost comes on top.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr qint64 HandOverLimitMs = 3000;
#else
constexpr qint64 HandOverLimitMs = 1000;
#endif

// Values of every `id` item in the trace's host messages at or after `fromUs`.
QList<uint32_t> sentValues(const QJsonObject &trace, uint8_t id, qint64 fromUs = 0)
{
    QList<uint32_t> values;
    for (const QJsonValue &entry : trace.value(QStringLiteral("trace")).toArray()) {
        const QJsonObject e = entry.toObject();
        if (e.value(QStringLiteral("dir")).toString() != QLatin1String("out") ||
            qint64(e.value(QStringLiteral("t")).toDouble()) < fromUs)
            continue;
        QByteArray bytes = QByteArray::fromHex(e.value(QStringLiteral("hex")).toString().toLatin1());
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

QJsonValue opticalMode(const QJsonObject &state, int source)
{
    return state.value(QStringLiteral("optical_mode")).toObject().value(QString::number(source));
}

int count(const QStringList &lines, const QString &line)
{
    return int(lines.count(line));
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
        // The panels' lock files and sockets stay in our own directory.
        qputenv("TMPDIR", tmp_.path().toUtf8());
        qputenv("XDG_SESSION_ID", "7");
    }

    void init()
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/AVENOR")
            .removeRecursively();
        hook_ = tmp_.filePath(QStringLiteral("hook-%1.txt").arg(++run_));
    }

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
        QTest::newRow("K2 word") << "K2" << 4 << 0 << 1 << 2 << 0 << 0;
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
        QJsonObject state;
        const auto pushed = [&] {
            state = unit.state();
            return state.value("clock_source").toInt() == unitSource &&
                   opticalMode(state, 5).toInt(-1) == modeA && opticalMode(state, 6).toInt(-1) == modeB;
        };
        QVERIFY2(waitFor(pushed, 5000), qPrintable(QStringLiteral("clock %1, modes %2 %3")
                                                       .arg(state.value("clock_source").toInt(-1))
                                                       .arg(opticalMode(state, 5).toInt(-1))
                                                       .arg(opticalMode(state, 6).toInt(-1))));
        QCOMPARE(hookLines(hook_), QStringList{}); // no information box, no disconnection yet

        QVERIFY(!unit.control("unplug").isEmpty());
        QVERIFY(waitFor([&] { return count(hookLines(hook_), "box USB Disconnected") == 1; }, 3000));
        QThread::msleep(1500); // many presence ticks while the unit is away
        QCOMPARE(count(hookLines(hook_), "box USB Disconnected"), 1);

        unit.control("trace clear");
        QVERIFY(!unit.control("plug").isEmpty());
        QVERIFY(panel.awaitMarker("unit set up"));
        QVERIFY(waitFor(
            [&] { return !sentValues(unit.control("trace"), IXMSG_ID_SET_CLOCKSOURCE).isEmpty(); }, 3000));
        // The stored choice goes out again once, with the small model's fallback applied.
        QCOMPARE(sentValues(unit.control("trace"), IXMSG_ID_SET_CLOCKSOURCE),
                 QList<uint32_t>{uint32_t(unitSource)});
        QCOMPARE(unit.state().value("clock_source").toInt(), unitSource);
        QCOMPARE(count(hookLines(hook_), "box USB Disconnected"), 1);
        QCOMPARE(panel.process().state(), QProcess::Running);
    }

    // Without a unit the panel starts silently but for the information box; it asks nobody.
    void startWithoutUnit()
    {
        Panel panel(hook_);
        QVERIFY(panel.start());
        QVERIFY(panel.awaitMarker("window shown"));
        QThread::msleep(1000);
        QCOMPARE(hookLines(hook_), QStringList{"box AVENOR LYNTRA K1/K2 Information"});
        QCOMPARE(panel.process().state(), QProcess::Running);
    }

    void secondStartHandsOver()
    {
        Panel first(hook_);
        QVERIFY(first.start());
        QVERIFY(first.awaitMarker("window shown"));
        Panel second(hook_);
        QElapsedTimer t;
        t.start();
        QVERIFY(second.start());
        QVERIFY(second.process().waitForFinished(5000));
        QVERIFY2(t.elapsed() < HandOverLimitMs, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process().exitCode(), 0);
        QVERIFY(waitFor([&] { return hookLines(hook_).contains("activated visible=1 minimized=0"); }, 3000));
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
        QVERIFY(panel.process().waitForFinished(15000));
        QCOMPARE(panel.process().exitCode(), 1);
        QCOMPARE(hookLines(hook_), QStringList{});
    }

private:
    QTemporaryDir tmp_;
    QString hook_;
    int run_ = 0;
};

QTEST_GUILESS_MAIN(TestPanelE2E)
#include "tst_panel_e2e.moc"
