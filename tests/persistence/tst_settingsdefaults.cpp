// What every key reads as when the files are missing, hold the stand-by values, or hold rubbish.
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>

namespace {

void writeMainFile(const QByteArray &text)
{
    Settings probe;
    const QString file = probe.mainFilePath();
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

} // namespace

class TestSettingsDefaults : public QObject {
    Q_OBJECT

private slots:
    void init();

    void noFiles_data();
    void noFiles();
    void namedReadsNoFiles_data();
    void namedReadsNoFiles();
    void standbyReadsAsDefault_data();
    void standbyReadsAsDefault();
    void storedValues_data();
    void storedValues();
    void genericReadsKeepStandby();
    void everyTableKeyHasItsType();
};

void TestSettingsDefaults::init()
{
    Settings s;
    QFile::remove(s.mainFilePath());
    QFile::remove(s.clockFilePath());
}

void TestSettingsDefaults::noFiles_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");

    const auto row = [](const char *group, const char *key, const QVariant &v) {
        QTest::addRow("%s/%s", group, key) << QString::fromUtf8(group) << QString::fromUtf8(key) << v;
    };
    // Channel strips: faders at 0 dB, pans centred, sends off.
    for (const char *track : {"Track1", "Track20", "Track3_4"}) {
        QTest::addRow("%s/Fader_pos", track) << track << "Fader_pos" << QVariant(365);
        QTest::addRow("%s/Fader_value", track) << track << "Fader_value" << QVariant("  0 dB");
        QTest::addRow("%s/Fader", track) << track << "Fader" << QVariant(0.0);
        QTest::addRow("%s/Pan_pos", track) << track << "Pan_pos" << QVariant(20);
        QTest::addRow("%s/Pan_value", track) << track << "Pan_value" << QVariant("C");
        QTest::addRow("%s/Send1_Level", track) << track << "Send1_Level" << QVariant(0);
        QTest::addRow("%s/Send4_Value", track) << track << "Send4_Value" << QVariant("-inf.");
    }
    // The master strip differs.
    row("TrackMaster", "Fader_pos", 453);
    row("TrackMaster", "Fader_value", "-infinity");
    row("TrackMaster", "Fader", -99.9);
    row("TrackMaster", "Send1_Level", 102);
    row("TrackMaster", "Send4_Level", 102);
    row("TrackMaster", "Send2_Value", "  0dB");
    row("TrackMaster", "Send3_Point", 1);
    row("TrackMaster", "Return_Level", 0);
    row("TrackMaster", "Return_Value", "-inf.");
    row("Track7", "Send2_Point", 1);
    row("Track7", "Name", "");
    row("Track7", "Mute", false);
    row("Track7", "TrueBypass", false);
    row("Track1_2", "Link", false);
    // Dynamics and EQ knobs.
    row("Track5", "CompThresholdPos", 127);
    row("Track5", "CompRatioPos", 0);
    row("Track5", "CompAttackPos", 0);
    row("Track5", "CompGainText", 365);
    row("Track5", "EqLowMidGainPos", 61);
    row("Track5", "EqHighGainValue", 365);
    row("Track5", "EqHighFreqPos", 60);
    row("Track5", "EqHighMidFreqPos", 54);
    row("Track5", "EqLowMidFreqPos", 28);
    row("Track5", "EqLowFreqPos", 20);
    row("Track5", "EqHighMidQFreqPos", 36);
    row("Track5", "EqLowMidQFreqPos", 36);
    row("Track5", "EqLowFreqText", "");
    // Reverb per type.
    row("Reverb", "Mode", 1);
    row("Reverb", "MasterReverb", true);
    const struct {
        const char *type;
        int preDelay, time, diff;
    } reverb[] = {{"Hall", 90, 27, 20},
                  {"Room", 25, 14, 60},
                  {"Live", 6, 26, 50},
                  {"Studio", 60, 4, 70},
                  {"Plate", 42, 27, 50}};
    for (const auto &r : reverb) {
        QTest::addRow("Reverb/RvbPreDelayPos_%s", r.type)
            << "Reverb" << QStringLiteral("RvbPreDelayPos_%1").arg(r.type) << QVariant(r.preDelay);
        QTest::addRow("Reverb/RvbTimePos_%s", r.type)
            << "Reverb" << QStringLiteral("RvbTimePos_%1").arg(r.type) << QVariant(r.time);
        QTest::addRow("Reverb/RvbDiffPos_%s", r.type)
            << "Reverb" << QStringLiteral("RvbDiffPos_%1").arg(r.type) << QVariant(r.diff);
        QTest::addRow("Reverb/RvbTimeValue_%s", r.type)
            << "Reverb" << QStringLiteral("RvbTimeValue_%1").arg(r.type) << QVariant("");
    }
    // Line outputs of both models.
    for (int n = 1; n <= 8; ++n)
        QTest::addRow("LineOut%d", n)
            << "LineOutSettings" << QStringLiteral("LineOut%1").arg(n) << QVariant(19 + n);
    row("LineOutSettings", "LineOut1_K1", 10);
    row("LineOutSettings", "LineOut2_K1", 11);
    // Monitor and interface flags.
    row("MoniCon", "Output", 0);
    row("MoniCon", "Master", 0.0);
    row("MoniCon OUT1_2", "Mono1", 0.0);
    row("MoniCon OUT7_8", "Mono2", 0.0);
    row("MoniCon OUT3_4", "LINK", false);
    row("MoniCon OUT5_6", "SOURCE_R", 0);
    row("Interface", "AudioPeformanceIndex", 0);
    row("Misc", "Information_Dialog", false);
    row("Panel", "MainWindowPanel", 365);
    row("Update", "JsonUrl", "");
}

