// The full load: its order (pairs as stereo or two monos, master, names, scenes) and the stored mix
// reaching the in-process unit through the mixer model.
#include "fullload.h"
#include "mixerloader.h"
#include "storedmix.h"
#include "unitrig.h"
#include "virtualunit.h"

#include <QtTest>

using namespace mixer;

namespace {

// Records every call as one word.
class RecordingLoader : public StripLoader {
public:
    QStringList log, names, scenes;
    void loadPair(int pair) override { log << QStringLiteral("pair%1").arg(pair); }
    void loadMono(int track) override { log << QStringLiteral("mono%1").arg(track); }
    void loadMaster() override { log << QStringLiteral("master"); }
    void loadNames(const QStringList &n) override { log << QStringLiteral("names"), names = n; }
    void loadSceneNames(const QStringList &n) override { log << QStringLiteral("scenes"), scenes = n; }
};

} // namespace

class TstRestore : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))).removeRecursively(); }

    void order_data()
    {
        QTest::addColumn<int>("linkMask");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("pairs 1, 3 and 10") << (1 | 4 | 512) << "pair1 mono3 mono4 pair3 mono7 mono8 mono9 mono10 mono11 mono12 " "mono13 mono14 mono15 mono16 mono17 mono18 pair10";
        QTest::newRow("even pairs") << 0x2aa << "mono1 mono2 pair2 mono5 mono6 pair4 mono9 mono10 pair6 mono13 mono14 " "pair8 mono17 mono18 pair10";
        // clang-format on
    }
    void order()
    {
        QFETCH(int, linkMask);
        QFETCH(QString, expected);
        {
            Settings s;
            for (int p = 1; p <= 10; ++p)
                s.setLink(settings::pairGroup(p), linkMask & (1 << (p - 1)));
            s.setLink("Track2", true); // a link in a mono group does not count
            s.setName("Track1", "Kick");
            s.setName("Track1_2", "not a channel name");
            Settings::setSceneName(2, "Ballad");
        }
        const Settings s;
        RecordingLoader loader;
        runFullLoad(nullptr, s, loader);
        QCOMPARE(loader.log.join(' '), expected + " master names scenes");
        QCOMPARE(loader.names.size(), 20);
        QCOMPARE(loader.names.first(), QStringLiteral("Kick"));
        QCOMPARE(loader.names.mid(1), QStringList(QVector<QString>(19).toList()));
        QCOMPARE(loader.scenes.size(), 10);
        QCOMPARE(loader.scenes.at(1), QStringLiteral("Ballad"));
    }

    void storedMixReachesUnit()
    {
        QVERIFY(lyntra_test::writeStoredMix());
        UnitRig rig(false);
        MixerLoader loader(*rig.model);
        QStringList seen;
        connect(rig.model.get(), &MixerModel::linkChanged, this,
                [&](int pair, bool on) { seen << QStringLiteral("link%1%2").arg(pair).arg(on ? "+" : "-"); });
        connect(&loader, &MixerLoader::masterLoaded, this, [&] { seen << "master"; });
        connect(&loader, &MixerLoader::sceneNamesLoaded, this,
                [&](const QStringList &n) { seen << QStringLiteral("scenes%1").arg(n.size()); });
        runFullLoad(&rig.dev, rig.settings, loader);
        QCOMPARE(seen, QStringList({"link1+", "link2-", "link3-", "link4-", "link5-", "link6-", "link7+",
                                    "link8-", "link9-", "link10-", "master", "scenes10"}));
        rig.unit();
        const QJsonObject state = rig.fw.state();
        for (const lyntra_test::UnitValue &u : lyntra_test::kStoredMixAtUnit) {
            const QJsonValue v = lyntra_test::json_at(state, QLatin1String(u.path));
            QVERIFY2(
                v.isDouble() && v.toInt() == u.value,
                qPrintable(QStringLiteral("%1 is %2, expected %3").arg(u.path).arg(v.toInt()).arg(u.value)));
        }
        for (int n = 0; n < kTracks; ++n)
            QCOMPARE(UnitRig::v(rig.fw.mix().solo[n]), -1000);
        QCOMPARE(rig.model->channelName(2), QStringLiteral("Trumpe"));
        QCOMPARE(rig.model->channelName(20), QString::fromUtf8("Ω Bass"));
        QCOMPARE(rig.model->panPosition(20), 79);
        QCOMPARE(rig.model->faderLevel("Track1_2"), 6.0);
        QVERIFY(rig.model->pairLinked(7) && !rig.model->pairLinked(2));

        // Only a device that forgot what it sent repeats unchanged values.
        const int first = rig.messages;
        runFullLoad(&rig.dev, rig.settings, loader);
        rig.unit();
        QVERIFY2(rig.messages - first >= first - 1,
                 qPrintable(QString("%1 then %2").arg(first).arg(rig.messages)));
    }

    void emptyFileGivesDefaults()
    {
        UnitRig rig;
        MixerLoader loader(*rig.model);
        runFullLoad(&rig.dev, rig.settings, loader);
        const auto &unit = rig.unit();
        for (int n = 0; n < kTracks; ++n) {
            QCOMPARE(UnitRig::v(unit.inputFader[n]), 0);
            QCOMPARE(UnitRig::v(unit.inputMute[n]), 0);
            QCOMPARE(UnitRig::v(unit.pan[n]), 20);
            for (int s = 0; s < kSends; ++s) {
                QCOMPARE(UnitRig::v(unit.inputSend[n][s].level), -127);
                QCOMPARE(UnitRig::v(unit.inputSend[n][s].point), 1);
            }
        }
        QCOMPARE(UnitRig::v(unit.masterFader[0]), -1270);
        for (int s = 0; s < kSends; ++s)
            QCOMPARE(UnitRig::v(unit.masterSend[s].level), 0);
        QCOMPARE(UnitRig::v(unit.returnOn), 1);
        QCOMPARE(UnitRig::v(unit.returnLevel), -127);
        QCOMPARE(rig.model->panPosition(2), 79);
        // Restoring writes nothing.
        QVERIFY(!QFile::exists(rig.settings.mainFilePath()) ||
                QFile(rig.settings.mainFilePath()).size() == 0);
    }
};

QTEST_GUILESS_MAIN(TstRestore)
#include "tst_restore.moc"
