// The settings stores: every key of the key table through the file and back, what stand-by values and
// rubbish read as, the named operations' keys, the main file's handling, and the driver's buffer size.
#include "confighome.h"
#include "buffersize.h"
#include "scenestore.h"
#include "settings.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>

#include <sys/resource.h>

namespace {

QString configDir()
{
    return QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
}

QString mainFile()
{
    return configDir() + QStringLiteral("/AVENOR/DUOMIX_Setting.ini");
}

void writeFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
    f.flush(); // before the time is set, or closing stamps it with now
    // Qt reuses a parsed file while its size and time look the same: every write gets its own time.
    static int writes = 0;
    QVERIFY(f.setFileTime(QDateTime::fromSecsSinceEpoch(1500000000 + ++writes),
                          QFileDevice::FileModificationTime));
}

// INI section names escape the blank of "MoniCon OUT3_4".
QByteArray section(const QString &group)
{
    return "[" + QByteArray(group.toUtf8()).replace(' ', "%20") + "]\n";
}

// A stored value of the key's type that differs from its default and lies in its range.
QVariant otherValue(const settings::KeyEntry &e, const QVariant &def)
{
    switch (e.type) {
    case settings::ValueType::Int:
        return e.lo <= e.hi ? (def.toInt() == e.hi ? e.lo : e.hi) : def.toInt() == 42 ? 43 : 42;
    case settings::ValueType::Bool:
        return !def.toBool();
    case settings::ValueType::String:
        return QString::fromUtf8("Gé, \"声\"");
    case settings::ValueType::Double:
        return -12.5;
    }
    return {};
}