void TestSettingsDefaults::noFiles()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    const Settings s;
    const QVariant v = s.value(group, key);
    QCOMPARE(v, expected);
    QVERIFY(!QFile::exists(s.mainFilePath()));
}

// The named operations must address the same keys as the tables.
void TestSettingsDefaults::namedReadsNoFiles_data()
{
    QTest::addColumn<QVariant>("got");
    QTest::addColumn<QVariant>("expected");
    const Settings s;
    const QString m = QStringLiteral("TrackMaster");
    const QString t = QStringLiteral("Track9");
    using K = Settings::CompKnob;
    using B = Settings::EqBand;
    QTest::newRow("faderPos") << QVariant(s.faderPos(t)) << QVariant(365);
    QTest::newRow("faderPos master") << QVariant(s.faderPos(m)) << QVariant(453);
    QTest::newRow("faderValue master") << QVariant(s.faderValue(m)) << QVariant("-infinity");
    QTest::newRow("fader master") << QVariant(s.fader(m)) << QVariant(-99.9);
    QTest::newRow("panPos") << QVariant(s.panPos(t)) << QVariant(20);
    QTest::newRow("panPos alternative") << QVariant(s.panPos(t, true)) << QVariant(79);
    QTest::newRow("panValue") << QVariant(s.panValue(t)) << QVariant("C");
    QTest::newRow("sendLevel master") << QVariant(s.sendLevel(m, 4)) << QVariant(102);
    QTest::newRow("sendValue master") << QVariant(s.sendValue(m, 1)) << QVariant("  0dB");
    QTest::newRow("sendLevel bad number") << QVariant(s.sendLevel(t, 5)) << QVariant(0);
    QTest::newRow("sendValue bad number") << QVariant(s.sendValue(t, 0)) << QVariant("-inf.");
    QTest::newRow("sendPoint") << QVariant(s.sendPoint(t, 3)) << QVariant(1);
    QTest::newRow("returnValue") << QVariant(s.returnValue()) << QVariant("-inf.");
    QTest::newRow("compPos threshold") << QVariant(s.compPos(t, K::Threshold)) << QVariant(127);
    QTest::newRow("compDisplay ratio") << s.compDisplay(t, K::Ratio) << QVariant("");
    QTest::newRow("compDisplay release") << s.compDisplay(t, K::Release) << QVariant(365);
    QTest::newRow("eqGainPos low") << QVariant(s.eqGainPos(t, B::Low)) << QVariant(61);
    QTest::newRow("eqFreqPos high") << QVariant(s.eqFreqPos(t, B::High)) << QVariant(60);
    QTest::newRow("eqFreqPos low-mid") << QVariant(s.eqFreqPos(t, B::LowMid)) << QVariant(28);
    QTest::newRow("eqQPos high-mid") << QVariant(s.eqQPos(t, B::HighMid)) << QVariant(36);
    QTest::newRow("reverbMode") << QVariant(s.reverbMode()) << QVariant(1);
    QTest::newRow("masterReverb") << QVariant(s.masterReverb()) << QVariant(true);
    QTest::newRow("rvbPreDelayPos studio") << QVariant(s.rvbPreDelayPos(4)) << QVariant(60);
    QTest::newRow("rvbTimePos room") << QVariant(s.rvbTimePos(2)) << QVariant(14);
    QTest::newRow("rvbDiffPos plate") << QVariant(s.rvbDiffPos(5)) << QVariant(50);
    QTest::newRow("rvbDiffPos unknown type is hall") << QVariant(s.rvbDiffPos(9)) << QVariant(20);
    QTest::newRow("lineOut 8") << QVariant(s.lineOut(8)) << QVariant(27);
    QTest::newRow("lineOutK1 2") << QVariant(s.lineOutK1(2)) << QVariant(11);
    QTest::newRow("moniConOutput") << QVariant(s.moniConOutput()) << QVariant(0);
    QTest::newRow("moniConMono") << QVariant(s.moniConMono(4, 2)) << QVariant(0.0);
    QTest::newRow("informationDialog") << QVariant(s.informationDialog()) << QVariant(false);
    QTest::newRow("clock source") << QVariant(s.readClock("SampleClockSourceId")) << QVariant(0);
    QTest::newRow("optical B") << QVariant(s.readClock("Optical_B")) << QVariant(0);
}

