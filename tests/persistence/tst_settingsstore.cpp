// Where values land on disk, what survives a new object, and what deleting or replacing the main file
// does to the stores.
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

#include <functional>

namespace {

QString configDir()
{
    return QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using Write = std::function<void(Settings &)>;

} // namespace

Q_DECLARE_METATYPE(Write)

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void init();

    void filePaths();
    void namedWritesUseTheKeys_data();
    void namedWritesUseTheKeys();
    void utf8Names_data();
    void utf8Names();
    void linksSurviveNewObject_data();
    void linksSurviveNewObject();
    void deleteKeepsClockStore();
    void replaceMainFile();
    void reopenSeesFileReplacedBehindItsBack();
    void sceneNames();
    void windowGeometry();
};

void TestSettingsStore::init()
{
    QVERIFY2(!configDir().isEmpty(), "run through run-isolated.sh");
    QDir(configDir()).removeRecursively();
}

void TestSettingsStore::filePaths()
{
    const Settings s;
    QCOMPARE(s.mainFilePath(), configDir() + "/AVENOR/DUOMIX_Setting.ini");
    QCOMPARE(s.clockFilePath(), configDir() + "/AVENOR/DUOMIX_Setting_ClockSource.ini");
    QCOMPARE(Settings::sceneNameFilePath(), configDir() + "/AVENOR/DUOMIX_SceneMemory.ini");
}

// Each named write must land under the group and key the product uses, and read back.
void TestSettingsStore::namedWritesUseTheKeys_data()
{
    QTest::addColumn<Write>("write");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    using K = Settings::CompKnob;
    using B = Settings::EqBand;
    const auto row = [](const char *name, Write w, const char *group, const char *key, const char *stored) {
        QTest::newRow(name) << w << QString::fromUtf8(group) << QString::fromUtf8(key)
                            << QString::fromUtf8(stored);
    };
    row(
        "fader pos", [](Settings &s) { s.setFader("Track3", 200, " -3 dB", -3.0); }, "Track3", "Fader_pos",
        "200");
    row(
        "fader text", [](Settings &s) { s.setFader("Track3", 200, " -3 dB", -3.0); }, "Track3", "Fader_value",
        " -3 dB");
    row(
        "fader dB", [](Settings &s) { s.setFader("Track3", 200, " -3 dB", -3.5); }, "Track3", "Fader",
        "-3.5");
    row(
        "pan", [](Settings &s) { s.setPan("Track1_2", 5, "L15"); }, "Track1_2", "Pan_pos", "5");
    row(
        "pan text", [](Settings &s) { s.setPan("Track1_2", 5, "L15"); }, "Track1_2", "Pan_value", "L15");
    row(
        "send 3", [](Settings &s) { s.setSend("TrackMaster", 3, 90, " -6dB"); }, "TrackMaster", "Send3_Level",
        "90");
    row(
        "send 3 text", [](Settings &s) { s.setSend("Track2", 3, 90, " -6dB"); }, "Track2", "Send3_Value",
        " -6dB");
    row(
        "send point", [](Settings &s) { s.setSendPoint("Track2", 4, 0); }, "Track2", "Send4_Point", "0");
    row(
        "return", [](Settings &s) { s.setReturn(40, "-20dB"); }, "TrackMaster", "Return_Level", "40");
    row(
        "comp ratio", [](Settings &s) { s.setCompKnob("Track8", K::Ratio, 3, "4:1"); }, "Track8",
        "CompRatioText", "4:1");
    row(
        "comp attack", [](Settings &s) { s.setCompKnob("Track8", K::Attack, 9, 12); }, "Track8",
        "CompAttackText", "12");
    row(
        "eq gain", [](Settings &s) { s.setEqGain("Track8", B::HighMid, 70, 3); }, "Track8",
        "EqHighMidGainValue", "3");
    row(
        "eq freq", [](Settings &s) { s.setEqFreq("Track8", B::Low, 22, "80Hz"); }, "Track8", "EqLowFreqPos",
        "22");
    row(
        "eq q", [](Settings &s) { s.setEqQ("Track8", B::LowMid, 40, "1.4"); }, "Track8", "EqLowMidQFreqText",
        "1.4");
    row(
        "true bypass", [](Settings &s) { s.setTrueBypass(7, true); }, "Track7", "TrueBypass", "true");
    row(
        "link", [](Settings &s) { s.setLink("Track5_6", true); }, "Track5_6", "Link", "true");
    row(
        "reverb time", [](Settings &s) { s.setRvbTime(3, 30, "1.2s"); }, "Reverb", "RvbTimeValue_Live",
        "1.2s");
    row(
        "reverb diff", [](Settings &s) { s.setRvbDiff(5, 33); }, "Reverb", "RvbDiffPos_Plate", "33");
    row(
        "monitor mono", [](Settings &s) { s.setMoniConMono(2, 2, -6.5); }, "MoniCon OUT3_4", "Mono2", "-6.5");
    row(
        "monitor source", [](Settings &s) { s.setMoniConSource(4, true, 3); }, "MoniCon OUT7_8", "SOURCE_R",
        "3");
    row(
        "monitor link", [](Settings &s) { s.setMoniConLink(1, true); }, "MoniCon OUT1_2", "LINK", "true");
    row(
        "line out", [](Settings &s) { s.setLineOut(6, 3); }, "LineOutSettings", "LineOut6", "3");
    row(
        "line out K1", [](Settings &s) { s.setLineOutK1(2, 4); }, "LineOutSettings", "LineOut2_K1", "4");
    row(
        "page", [](Settings &s) { s.setMainWindowPanel(2); }, "Panel", "MainWindowPanel", "2");
    row(
        "buffer index", [](Settings &s) { s.setAudioPerformanceIndex(9); }, "Interface",
        "AudioPeformanceIndex", "9");
    row(
        "info dialog", [](Settings &s) { s.setInformationDialog(true); }, "Misc", "Information_Dialog",
        "true");
    row(
        "update", [](Settings &s) { s.setUpdateText("FirmDialog", "1.02"); }, "Update", "FirmDialog", "1.02");
}

