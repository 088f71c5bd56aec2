// The monitor level scale, and the line-out and monitor models against the firmware model: what each
// index and level becomes on the unit, and what bad stored values read as.
#include "lineouts.h"
#include "monitormodel.h"
#include "monitorscale.h"
#include "unitrig.h"
#include "unitstate.h"

#include <QSettings>
#include <QtTest>

#include <cmath>

using namespace mixer;

Q_DECLARE_METATYPE(Route)

class TestRoutingModels : public QObject {
    Q_OBJECT

private slots:
    void scaleTexts_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        const struct {
            int position;
            const char *text;
        } rows[] = {{127, "  0.0"}, {126, " -0.2"}, {125, " -0.4"}, {121, " -1.3"}, {64, "-20.0"},
                    {63, "-20.5"},  {42, "-31.0"},  {41, "-31.4"},  {6, "-60.0"},   {1, "-96.0"},
                    {0, "-99.9"},   {-3, "-99.9"},  {200, "  0.0"}};
        for (const auto &r : rows)
            QTest::addRow("%d", r.position) << r.position << QString::fromLatin1(r.text);
    }
    void scaleTexts()
    {
        QFETCH(int, position);
        QFETCH(QString, text);
        QCOMPARE(monitor::text(position), text);
        QCOMPARE(monitor::levelAt(position), text.toDouble());
    }

    void scaleFallsAndRoundTrips()
    {
        for (int p = 1; p < monitor::kPositions; ++p) {
            QVERIFY2(monitor::levelAt(p) > monitor::levelAt(p - 1), qPrintable(QString::number(p)));
            QCOMPARE(monitor::positionFor(monitor::levelAt(p)), p);
        }
    }

    void typedLevels_data()
    {
        QTest::addColumn<double>("typed");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("wire");
        QTest::newRow("between half steps") << -20.2 << 63 << -202;
        QTest::newRow("below -96") << -97.0 << 0 << -970;
        QTest::newRow("bottom is off") << -99.9 << 0 << -1270;
        QTest::newRow("above the top") << 3.0 << 127 << 0;
        QTest::newRow("not a number") << std::nan("") << 0 << -1270;
    }
    void typedLevels()
    {
        QFETCH(double, typed);
        QFETCH(int, position);
        QFETCH(int, wire);
        QCOMPARE(monitor::positionFor(typed), position);
        QCOMPARE(int(monitor::wire(typed)), wire);
    }

    void storedChoicesAtStart_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QList<Route>>("routes"); // outputs 1..8
        const Route none{-1, -1};
        QTest::newRow("K2 defaults") << false << QStringList()
                                     << QList<Route>{{2, 1}, {2, 2}, {5, 1}, {5, 2}, {5, 3}, {5, 4}, {3, 1}, {3, 2}};
        QTest::newRow("K1 defaults, its outputs only")
            << true << QStringList() << QList<Route>{{2, 1}, {2, 2}, none, none, none, none, none, none};
        // 36 and -1 are no choice of the large model: those outputs keep the key's default.
        QTest::newRow("K2 stored") << false
                                   << QStringList{"LineOut1=0", "LineOut2=19", "LineOut3=35", "LineOut4=36",
                                                  "LineOut5=-1", "LineOut8=4", "LineOut1_K1=5"}
                                   << QList<Route>{{4, 1}, {4, 20}, {3, 10}, {5, 2}, {5, 3}, {5, 4}, {3, 1}, {4, 5}};
        QTest::newRow("K1 stored") << true << QStringList{"LineOut1_K1=2", "LineOut2_K1=20", "LineOut1=0"}
                                   << QList<Route>{{4, 5}, {2, 2}, none, none, none, none, none, none};
    }
    void storedChoicesAtStart()
    {
        QFETCH(bool, small);
        QFETCH(QStringList, stored);
        QFETCH(QList<Route>, routes);
        UnitRig rig;
        LineOutModel lineOuts(rig.settings, rig.dev);
        const QString group = QStringLiteral("LineOutSettings");
        for (const QString &s : stored)
            rig.settings.writeValue(group, s.section('=', 0, 0), s.section('=', 1).toInt());
        lineOuts.applyStored(small ? UnitModel::K1 : UnitModel::K2);
        // Choices that are no entry of the tables are refused: nothing stored, nothing sent.
        QVERIFY(!lineOuts.select(UnitModel::K2, 9, 0));
        QVERIFY(!lineOuts.select(UnitModel::K2, 1, 36));
        QVERIFY(!lineOuts.select(UnitModel::K1, 3, 0));
        QVERIFY(!lineOuts.select(UnitModel::K1, 2, -1));
        rig.flush();
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(routeOf(rig.fw.state(), n), routes[n - 1]);
        // Loading leaves a bad stored value in the file for the user's next choice to replace.
        rig.settings.sync();
        const QSettings file(rig.settings.mainFilePath(), QSettings::IniFormat);
        for (const QString &s : stored)
            QCOMPARE(file.value(group + '/' + s.section('=', 0, 0)).toInt(), s.section('=', 1).toInt());
    }

    // A target's odd output takes the left half of a source, the even one the right half (the next
    // channel).
    void monitorSources()
    {
        const QStringList left{"MASTER L",   "AUX 1",      "AUX 3",      "COMPUTER 1", "COMPUTER 3", "COMPUTER 5",
                               "COMPUTER 7", "COMPUTER 9", "INPUT 1",    "INPUT 3",    "OPTICAL A1", "OPTICAL A3",
                               "OPTICAL A5", "OPTICAL A7", "OPTICAL B1", "OPTICAL B3", "OPTICAL B5", "OPTICAL B7"};
        const QStringList right{"MASTER R",   "AUX 2",       "AUX 4",      "COMPUTER 2", "COMPUTER 4", "COMPUTER 6",
                                "COMPUTER 8", "COMPUTER 10", "INPUT 2",    "INPUT 4",    "OPTICAL A2", "OPTICAL A4",
                                "OPTICAL A6", "OPTICAL A8",  "OPTICAL B2", "OPTICAL B4", "OPTICAL B6", "OPTICAL B8"};
        for (int i = 0; i < 18; ++i) {
            QCOMPARE(mixer::monitorSources().at(size_t(i)).leftText, left[i]);
            QCOMPARE(mixer::monitorSources().at(size_t(i)).rightText, right[i]);
            const Route from = i == 0 ? Route(2, 1) : i < 3 ? Route(5, 2 * i - 1) : i < 8 ? Route(3, 2 * i - 5)
                                                                                           : Route(4, 2 * i - 15);
            UnitRig rig;
            MonitorModel monitor(rig.settings, rig.dev);
            monitor.setLeftSource(2, i);
            monitor.setRightSource(2, i);
            rig.flush();
            QCOMPARE(routeOf(rig.fw.state(), 5), from);
            QCOMPARE(routeOf(rig.fw.state(), 6), Route(from.first, from.second + 1));
        }
    }
};

QTEST_GUILESS_MAIN(TestRoutingModels)
#include "tst_routingmodels.moc"
