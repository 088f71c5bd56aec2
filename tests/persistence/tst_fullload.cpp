// The order of the full load: reset first, pairs in turn (stereo or two monos by "Link"), master,
// channel names, scene names.
#include "fullload.h"
#include "qixrig.h"
#include "settings.h"

#include <QDir>
#include <QtTest>

#include <functional>

namespace {

// Records every call as one word; `onFirst` runs inside the first strip call.
class RecordingLoader : public StripLoader {
public:
    QStringList log;
    QStringList names;
    QStringList scenes;
    std::function<void()> onFirst;

    void loadPair(int pair) override { record(QStringLiteral("pair%1").arg(pair)); }
    void loadMono(int track) override { record(QStringLiteral("mono%1").arg(track)); }
    void loadMaster() override { record(QStringLiteral("master")); }
    void loadNames(const QStringList &n) override
    {
        record(QStringLiteral("names"));
        names = n;
    }
    void loadSceneNames(const QStringList &n) override
    {
        record(QStringLiteral("scenes"));
        scenes = n;
    }

private:
    void record(const QString &what)
    {
        if (log.isEmpty() && onFirst)
            onFirst();
        log << what;
    }
};

} // namespace

class TestFullLoad : public QObject {
    Q_OBJECT

private slots:
    void init();
    void order_data();
    void order();
    void resetComesFirst();
    void namesAndScenes();
    void withoutDevice();
};

void TestFullLoad::init()
{
    QDir(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))).removeRecursively();
}

void TestFullLoad::order_data()
{
    QTest::addColumn<int>("linkMask");
    QTest::addColumn<QString>("expected");
    const QString tail = QStringLiteral(" master names scenes");
    QTest::newRow("nothing linked")
        << 0
        << "mono1 mono2 mono3 mono4 mono5 mono6 mono7 mono8 mono9 mono10 mono11 mono12 mono13 mono14 mono15 "
           "mono16 mono17 mono18 mono19 mono20" +
               tail;
    QTest::newRow("all linked") << 0x3ff
                                << "pair1 pair2 pair3 pair4 pair5 pair6 pair7 pair8 pair9 pair10" + tail;
    QTest::newRow("pairs 1, 3 and 10")
        << (1 | 4 | 512)
        << "pair1 mono3 mono4 pair3 mono7 mono8 mono9 mono10 mono11 mono12 mono13 mono14 mono15 mono16 "
           "mono17 mono18 pair10" +
               tail;
    QTest::newRow("even pairs")
        << 0x2aa
        << "mono1 mono2 pair2 mono5 mono6 pair4 mono9 mono10 pair6 mono13 mono14 pair8 mono17 mono18 pair10" +
               tail;
}

void TestFullLoad::order()
{
    QFETCH(int, linkMask);
    QFETCH(QString, expected);
    {
        Settings s;
        for (int p = 1; p <= 10; ++p)
            s.setLink(settings::pairGroup(p), linkMask & (1 << (p - 1)));
        // A link stored in a mono group must not count.
        s.setLink("Track2", true);
    }
    Rig rig;
    const Settings s;
    RecordingLoader loader;
    runFullLoad(&rig.dev, s, loader);
    QCOMPARE(loader.log.join(' '), expected);
}

// reset_params has run when the first strip loads: a value the device object already sent goes out
// again.
void TestFullLoad::resetComesFirst()
{
    Rig rig;
    // Messages that leave while the mute is set again, whether at once or on the next readiness.
    const auto sentBySettingMute = [&rig] {
        const int before = rig.sends.count();
        rig.dev.set_mute(IXMSG_DATA_CH_INPUT, 1, 1);
        rig.drain();
        return rig.sends.count() - before;
    };
    QCOMPARE(sentBySettingMute(), 1);
    QCOMPARE(sentBySettingMute(), 0); // unchanged: nothing to send

    int sentInFirstStrip = -1;
    RecordingLoader loader;
    loader.onFirst = [&] { sentInFirstStrip = sentBySettingMute(); };
    const Settings s;
    runFullLoad(&rig.dev, s, loader);
    QCOMPARE(sentInFirstStrip, 1);
}

void TestFullLoad::namesAndScenes()
{
    {
        Settings s;
        s.setName("Track1", "Kick");
        s.setName("Track20", QStringLiteral("Gesang \u00fc \u58f0"));
        s.setName("Track1_2", "not a channel name");
        Settings::setSceneName(2, "Ballad");
    }
    const Settings s;
    RecordingLoader loader;
    runFullLoad(nullptr, s, loader);
    QCOMPARE(loader.names.size(), 20);
    QCOMPARE(loader.names.first(), QStringLiteral("Kick"));
    QCOMPARE(loader.names.last(), QStringLiteral("Gesang \u00fc \u58f0"));
    QCOMPARE(loader.names.mid(1, 18), QStringList(QVector<QString>(18).toList()));
    QCOMPARE(loader.scenes.size(), 10);
    QCOMPARE(loader.scenes.at(0), QStringLiteral("SceneMemory1"));
    QCOMPARE(loader.scenes.at(1), QStringLiteral("Ballad"));
}

void TestFullLoad::withoutDevice()
{
    const Settings s;
    RecordingLoader loader;
    runFullLoad(nullptr, s, loader);
    QCOMPARE(loader.log.size(), 20 + 3);
    QVERIFY(!QFile::exists(s.mainFilePath())); // loading never creates the file
}

QTEST_GUILESS_MAIN(TestFullLoad)
#include "tst_fullload.moc"