void TestSettingsStore::namedWritesUseTheKeys()
{
    QFETCH(Write, write);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    {
        Settings s;
        write(s);
    }
    QSettings file(configDir() + "/AVENOR/DUOMIX_Setting.ini", QSettings::IniFormat);
    QCOMPARE(file.value(group + "/" + key).toString(), stored);
    const Settings again;
    QCOMPARE(again.value(group, key).toString(), stored);
}

void TestSettingsStore::utf8Names_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("umlaut and CJK") << QStringLiteral("Gesang \u00fc \u58f0");
    QTest::newRow("kana") << QStringLiteral("\u30ae\u30bf\u30fc");
    QTest::newRow("comma") << QStringLiteral("Lead, Vox");
    QTest::newRow("quotes and equals") << QStringLiteral("a=\"b\";c");
    QTest::newRow("leading blanks") << QStringLiteral("  Kick");
}

void TestSettingsStore::utf8Names()
{
    QFETCH(QString, name);
    {
        Settings s;
        s.setName("Track12", name);
        Settings::setSceneName(4, name);
    }
    const Settings s;
    QCOMPARE(s.name("Track12"), name);
    QCOMPARE(Settings::sceneName(4), name);
    // Stored as UTF-8 text, not as escapes, so the file stays readable.
    if (name.startsWith("Gesang"))
        QVERIFY(fileBytes(s.mainFilePath()).contains(name.toUtf8()));
}

void TestSettingsStore::linksSurviveNewObject_data()
{
    QTest::addColumn<int>("mask");
    for (int mask : {0x000, 0x3ff, 0x155, 0x2aa, 0x001, 0x200})
        QTest::addRow("0x%03x", mask) << mask;
}

void TestSettingsStore::linksSurviveNewObject()
{
    QFETCH(int, mask);
    {
        Settings s;
        for (int p = 1; p <= 10; ++p)
            s.setLink(settings::pairGroup(p), mask & (1 << (p - 1)));
    }
    const Settings s;
    for (int p = 1; p <= 10; ++p)
        QCOMPARE(s.link(settings::pairGroup(p)), bool(mask & (1 << (p - 1))));
}

