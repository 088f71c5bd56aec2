// The real panel against the real virtual unit: the stored line-out choices of the connected model
// reach the unit's routes at start, and go out again when the unit comes back after an unplug.
#include "firmware.h"
#include "paneltestrig.h"
#include "settings.h"
#include "unitstate.h"

#include <QtTest>

using namespace lyntra_test;

Q_DECLARE_METATYPE(Route)

namespace {

// One file for both models: each must use its own keys only.
const char *const kStored[] = {"LineOut1=26", "LineOut2=3",  "LineOut3=12", "LineOut4=22",    "LineOut5=0",
                               "LineOut6=35", "LineOut7=21", "LineOut8=19", "LineOut1_K1=4", "LineOut2_K1=17"};

// Routes of the outputs 1.. that a fresh unit would hold after the host messages of `trace` alone.
QList<Route> replayedRoutes(const QJsonObject &trace, int outputs)
{
    lyntra::fw::Firmware fw;
    for (const QJsonValue &entry : trace.value(QStringLiteral("trace")).toArray()) {
        const QJsonObject e = entry.toObject();
        if (e.value(QStringLiteral("dir")).toString() != QLatin1String("out"))
            continue;
        const QByteArray bytes = QByteArray::fromHex(e.value(QStringLiteral("hex")).toString().toLatin1());
        fw.apply(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    }
    return routesOf(fw.state(), outputs);
}

} // namespace

class TestRoutingE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(Panel::program()).isExecutable() && VirtualUnit::available() && tmp_.isValid());
        // The panel's lock file stays here; a unit on USB is never touched.
        qputenv("TMPDIR", tmp_.path().toUtf8());
        qputenv("LYNTRA_UNIT", "virtual");
        Settings stored;
        stored.setInformationDialog(true);
        for (const QString s : kStored)
            stored.writeValue(QStringLiteral("LineOutSettings"), s.section('=', 0, 0), s.section('=', 1).toInt());
    }

    void storedRoutesAtStartAndAfterReplug_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QList<Route>>("routes");
        QTest::newRow("K2") << "K2"
                            << QList<Route>{{3, 1}, {4, 4}, {4, 13}, {5, 1}, {4, 1}, {3, 10}, {2, 2}, {4, 20}};
        QTest::newRow("K1") << "K1" << QList<Route>{{4, 7}, {3, 2}};
    }

    void storedRoutesAtStartAndAfterReplug()
    {
        QFETCH(QString, model);
        QFETCH(QList<Route>, routes);
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", model}));
        Panel panel;
        QVERIFY(panel.start());
        QVERIFY(panel.awaitMarker("unit set up")); // only a unit that was set up counts as lost
        QVERIFY(wait_until([&] { return routesOf(unit.state(), routes.size()) == routes; }));

        QVERIFY(!unit.control("unplug").isEmpty());
        QVERIFY(panel.awaitMarker("unit lost"));
        // From here the trace holds only what the panel sends to the returned unit.
        QVERIFY(!unit.control("trace clear").isEmpty());
        QVERIFY(!unit.control("plug").isEmpty());
        QVERIFY(wait_until([&] { return replayedRoutes(unit.control("trace"), routes.size()) == routes; }));
        QCOMPARE(panel.process().state(), QProcess::Running);
    }

private:
    QTemporaryDir tmp_;
};

QTEST_MAIN(TestRoutingE2E)
#include "tst_routing_e2e.moc"
