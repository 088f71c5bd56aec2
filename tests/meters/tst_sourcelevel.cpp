// The virtual unit's source-level and freeze commands: a test can put an input at an exact meter value.
#include "control_commands.h"
#include "fault_plan.h"
#include "firmware.h"
#include "trace_log.h"

#include <QtTest>

using namespace lyntra::fw;

class TestSourceLevel : public QObject {
    Q_OBJECT

private slots:
    void setsSteadyLevels_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("meter"); // input 3's meter afterwards; -1: refused
        QTest::newRow("linear, exact") << "set level 3 29204" << 29204;
        QTest::newRow("silence") << "set level 3 0" << 0;
        QTest::newRow("full scale") << "set level 3 32768" << 32768;
        QTest::newRow("in dB") << "set level 3 -6dB" << 16423;
        QTest::newRow("above full scale") << "set level 3 32769" << -1;
        QTest::newRow("above 0 dB") << "set level 3 1dB" << -1;
        QTest::newRow("no such input") << "set level 21 100" << -1;
        QTest::newRow("not a level") << "set level 3 loud" << -1;
    }
    void setsSteadyLevels()
    {
        QFETCH(QString, command);
        QFETCH(int, meter);
        Firmware fw;
        FaultPlan faults;
        TraceLog trace;
        ControlCommands commands(fw, faults, trace, {});
        fw.setTime(2.0);
        const uint32_t moving = fw.inputLevel(3);
        const QByteArray answer = commands.handle(command);
        if (meter < 0) {
            QVERIFY2(answer.contains("\"error\""), answer.constData());
            QCOMPARE(fw.inputLevel(3), moving);
            return;
        }
        QCOMPARE(answer, QByteArray("{\"ok\":true}"));
        QCOMPARE(fw.inputLevel(3), uint32_t(meter));
        fw.setTime(3.1);
        QCOMPARE(fw.inputLevel(3), uint32_t(meter));
        QCOMPARE(commands.handle("set level 3 signal"), QByteArray("{\"ok\":true}"));
        QVERIFY(fw.inputLevel(3) != uint32_t(meter));
    }

    void freezeHoldsTheTestSignal()
    {
        Firmware fw;
        FaultPlan faults;
        TraceLog trace;
        ControlCommands commands(fw, faults, trace, {});
        fw.setTime(1.0);
        QCOMPARE(commands.handle("set freeze on"), QByteArray("{\"ok\":true}"));
        const uint32_t held = fw.inputLevel(1);
        fw.setTime(2.0);
        QCOMPARE(fw.inputLevel(1), held);
        QVERIFY(commands.handle("status").contains("\"frozen\":true"));
        QVERIFY(commands.handle("set freeze maybe").contains("\"error\""));
        QCOMPARE(commands.handle("set freeze off"), QByteArray("{\"ok\":true}"));
        fw.setTime(2.0);
        QVERIFY(fw.inputLevel(1) != held);
    }
};

QTEST_APPLESS_MAIN(TestSourceLevel)
#include "tst_sourcelevel.moc"