void TestSettingsStore::deleteKeepsClockStore()
{
    Settings s;
    s.writeClock("SampleClockSourceId", 4);
    s.writeClock("Optical_A", 2);
    s.writeClock("Optical_B", 1);
    s.setMute("Track1", true);
    s.setFader("TrackMaster", 100, "-20 dB", -20.0);
    s.sync();
    QVERIFY(QFile::exists(s.mainFilePath()));

    QVERIFY(s.deleteMainFile());
    QVERIFY(!QFile::exists(s.mainFilePath()));
    QCOMPARE(s.mute("Track1"), false);
    QCOMPARE(s.faderPos("TrackMaster"), 453);
    QCOMPARE(s.readClock("SampleClockSourceId"), 4);

    // Initialize writes the information flag into the fresh file.
    s.setInformationDialog(false);
    s.sync();
    QVERIFY(QFile::exists(s.mainFilePath()));
    QVERIFY(!fileBytes(s.mainFilePath()).contains("Mute"));

    const Settings fresh;
    QCOMPARE(fresh.readClock("SampleClockSourceId"), 4);
    QCOMPARE(fresh.readClock("Optical_A"), 2);
    QCOMPARE(fresh.readClock("Optical_B"), 1);
    QCOMPARE(fresh.mute("Track1"), false);
}

void TestSettingsStore::replaceMainFile()
{
    const QString slot = configDir() + "/AVENOR/DUOMIX_sm3.ini";
    {
        QSettings scene(slot, QSettings::IniFormat);
        scene.setValue("Track2/Mute", true);
        scene.setValue("Track2/Name", "Bass");
    }
    Settings s;
    s.writeClock("SampleClockSourceId", 3);
    s.setMute("Track2", false);
    s.setSolo("Track9", true); // pending, not in the slot

    QVERIFY(!s.replaceMainFile(configDir() + "/AVENOR/missing.ini"));
    QCOMPARE(s.solo("Track9"), true);
    // Replacing the file by itself must not delete it first.
    s.sync();
    QVERIFY(!s.replaceMainFile(s.mainFilePath()));
    QCOMPARE(s.solo("Track9"), true);
    QVERIFY(QFile::exists(s.mainFilePath()));

    QVERIFY(s.replaceMainFile(slot));
    QCOMPARE(s.mute("Track2"), true);
    QCOMPARE(s.name("Track2"), QStringLiteral("Bass"));
    QCOMPARE(s.solo("Track9"), false);
    QCOMPARE(s.readClock("SampleClockSourceId"), 3);
    // The slot is a copy, not moved.
    QVERIFY(QFile::exists(slot));
}

void TestSettingsStore::reopenSeesFileReplacedBehindItsBack()
{
    Settings s;
    s.setName("Track1", "Old");
    s.sync();
    const QString file = s.mainFilePath();
    QVERIFY(QFile::remove(file));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Track1]\nName=Replaced text that is longer\n");
    }
    s.reopenMain();
    QCOMPARE(s.name("Track1"), QStringLiteral("Replaced text that is longer"));
}

void TestSettingsStore::sceneNames()
{
    QStringList expected;
    for (int n = 1; n <= 10; ++n)
        expected << QStringLiteral("SceneMemory%1").arg(n);
    QCOMPARE(Settings::sceneNames(), expected);
    QVERIFY(!QFile::exists(Settings::sceneNameFilePath()));

    Settings::setSceneName(10, "Live set");
    Settings::setSceneName(11, "ignored");
    Settings::setSceneName(0, "ignored");
    expected[9] = QStringLiteral("Live set");
    QCOMPARE(Settings::sceneNames(), expected);
    QVERIFY(!fileBytes(Settings::sceneNameFilePath()).contains("ignored"));

    // A fresh object per access: a file changed by someone else is seen at once.
    QVERIFY(QFile::remove(Settings::sceneNameFilePath()));
    QCOMPARE(Settings::sceneName(10), QStringLiteral("SceneMemory10"));
    QCOMPARE(Settings::sceneName(11), QString());
}

void TestSettingsStore::windowGeometry()
{
    const QByteArray geometry("\x01\xd9\xd0\xcb\x00\x03\x00\x00", 8);
    Settings::writeWindowGeometry(geometry);
    QSettings native(QStringLiteral("AVENOR"), QStringLiteral("DUOMIX"));
    QCOMPARE(native.value("Window/geometry").toByteArray(), geometry);
    QVERIFY(!native.fileName().endsWith("DUOMIX_Setting.ini"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
