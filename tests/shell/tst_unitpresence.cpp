// The presence state machine without a window: which ticks and names lead to a set-up, a
// disconnection report, or nothing; and the firmware field text.
#include "unitpresence.h"

#include <QSignalSpy>
#include <QtTest>

class TestUnitPresence : public QObject {
    Q_OBJECT

private:
    // Script letters: A absent tick, P present tick, N product name "LYNTRA K2", E empty name.
    static void play(UnitPresence &presence, const QString &script)
    {
        for (const QChar step : script) {
            switch (step.toLatin1()) {
            case 'A':
                presence.tick(false);
                break;
            case 'P':
                presence.tick(true);
                break;
            case 'N':
                presence.productNameReceived(QStringLiteral("LYNTRA K2"));
                break;
            case 'E':
                presence.productNameReceived(QString());
                break;
            default:
                QFAIL("unknown script step");
            }
        }
    }

private slots:
    void sequences_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("loads");
        QTest::addColumn<int>("losses");
        QTest::addColumn<int>("identification");
        QTest::addColumn<bool>("awaiting");
        QTest::newRow("start without unit") << "AAAAA" << 0 << 0 << 0 << true;
        QTest::newRow("present, no name yet") << "PPPP" << 0 << 0 << 0 << true;
        QTest::newRow("first appearance") << "PPNP" << 1 << 0 << 2 << false;
        QTest::newRow("name before presence") << "NPPPP" << 1 << 0 << 2 << false;
        QTest::newRow("unplugged after set-up") << "NPAAAAAA" << 1 << 1 << 0 << true;
        QTest::newRow("replug waits for the name") << "NPAAPPP" << 1 << 1 << 0 << true;
        QTest::newRow("replug then name") << "NPAAPPNPP" << 2 << 1 << 2 << false;
        QTest::newRow("two disconnections") << "NPAANPAANP" << 3 << 2 << 2 << false;
        QTest::newRow("gone before set-up is silent") << "PNAAA" << 0 << 0 << 1 << true;
        QTest::newRow("empty name never sets up") << "EPEP" << 0 << 0 << 0 << true;
        QTest::newRow("name repeats while set up") << "NPNNPP" << 1 << 0 << 2 << false;
    }
    void sequences()
    {
        QFETCH(QString, script);
        QFETCH(int, loads);
        QFETCH(int, losses);
        QFETCH(int, identification);
        QFETCH(bool, awaiting);
        ShellState state;
        UnitPresence presence(state);
        QSignalSpy loaded(&presence, &UnitPresence::loadStoredState);
        QSignalSpy clocked(&presence, &UnitPresence::restoreClock);
        QSignalSpy lost(&presence, &UnitPresence::unitLost);
        play(presence, script);
        QCOMPARE(loaded.count(), loads);
        QCOMPARE(clocked.count(), loads);
        QCOMPARE(lost.count(), losses);
        QCOMPARE(int(state.identification), identification);
        QCOMPARE(state.awaiting_unit, awaiting);
    }

    // The stored state goes out while the unit counts as named, the clock once it counts as set up.
    void setUpOrder()
    {
        ShellState state;
        UnitPresence presence(state);
        QStringList seen;
        connect(&presence, &UnitPresence::loadStoredState, this, [&] {
            seen << QStringLiteral("load %1 %2").arg(state.identification).arg(state.awaiting_unit);
        });
        connect(&presence, &UnitPresence::restoreClock, this,
                [&] { seen << QStringLiteral("clock %1").arg(state.identification); });
        connect(&presence, &UnitPresence::unitLost, this, [&] {
            seen << QStringLiteral("lost %1 %2").arg(state.identification).arg(state.awaiting_unit);
        });
        play(presence, QStringLiteral("NPA"));
        QCOMPARE(seen, QStringList({"load 1 0", "clock 2", "lost 0 1"}));
    }

    void productName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("deselects");
        QTest::newRow("large model") << "LYNTRA K2"
                                     << "LYNTRA K2" << 0;
        QTest::newRow("small model") << "LYNTRA K1"
                                     << "LYNTRA K1" << 0;
        QTest::newRow("empty") << ""
                               << "No Device" << 1;
    }
    void productName()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QFETCH(int, deselects);
        ShellState state;
        UnitPresence presence(state);
        QSignalSpy text(&presence, &UnitPresence::deviceNameChanged);
        QSignalSpy deselect(&presence, &UnitPresence::deselectWanted);
        presence.productNameReceived(name);
        QCOMPARE(text.count(), 1);
        QCOMPARE(text.at(0).at(0).toString(), shown);
        QCOMPARE(deselect.count(), deselects);
    }

    void firmwareText_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown") << 0 << 0 << "No Device";
        QTest::newRow("version only") << 102 << 0 << "No Device";
        QTest::newRow("build only") << 0 << 34 << "No Device";
        QTest::newRow("1.02 0034") << 102 << 34 << "1.02 0034";
        QTest::newRow("minor padded") << 305 << 1 << "3.05 0001";
        QTest::newRow("no leading pad on major") << 1234 << 5678 << "12.34 5678";
        QTest::newRow("wider than the pad") << 65535 << 65535 << "655.35 65535";
    }
    void firmwareText()
    {
        QFETCH(int, version);
        QFETCH(int, build);
        QFETCH(QString, text);
        QCOMPARE(firmwareVersionText(uint16_t(version), uint16_t(build)), text);
    }

    // Each changed figure updates the field; a repeated one leaves it alone.
    void firmwareRepeats_data()
    {
        QTest::addColumn<QList<int>>("versions");
        QTest::addColumn<QList<int>>("builds");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("version then build")
            << QList<int>{102} << QList<int>{34} << QStringList{"No Device", "1.02 0034"};
        QTest::newRow("same twice") << QList<int>{102, 102} << QList<int>{34, 34}
                                    << QStringList{"No Device", "1.02 0034"};
        QTest::newRow("zero is no change at start") << QList<int>{0} << QList<int>{0} << QStringList{};
        QTest::newRow("new version") << QList<int>{102, 103} << QList<int>{34}
                                     << QStringList{"No Device", "No Device", "1.03 0034"};
    }
    void firmwareRepeats()
    {
        QFETCH(QList<int>, versions);
        QFETCH(QList<int>, builds);
        QFETCH(QStringList, texts);
        ShellState state;
        UnitPresence presence(state);
        QStringList seen;
        connect(&presence, &UnitPresence::firmwareTextChanged, this, [&](const QString &t) { seen << t; });
        for (int v : versions)
            presence.firmwareVersionReceived(uint16_t(v));
        for (int b : builds)
            presence.firmwareBuildReceived(uint16_t(b));
        QCOMPARE(seen, texts);
    }
};

QTEST_GUILESS_MAIN(TestUnitPresence)
#include "tst_unitpresence.moc"
