#include "fullload.h"
#include "mixerloader.h"
#include "unitrig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace mixer;

namespace {
// A settings file as a previous run would have left it (Qt's INI notation).
const char kPrepared[] = R"([Track1_2]
Link=true
Eq=true
Fader=-10.7

[Track1]
Mute=true
Pan_pos=0
Pan_value=L20
Send1_Level=28
Send1_Value=-42dB
Send1_Point=2
Name=Kick
Comp=true
CompThresholdPos=40

[Track2]
Pan_pos=99
Pan_value=R20
Name=Snare Drum

[Track3]
Fader=-0.1
Phase=true

[Track4]
Mute=true
TrueBypass=true
Send4_Level=127
Send4_Point=3

[Track13_14]
Link=true

[Track14]
Mute=true

[Track20]
Pan_pos=5
)"
                         "Name=X \xe5\xa3\xb0\n"
                         R"(
[TrackMaster]
Fader=-4.1
Mute=true
Send2_Level=127
Return_Level=101

[Reverb]
MasterReverb=false
)";

struct Expect {
    int fader = 0, mute = 0, pan = 20, phase = 0, bypass = 0;
};
} // namespace

class TstMixerRestore : public QObject {
    Q_OBJECT

private slots:
    void preparedFileReachesUnit();
    void emptyFileGivesDefaults();
    void orderFollowsPairs();
    void secondLoadSendsEverythingAgain();

private:
    static bool prepare(UnitRig &rig)
    {
        const QString path = rig.settings.mainFilePath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        f.write(kPrepared);
        f.close();
        rig.settings.reopenMain();
        return true;
    }
};

void TstMixerRestore::preparedFileReachesUnit()
{
    UnitRig rig;
    QVERIFY(prepare(rig));
    MixerLoader loader(*rig.model);
    runFullLoad(&rig.dev, rig.settings, loader);

    QVector<Expect> want(kTracks);
    want[0] = {-107, 1, 0, 0, 0};
    want[1] = {-107, 0, 40, 0, 0};
    want[2].fader = -1;
    want[2].phase = 1;
    want[3].mute = 1;
    want[3].bypass = 1;
    want[13].mute = 1;

    const auto &unit = rig.unit();
    for (int n = 0; n < kTracks; ++n) {
        const QByteArray where = trackName(n + 1).toLatin1();
        QVERIFY2(UnitRig::v(unit.inputFader[n]) == want[n].fader, where);
        QVERIFY2(UnitRig::v(unit.inputMute[n]) == want[n].mute, where);
        QVERIFY2(UnitRig::v(unit.pan[n]) == want[n].pan, where);
        QVERIFY2(UnitRig::v(unit.phase[n]) == want[n].phase, where);
        QVERIFY2(UnitRig::v(unit.truebypass[n]) == want[n].bypass, where);
        const bool linked = n < 2 || n == 12 || n == 13;
        QVERIFY2(UnitRig::v(unit.comp[n].link) == (linked ? 2 + n % 2 : 1), where);
        QVERIFY2(UnitRig::v(unit.solo[n]) == -1000, where);
    }
    QVERIFY(rig.model->pairLinked(1));
    QVERIFY(rig.model->pairLinked(7));
    QVERIFY(!rig.model->pairLinked(2));

    QCOMPARE(UnitRig::v(unit.inputSend[0][0].point), 2);
    QCOMPARE(UnitRig::v(unit.inputSend[0][0].level), -42);
    QCOMPARE(UnitRig::v(unit.inputSend[3][3].point), 3);
    QCOMPARE(UnitRig::v(unit.inputSend[3][3].level), 6);
    QCOMPARE(UnitRig::v(unit.inputSend[5][1].point), 1);
    QCOMPARE(UnitRig::v(unit.inputSend[5][1].level), -127);

    // The linked pair's own switches win over its tracks': EQ on, compressor off on both channels.
    QCOMPARE(UnitRig::v(unit.eq[0][0].on), 1);
    QCOMPARE(UnitRig::v(unit.eq[1][3].on), 1);
    QCOMPARE(UnitRig::v(unit.comp[0].on), 0);
    QCOMPARE(UnitRig::v(unit.comp[0].threshold), -22);
    QCOMPARE(UnitRig::v(unit.eq[2][0].on), 0);

    QCOMPARE(UnitRig::v(unit.masterFader[0]), -41);
    QCOMPARE(UnitRig::v(unit.masterFader[1]), -41);
    QCOMPARE(UnitRig::v(unit.masterMute[0]), 1);
    QCOMPARE(UnitRig::v(unit.masterMute[1]), 1);
    QCOMPARE(UnitRig::v(unit.masterSend[1].level), 6);
    QCOMPARE(UnitRig::v(unit.masterSend[1].point), 1);
    QCOMPARE(UnitRig::v(unit.masterSend[0].level), 0);
    QCOMPARE(UnitRig::v(unit.returnOn), 0);
    QCOMPARE(UnitRig::v(unit.returnLevel), 0);

    QCOMPARE(rig.model->channelName(1), QString("Kick"));
    QCOMPARE(rig.model->channelName(2), QString("Snare "));
    QCOMPARE(rig.model->channelName(20), QString::fromUtf8("X \xe5\xa3\xb0"));
    QCOMPARE(rig.model->channelName(5), QString());
    QCOMPARE(rig.model->panPosition(20), 79); // off its lane: centred
    QCOMPARE(rig.model->faderLevel("Track1_2"), -10.7);
}

void TstMixerRestore::emptyFileGivesDefaults()
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
    QVERIFY(!QFile::exists(rig.settings.mainFilePath()) || QFile(rig.settings.mainFilePath()).size() == 0);
}

void TstMixerRestore::orderFollowsPairs()
{
    UnitRig rig;
    QVERIFY(prepare(rig));
    MixerLoader loader(*rig.model);
    QStringList seen;
    connect(rig.model.get(), &MixerModel::linkChanged, this,
            [&](int pair, bool on) { seen << QStringLiteral("link%1%2").arg(pair).arg(on ? "+" : "-"); });
    connect(rig.model.get(), &MixerModel::channelNameChanged, this,
            [&](int track, const QString &) { seen << QStringLiteral("name%1").arg(track); });
    connect(&loader, &MixerLoader::masterLoaded, this, [&] { seen << "master"; });
    connect(&loader, &MixerLoader::sceneNamesLoaded, this,
            [&](const QStringList &n) { seen << QStringLiteral("scenes%1").arg(n.size()); });
    runFullLoad(&rig.dev, rig.settings, loader);

    QStringList expected{"link1+", "link2-", "link3-", "link4-",  "link5-", "link6-",
                         "link7+", "link8-", "link9-", "link10-", "master"};
    for (int n = 1; n <= kTracks; ++n)
        expected << QStringLiteral("name%1").arg(n);
    expected << "scenes10";
    QCOMPARE(seen, expected);
}

void TstMixerRestore::secondLoadSendsEverythingAgain()
{
    UnitRig rig;
    QVERIFY(prepare(rig));
    MixerLoader loader(*rig.model);
    runFullLoad(&rig.dev, rig.settings, loader);
    rig.unit();
    const int first = rig.messages;
    QVERIFY(first > 0);
    // Only a device that forgot what it sent repeats unchanged values.
    runFullLoad(&rig.dev, rig.settings, loader);
    rig.unit();
    QVERIFY2(rig.messages - first >= first - 1,
             qPrintable(QString("%1 then %2").arg(first).arg(rig.messages)));
}

QTEST_GUILESS_MAIN(TstMixerRestore)
#include "tst_mixerrestore.moc"