void TestSettingsDefaults::namedReadsNoFiles()
{
    QFETCH(QVariant, got);
    QFETCH(QVariant, expected);
    QCOMPARE(got, expected);
}

void TestSettingsDefaults::standbyReadsAsDefault_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("int 365 -> pan default") << QByteArray("[Track2]\nPan_pos=365\n") << "Track2"
                                            << "Pan_pos" << QVariant(20);
    QTest::newRow("int 365 -> send master default")
        << QByteArray("[TrackMaster]\nSend2_Level=365\n") << "TrackMaster"
        << "Send2_Level" << QVariant(102);
    QTest::newRow("int 365 -> line out default")
        << QByteArray("[LineOutSettings]\nLineOut3=365\n") << "LineOutSettings"
        << "LineOut3" << QVariant(22);
    QTest::newRow("int 365 -> threshold default")
        << QByteArray("[Track4]\nCompThresholdPos=365\n") << "Track4"
        << "CompThresholdPos" << QVariant(127);
    // The master fader's stand-by is 453, so a stored 365 is a real position there.
    QTest::newRow("master fader 365 is kept") << QByteArray("[TrackMaster]\nFader_pos=365\n") << "TrackMaster"
                                              << "Fader_pos" << QVariant(365);
    QTest::newRow("channel fader 453 is kept") << QByteArray("[Track1]\nFader_pos=453\n") << "Track1"
                                               << "Fader_pos" << QVariant(453);
    QTest::newRow("double 1000 -> master fader default")
        << QByteArray("[TrackMaster]\nFader=1000\n") << "TrackMaster"
        << "Fader" << QVariant(-99.9);
    QTest::newRow("double 1000 -> channel fader default") << QByteArray("[Track6]\nFader=1000\n") << "Track6"
                                                          << "Fader" << QVariant(0.0);
    QTest::newRow("double 1000 -> monitor default")
        << QByteArray("[MoniCon%20OUT3_4]\nMono1=1000\n") << "MoniCon OUT3_4"
        << "Mono1" << QVariant(0.0);
    QTest::newRow("empty text -> fader text default") << QByteArray("[Track6]\nFader_value=\n") << "Track6"
                                                      << "Fader_value" << QVariant("  0 dB");
}

void TestSettingsDefaults::standbyReadsAsDefault()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    writeMainFile(file);
    const Settings s;
    QCOMPARE(s.value(group, key), expected);
}