int driverBlockFrames()
{
    return QSettings(QStringLiteral("AVENOR"), QStringLiteral("LYNTRAK1_K2"))
        .value(QStringLiteral("ASIODRIVER/blockFrames"), -1)
        .toInt();
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY2(!configDir().isEmpty(), "run through run-isolated.sh");
        lyntra_test::clear_config_home();
    }

    // Each key in a mono, a pair and the master group, in the first and the last monitor pair, and every
    // fixed key: a written value in the file and back in a fresh object, stand-by and rubbish read as what
    // no file reads as, and a deleted file gives that again. (The defaults themselves are pinned where they
    // matter, below.)
    void everyKeyThroughTheFile()
    {
        struct Row {
            QString group, key;
            settings::ValueType type;
            QVariant def, other;
        };
        QVector<Row> rows;
        const Settings blank;
        for (const settings::KeyEntry &e : settings::allKeys()) {
            const QStringList groups = e.kind == settings::GroupKind::Channel
                                           ? QStringList{"Track20", "Track19_20", settings::kMasterGroup}
                                       : e.kind == settings::GroupKind::MonitorPair
                                           ? QStringList{"MoniCon OUT1_2", "MoniCon OUT7_8"}
                                           : QStringList{e.group};
            for (const QString &g : groups)
                rows.append({g, e.key, e.type, blank.value(g, e.key), otherValue(e, blank.value(g, e.key))});
        }
        QVERIFY2(rows.size() > 200, qPrintable(QString::number(rows.size())));
#define ROW_CHECK(check) QVERIFY2(check, qPrintable(r.group + '/' + r.key))
        Settings s;
        for (const Row &r : rows) {
            ROW_CHECK(r.def.isValid());
            s.writeValue(r.group, r.key, r.other);
        }
        s.sync();
        const QSettings file(mainFile(), QSettings::IniFormat);
        const Settings fresh;
        for (const Row &r : rows) {
            ROW_CHECK(file.value(r.group + '/' + r.key).toString() == r.other.toString());
            ROW_CHECK(fresh.value(r.group, r.key) == r.other);
        }
        for (const char *rubbish : {"standby", "12x"}) {
            for (const Row &r : rows) {
                const QVariant unusable =
                    rubbish[0] != 's'                       ? QVariant(rubbish)
                    : r.type == settings::ValueType::Int    ? QVariant(settings::intStandby(r.group, r.key))
                    : r.type == settings::ValueType::Double ? QVariant(settings::kDoubleStandby)
                                                            : QVariant(QString());
                if (r.type == settings::ValueType::String && !unusable.toString().isEmpty())
                    continue; // any text is a text
                s.writeValue(r.group, r.key, unusable);
                ROW_CHECK(s.value(r.group, r.key) == r.def);
                s.writeValue(r.group, r.key, r.other);
            }
        }
        QVERIFY(s.deleteMainFile());
        for (const Row &r : rows)
            ROW_CHECK(s.value(r.group, r.key) == r.def);
        QVERIFY(!s.value(QStringLiteral("Track1"), QStringLiteral("NoSuchKey")).isValid());
    }

    // The table's own values where no other test meets them (the rest reach the unit in the mixer model's
    // and the routing tests), and stored text as a previous run or a hand edit left it (no text: no
    // file) with what it reads as.
    void readBack_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QVariant>("expected");
        const auto row = [](const char *group, const char *key, const char *stored, const QVariant &v) {
            QTest::addRow("%s/%s=%s", group, key, stored)
                << QString(group) << QString(key) << QByteArray(stored) << v;
        };
        const char *none = "";
        row("TrackMaster", "Fader_pos", none, 453);
        row("Track5", "CompThresholdPos", none, 127);
        row("Track5", "EqLowMidGainPos", none, 61);
        row("Track5", "EqHighMidFreqPos", none, 54);
        row("Track5", "EqLowMidQFreqPos", none, 36);
        row("Reverb", "RvbPreDelayPos_Studio", none, 60);
        row("Reverb", "RvbDiffPos_Hall", none, 20);
        row("Reverb", "Mode", none, 1); // HALL
        row("Reverb", "Mode", "1", 1);
        row("Reverb", "Mode", "0", 5); // a type the panel does not know plays as PLATE
        row("Track1", "Fader", "nan", 0.0);
        row("Remote", "OscPort", none, 9090); // where a controller set up for the panel sends
        row("Track1", "Pan_pos", "99999999999", 20);
        row("Track20", "Pan_pos", "3.5", 79); // an even track falls back to its own lane
        row("Track2", "Pan_pos", "100", 99); // past the right end
        row("Track1", "Mute", "1", true);
        row("Track1", "Name", "\"  0 dB\"", "  0 dB");
        row("Track1", "Name", "Lead, Vox", "Lead, Vox");
        row("Track1", "Name", "Gé 声", QString::fromUtf8("Gé 声")); // the file is UTF-8
    }
    void readBack()
    {
        QFETCH(QString, group);
        QFETCH(QString, key);
        QFETCH(QByteArray, stored);
        QFETCH(QVariant, expected);
        if (!stored.isEmpty())
            writeFile(mainFile(), section(group) + key.toUtf8() + '=' + stored + '\n');
        QCOMPARE(Settings().value(group, key), expected);
    }

    // A scene is the state in use, pending changes included; loading it brings back exactly that and
    // leaves the clock alone; a slot that cannot be read changes nothing.
    // A file replaced by one of the same size at once is still read anew by settings that cache it by
    // time and size: a scene the same size as the mix must not leave the old mix in place.
    void sameSizeReplacementIsRead()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath("same.ini");
        QVERIFY(wholefile::replace(path, "[G]\nk=1\n", nullptr));
        QSettings reader(path, QSettings::IniFormat);
        QCOMPARE(reader.value("G/k").toInt(), 1);
        QVERIFY(wholefile::replace(path, "[G]\nk=2\n", nullptr));
        reader.sync();
        QCOMPARE(reader.value("G/k").toInt(), 2);
    }

    void sceneSaveAndLoad()
    {
        Settings s;
        SceneStore scenes(s);
        QCOMPARE(scenes.slotPath(3), configDir() + "/AVENOR/DUOMIX_sm3.ini");
        QString error;
        QCOMPARE(scenes.load(3, &error), SceneStore::Load::Missing);
        s.writeClock("SampleClockSourceId", 3);
        s.setValue("Track1", settings::key::Mute, true); // not yet on disk
        QVERIFY(scenes.save(3, &error));
        qputenv("TMPDIR", "/proc"); // no folder to work in: a save fails, says why, and keeps the slot
        const bool saved = scenes.save(3, &error);
        qunsetenv("TMPDIR");
        QVERIFY2(!saved && !error.isEmpty(), qPrintable(error));
        s.setValue("Track1", settings::key::Mute, false);
        s.setValue("Track1_2", settings::key::Link, true);
        QCOMPARE(scenes.load(3, &error), SceneStore::Load::Done);
        QCOMPARE(s.value("Track1", settings::key::Mute), true);
        QCOMPARE(s.value("Track1_2", settings::key::Link), false);
        QCOMPARE(s.readClock("SampleClockSourceId"), 3);

        // Too large to be ours: refused unread.
        writeFile(scenes.slotPath(5), QByteArray(17 * 1024 * 1024, '\n'));
        QCOMPARE(scenes.load(5, &error), SceneStore::Load::Failed);
        QVERIFY(!error.isEmpty());
        // Nor one whose reading fails part way, with the system's reason: this file's reads fail at once.
        QVERIFY(QFile::remove(scenes.slotPath(5)) && QFile::link("/proc/self/mem", scenes.slotPath(5)));
        QVERIFY2(scenes.load(5, &error) == SceneStore::Load::Failed && error.contains("error"), qPrintable(error));
        QCOMPARE(s.value("Track1", settings::key::Mute), true);

        // Damaged text: what parses loads, the rest takes its default.
        writeFile(scenes.slotPath(6),
                  "[Track2]\nSolo=true\n\x01\xff\xfe garbage\n[Track3\nMute=true\n[Track4]\nPhase=true\n");
        QCOMPARE(scenes.load(6, &error), SceneStore::Load::Done);
        QCOMPARE(s.value("Track2", settings::key::Solo), true);
        QCOMPARE(s.value("Track4", settings::key::Phase), true);
        QCOMPARE(s.value("Track1", settings::key::Mute), false);
    }

    // A scene is the mix only: the update address, the remembered answers, the remote control and the
    // interface flags stay out of a saved slot, and a slot from elsewhere that carries them changes none
    // of them.
    void sceneIsTheMixOnly()
    {
        Settings s;
        SceneStore scenes(s);
        QString error;
        s.setValue(settings::key::JsonUrl, "https://own.example/doc.json");
        s.setValue("Track3", settings::key::Mute, true);
        s.setValue(settings::key::MoniConOutput, 2);
        QVERIFY(!s.value(settings::key::OscEnabled)); // nothing listens until the user turns it on
        s.setValue(settings::key::OscEnabled, true);
        QVERIFY(scenes.save(2, &error));
        QCOMPARE(QSettings(scenes.slotPath(2), QSettings::IniFormat).childGroups(), (QStringList{"MoniCon", "Track3"}));
        writeFile(scenes.slotPath(4),
                  "[Update]\nJsonUrl=https://evil.example/doc.json\nSoftDialog=9.99\n[Misc]\n"
                  "Information_Dialog=true\nsecret=1\n[Remote]\nOscEnabled=false\nOscNetwork=true\n"
                  "[Track3]\nMute=false\n[Track4]\nSolo=true\n");
        s.setValue(settings::key::JsonUrl, "https://other.example/doc.json");
        for (const int slot : {4, 2}) {
            QCOMPARE(scenes.load(slot, &error), SceneStore::Load::Done);
            QCOMPARE(s.value(settings::key::JsonUrl), QStringLiteral("https://other.example/doc.json"));
            QVERIFY(s.value(settings::key::SoftDialog).isEmpty() && !s.value(settings::key::InformationDialog));
            QVERIFY(s.value(settings::key::OscEnabled) && !s.value(settings::key::OscNetwork));
            QCOMPARE(s.value("Track3", settings::key::Mute), slot == 2);
            QCOMPARE(s.value("Track4", settings::key::Solo), slot == 4);
            QCOMPARE(s.value(settings::key::MoniConOutput), slot == 2 ? 2 : 0);
        }
        QString why; // a file cannot be opened below a file: the user is told why
        QVERIFY(!scenes.exportTo(scenes.slotPath(2) + "/gig.scene", &why) && !why.isEmpty());
    }

    // A save that dies while writing, or one that died before its rename and left its temporary file,
    // leaves the earlier scene whole.
    void interruptedSaveKeepsTheSlot()
    {
        Settings s;
        SceneStore scenes(s);
        QString error;
        s.setValue("Track1", settings::key::Name, "Earlier");
        QVERIFY(scenes.save(3, &error));
        writeFile(scenes.slotPath(3) + ".Xq3f9Z", "[Track1]\nName=Half");

        // The copy into the slot runs out of room halfway.
        s.setValue("Track1", settings::key::Name, QString(64 * 1024, QLatin1Char('x')));
        s.sync();
        struct rlimit before, small;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        small = {16 * 1024, before.rlim_max};
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved = scenes.save(3, &error);
        setrlimit(RLIMIT_FSIZE, &before);
        signal(SIGXFSZ, oldHandler);
        QVERIFY(!saved && !error.isEmpty());

        QCOMPARE(scenes.load(3, &error), SceneStore::Load::Done);
        QCOMPARE(s.value("Track1", settings::key::Name), QStringLiteral("Earlier"));
        s.setValue("Track1", settings::key::Name, "Later");
        QVERIFY(scenes.save(3, &error));
        s.setValue("Track1", settings::key::Name, "Other");
        QCOMPARE(scenes.load(3, &error), SceneStore::Load::Done);
        QCOMPARE(s.value("Track1", settings::key::Name), QStringLiteral("Later"));
    }

    // Erasing takes every slot and name; the reset takes the mixer state (not the remote control) and
    // asks for the start-up box again; neither touches the clock.
    void eraseAndReset()
    {
        Settings s;
        SceneStore scenes(s);
        QString error;
        s.writeClock("Optical_B", 1);
        s.setValue(settings::key::InformationDialog, true);
        s.setValue("Track7", settings::key::Mute, true);
        for (int slot : {1, 10})
            QVERIFY(scenes.save(slot, &error));
        Settings::setSceneName(4, "Live");
        // A name another program wrote with an unquoted comma reads back whole.
        QFile names(Settings::sceneNameFilePath());
        QVERIFY(names.open(QIODevice::Append) && names.write("SceneMemory2=Verse, chorus\n") > 0);
        names.close();
        QCOMPARE(Settings::sceneNames().mid(1, 3), (QStringList{"Verse, chorus", "SceneMemory3", "Live"}));
        QCOMPARE(scenes.eraseAll(), QStringList());
        for (int slot : {1, 10})
            QVERIFY(!scenes.exists(slot));
        QCOMPARE(Settings::sceneNames().at(3), QStringLiteral("SceneMemory4"));
        // Each remote setting kept alone: turned on, open to the network, another port.
        for (const int alone : {0, 1, 2}) {
            s.setValue(settings::key::OscEnabled, alone == 0);
            s.setValue(settings::key::OscNetwork, alone == 1);
            s.setValue(settings::key::OscPort, alone == 2 ? 8000 : 9090);
            QVERIFY(scenes.resetMain(&error));
            const Settings fresh;
            QCOMPARE(fresh.value("Track7", settings::key::Mute), false);
            QCOMPARE(fresh.value(settings::key::InformationDialog), false);
            QCOMPARE(fresh.value(settings::key::OscPort), alone == 2 ? 8000 : 9090);
            QCOMPARE(fresh.value(settings::key::OscNetwork), alone == 1);
            QCOMPARE(fresh.value(settings::key::OscEnabled), alone == 0);
            QVERIFY(QFile::exists(mainFile()));
            QCOMPARE(fresh.readClock("Optical_B"), 1);
        }

        // What cannot go says which file and why.
        QVERIFY(QDir().mkpath(scenes.slotPath(7) + "/in-the-way"));
        const QStringList failures = scenes.eraseAll();
        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures.first().startsWith("DUOMIX_sm7.ini: ") && failures.first().size() > 16,
                 qPrintable(failures.first()));
        QVERIFY(QFile::remove(mainFile()) && QDir().mkpath(mainFile() + "/in-the-way"));
        error.clear();
        QVERIFY(!scenes.resetMain(&error) && !error.isEmpty());
    }

    // Every slider position through the table and the driver's store, and back.
    void bufferSizeTable()
    {
        BufferSize b;
        const int sizes[] = {4, 8, 16, 24, 32, 64, 128, 256, 512, 1024, 2048};
        for (int p = 0; p < BufferSize::kPositions; ++p) {
            b.on_hS_BufferSize_sliderMoved(p);
            QCOMPARE(driverBlockFrames(), sizes[p]); // on disk at once
        }
    }

    void bufferSizeRefresh_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("position");
        QTest::newRow("missing") << QVariant() << 7;
        QTest::newRow("unknown size") << QVariant(100) << 7;
        QTest::newRow("not a number") << QVariant("lots") << 7;
        QTest::newRow("512 as text") << QVariant("512") << 8;
        QTest::newRow("low 16 bits") << QVariant(65536 + 64) << 5;
    }
    void bufferSizeRefresh()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, position);
        if (stored.isValid())
            QSettings("AVENOR", "LYNTRAK1_K2").setValue("ASIODRIVER/blockFrames", stored);
        Settings s;
        BufferSize b([&s](int p) { s.setValue(settings::key::AudioPerformanceIndex, p); });
        QSignalSpy slider(&b, &BufferSize::sliderPositionRequested);
        QSignalSpy step(&b, &BufferSize::sliderPageStepRequested);
        b.refresh_buffer_size();
        QCOMPARE(slider.at(0).at(0).toInt(), position);
        QCOMPARE(step.at(0).at(0).toInt(), 1);
        QCOMPARE(driverBlockFrames(), BufferSize::samplesForPosition(position));
        QCOMPARE(s.value(settings::key::AudioPerformanceIndex), position);
        b.on_hS_BufferSize_valueChanged(42); // off the slider: taken as 7 everywhere
        QCOMPARE(s.value(settings::key::AudioPerformanceIndex), 7);
        QCOMPARE(b.text(), QStringLiteral(" 256 Samples"));
    }

    // The clock store's ranges.
    void outOfRangeClockReads()
    {
        writeFile(configDir() + "/AVENOR/DUOMIX_Setting_ClockSource.ini",
                  "[Interface]\nOptical_A=7\nOptical_B=-1\nSampleClockSourceId=5\n");
        const Settings s;
        QCOMPARE(s.readClock("Optical_A"), 0);
        QCOMPARE(s.readClock("Optical_B"), 0);
        QCOMPARE(s.readClock("SampleClockSourceId"), 0);
    }

    // The flag clears by itself after a move; a direct call clears it at once.
    void bufferSizeFlag()
    {
        BufferSize b;
        QSignalSpy flag(&b, &BufferSize::recentlyChangedChanged);
        b.on_hS_BufferSize_sliderMoved(5);
        QCOMPARE(flag.count(), 1);
        QVERIFY(flag.last().at(0).toBool());
        QTRY_COMPARE_WITH_TIMEOUT(flag.count(), 2, 20000);
        QVERIFY(!flag.last().at(0).toBool());
        b.on_hS_BufferSize_sliderMoved(9);
        b.slt_havePassedSinceBufferSizeChange();
        QCOMPARE(flag.count(), 4);
        QVERIFY(!flag.last().at(0).toBool());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
