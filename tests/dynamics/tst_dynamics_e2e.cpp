// A stored compressor and EQ setup through the real panel into the virtual unit, value for value: a
// linked pair and a mono strip with the low-cut filter on.
#include "virtualunit.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace lyntra_test;

namespace {

const char kStored[] = R"([Misc]
Information_Dialog=true

[Track3_4]
Link=true
Comp=true
Eq=true
CompThresholdPos=43
CompRatioPos=83
CompGainPos=18
CompAttackPos=99
CompReleasePos=49
EqHighGainPos=121
EqHighFreqPos=0
EqHighMidGainPos=6
EqHighMidFreqPos=127
EqHighMidQFreqPos=107
EqLowMidGainPos=66
EqLowMidFreqPos=1
EqLowMidQFreqPos=108
EqLowGainPos=5
EqLowFreqPos=127

[Track9]
Comp=true
Eq=true
EqLowCutFilter=true
CompThresholdPos=124
CompRatioPos=84
EqLowGainPos=100
)";

// What the unit must hold per input (numbered from 0): the compressor's on, threshold, ratio, gain,
// attack, release and link, then each EQ band (low, low-mid, high-mid, high) as on, gain, freq and q.
const char *const kHeld[] = {
    "2: 1 -21 160 3 200 50 2 | 1 0 31 255 | 1 13 0 6 | 1 1 63 5 | 1 24 32 255",
    "3: 1 -21 160 3 200 50 3 | 1 0 31 255 | 1 13 0 6 | 1 1 63 5 | 1 24 32 255",
    "8: 1 0 255 0 2 1 1 | 1 255 5 255 | 1 12 14 2 | 1 12 27 2 | 1 12 47 255",
};

QString firstMismatch(const QJsonObject &state)
{
    const QStringList fields[] = {{"on", "threshold", "ratio", "gain", "attack", "release", "link"},
                                  {"on", "gain", "freq", "q"}};
    for (const char *row : kHeld) {
        const QString input = QString(row).section(':', 0, 0);
        const QStringList groups = QString(row).section(':', 1).split('|');
        for (int g = 0; g < groups.size(); ++g) {
            const QStringList values = groups[g].split(' ', Qt::SkipEmptyParts);
            for (int i = 0; i < values.size(); ++i) {
                const QString path =
                    g == 0 ? QStringLiteral("comp.%1.%2").arg(input, fields[0][i])
                           : QStringLiteral("eq.%1.%2.%3").arg(input).arg(g - 1).arg(fields[1][i]);
                const QJsonValue v = json_at(state, path);
                if (!v.isDouble() || v.toInt() != values[i].toInt())
                    return QStringLiteral("%1 is %2, expected %3")
                        .arg(path, v.toVariant().toString(), values[i]);
            }
        }
    }
    return QString();
}

} // namespace

class TstDynamicsE2E : public QObject {
    Q_OBJECT

private slots:
    void storedDynamicsReachTheUnit()
    {
        QTemporaryDir tmp;
        QVERIFY(VirtualUnit::available());
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + "/AVENOR";
        QVERIFY(QDir().mkpath(config));
        QFile file(config + "/DUOMIX_Setting.ini");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(kStored), qint64(sizeof(kStored) - 1));
        file.close();

        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        QProcess panel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp.path()); // the single-instance lock stays private to this test
        env.insert("LYNTRA_UNIT", "virtual");
        panel.setProcessEnvironment(env);
        panel.start(bin_dir() + "/lyntra-panel", QStringList());
        QVERIFY(panel.waitForStarted(5000));

        QJsonObject state;
        const bool held = wait_until([&] { return firstMismatch(state = unit.state()).isEmpty(); });
        QVERIFY2(held, qPrintable(firstMismatch(state)));
        QCOMPARE(panel.state(), QProcess::Running);
        panel.terminate();
        QVERIFY(panel.waitForFinished(5000));
    }
};

QTEST_MAIN(TstDynamicsE2E)
#include "tst_dynamics_e2e.moc"