void TestSettingsDefaults::storedValues_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");
    const auto row = [](const char *name, const char *file, const char *group, const char *key,
                        const QVariant &v) {
        QTest::newRow(name) << QByteArray(file) << QString::fromUtf8(group) << QString::fromUtf8(key) << v;
    };
    row("int", "[Track1]\nFader_pos=300\n", "Track1", "Fader_pos", 300);
    row("negative int", "[Track1]\nSend1_Level=-5\n", "Track1", "Send1_Level", -5);
    row("double", "[Track1]\nFader=-12.5\n", "Track1", "Fader", -12.5);
    row("bool true", "[Track1]\nMute=true\n", "Track1", "Mute", true);
    row("bool as number", "[Track1]\nMute=1\n", "Track1", "Mute", true);
    row("text", "[Track1]\nPan_value=L12\n", "Track1", "Pan_value", "L12");
    row("text with comma", "[Track1]\nName=Lead, Vox\n", "Track1", "Name", "Lead, Vox");
    row("quoted text", "[Track1]\nName=\"  0 dB\"\n", "Track1", "Name", "  0 dB");
    // Rubbish reads as the default, never as a half-parsed value.
    row("int rubbish", "[Track1]\nFader_pos=abc\n", "Track1", "Fader_pos", 365);
    row("int with tail", "[Track1]\nPan_pos=12x\n", "Track1", "Pan_pos", 20);
    row("int overflow", "[Track1]\nPan_pos=99999999999\n", "Track1", "Pan_pos", 20);
    row("int fraction", "[Track1]\nPan_pos=3.5\n", "Track1", "Pan_pos", 20);
    row("double rubbish", "[TrackMaster]\nFader=loud\n", "TrackMaster", "Fader", -99.9);
    row("double nan", "[TrackMaster]\nFader=nan\n", "TrackMaster", "Fader", -99.9);
    row("double inf", "[Track2]\nFader=inf\n", "Track2", "Fader", 0.0);
    row("bool rubbish, default false", "[Track1]\nMute=maybe\n", "Track1", "Mute", false);
    row("bool rubbish, default true", "[Reverb]\nMasterReverb=maybe\n", "Reverb", "MasterReverb", true);
    row("bool false kept", "[Reverb]\nMasterReverb=false\n", "Reverb", "MasterReverb", false);
    row("list for an int", "[Track1]\nPan_pos=1, 2\n", "Track1", "Pan_pos", 20);
    row("variant for an int", "[Track1]\nPan_pos=@Rect(1 2 3 4)\n", "Track1", "Pan_pos", 20);
    // Monitor output: only 1..3 are outputs.
    for (const char *v : {"1", "2", "3"})
        QTest::addRow("output %s", v) << QByteArray("[MoniCon]\nOutput=") + v + "\n"
                                      << "MoniCon"
                                      << "Output" << QVariant(QByteArray(v).toInt());
    for (const char *v : {"0", "4", "-1", "365", "x"})
        QTest::addRow("output %s", v) << QByteArray("[MoniCon]\nOutput=") + v + "\n"
                                      << "MoniCon"
                                      << "Output" << QVariant(0);
}

void TestSettingsDefaults::storedValues()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    writeMainFile(file);
    const Settings s;
    QCOMPARE(s.value(group, key), expected);
}

// The generic operations of the section return the stand-by itself; only the tables replace it.
void TestSettingsDefaults::genericReadsKeepStandby()
{
    const Settings s;
    QCOMPARE(s.readInt("Track1", "Pan_pos"), 365);
    QCOMPARE(s.readInt453("TrackMaster", "Fader_pos"), 453);
    QCOMPARE(s.readDouble("TrackMaster", "Fader"), 1000.0);
    QCOMPARE(s.readBool("Reverb", "MasterReverb"), false);
    QCOMPARE(s.readBoolTrue("Track1", "Mute"), true);
    QCOMPARE(s.readString("Track1", "Pan_value"), QString());
    QCOMPARE(s.value("NoSuchGroup", "NoSuchKey"), QVariant());
}

void TestSettingsDefaults::everyTableKeyHasItsType()
{
    using settings::ValueType;
    const Settings s;
    int checked = 0;
    for (const settings::KeyEntry &entry : settings::allKeys()) {
        QStringList groups{entry.group};
        if (entry.kind == settings::GroupKind::Channel)
            groups = settings::channelGroups();
        else if (entry.kind == settings::GroupKind::MonitorPair)
            groups = settings::monitorGroups();
        for (const QString &g : groups) {
            const QVariant v = s.value(g, entry.key);
            const int want = entry.type == ValueType::Int      ? QMetaType::Int
                             : entry.type == ValueType::Bool   ? QMetaType::Bool
                             : entry.type == ValueType::String ? QMetaType::QString
                                                              : QMetaType::Double;
            QVERIFY2(v.userType() == want, qPrintable(g + "/" + entry.key));
            ++checked;
        }
    }
    // 31 channel groups times the channel keys, plus the fixed and monitor rows.
    QVERIFY2(checked > 31 * 50, qPrintable(QString::number(checked)));
}

QTEST_GUILESS_MAIN(TestSettingsDefaults)
#include "tst_settingsdefaults.moc"
