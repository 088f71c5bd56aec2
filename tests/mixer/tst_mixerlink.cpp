#include "unitrig.h"

#include <QtTest>

using namespace mixer;

class TstMixerLink : public QObject {
    Q_OBJECT

private slots:
    void soloAndMute_data();
    void soloAndMute();
    void copiesDynamicsAndFlags();
    void faderAndSendPoints();
    void selectionMovesToStereo();
    void linkOffHandsStereoToBoth();
    void evenSendKnobStaysOffStereo();
};

void TstMixerLink::soloAndMute_data()
{
    QTest::addColumn<bool>("muteA");
    QTest::addColumn<bool>("muteB");
    QTest::addColumn<bool>("soloA");
    QTest::addColumn<bool>("muteBAfter");
    QTest::addColumn<bool>("stereoMute");
    QTest::addColumn<bool>("stereoSolo");

    QTest::newRow("right muted, left not") << false << true << false << false << false << false;
    QTest::newRow("left muted, right not") << true << false << false << true << true << false;
    QTest::newRow("both muted") << true << true << false << true << true << false;
    QTest::newRow("neither") << false << false << false << false << false << false;
    QTest::newRow("left soloed") << false << false << true << false << false << true;
}

void TstMixerLink::soloAndMute()
{
    QFETCH(bool, muteA);
    QFETCH(bool, muteB);
    QFETCH(bool, soloA);
    QFETCH(bool, muteBAfter);
    QFETCH(bool, stereoMute);
    QFETCH(bool, stereoSolo);

    UnitRig rig;
    rig.model->setMute("Track1", muteA);
    rig.model->setMute("Track2", muteB);
    if (soloA)
        rig.model->setSolo("Track1", true);
    QSignalSpy link(rig.model.get(), &MixerModel::linkChanged);
    QVERIFY(rig.model->setLink(1, true));

    QCOMPARE(link.count(), 1);
    QCOMPARE(link.at(0).at(0).toInt(), 1);
    QVERIFY(link.at(0).at(1).toBool());
    QVERIFY(rig.model->pairLinked(1));
    QVERIFY(rig.settings.link("Track1_2"));
    QCOMPARE(rig.model->mute("Track2"), muteBAfter);
    QCOMPARE(rig.model->mute("Track1_2"), stereoMute);
    QCOMPARE(rig.model->solo("Track1_2"), stereoSolo);
    QCOMPARE(rig.model->solo("Track2"), soloA);
    if (soloA)
        QVERIFY(rig.model->muteBeforeSolo(1));
    const auto &unit = rig.unit();
    QCOMPARE(UnitRig::v(unit.inputMute[1]), muteBAfter ? 1 : 0);
    QCOMPARE(UnitRig::v(unit.inputMute[0]), muteA && !soloA ? 1 : 0);
}

void TstMixerLink::copiesDynamicsAndFlags()
{
    UnitRig rig;
    rig.settings.setCompKnob("Track3", Settings::CompKnob::Threshold, 40, QStringLiteral("-22"));
    rig.settings.setCompKnob("Track3", Settings::CompKnob::Ratio, 84, QStringLiteral("inf:1"));
    rig.settings.setEqGain("Track3", Settings::EqBand::High, 121, 12);
    rig.settings.setEqLowCutFilter("Track3", true);
    rig.settings.setComp("Track3", true);
    rig.settings.setEq("Track3", true);
    rig.model->loadMonoTrack(3);
    rig.model->loadMonoTrack(4);

    QVERIFY(rig.model->setLink(2, true));
    const CompRecord &b = rig.model->compRecord(4);
    QCOMPARE(int(b.threshold), 40);
    QCOMPARE(int(b.ratio), 84);
    QCOMPARE(int(b.on), 1);
    QCOMPARE(int(b.link), 1);
    QCOMPARE(int(b.channel), 4);
    QCOMPARE(int(rig.model->eqRecord(4).highGain), 121);
    QCOMPARE(int(rig.model->eqRecord(4).lowGain), 255);
    QCOMPARE(int(rig.model->eqRecord(4).channel), 4);

    const auto &unit = rig.unit();
    QCOMPARE(UnitRig::v(unit.comp[2].link), 2);
    QCOMPARE(UnitRig::v(unit.comp[3].link), 3);
    QCOMPARE(UnitRig::v(unit.comp[3].threshold), -22);
    QCOMPARE(UnitRig::v(unit.comp[3].ratio), 255);
    QCOMPARE(UnitRig::v(unit.eq[3][3].gain), 24);
    QCOMPARE(UnitRig::v(unit.eq[3][0].gain), 255);
    // The pair group now carries the editor keys of the left track.
    QCOMPARE(rig.settings.compPos("Track3_4", Settings::CompKnob::Threshold), 40);
    QCOMPARE(rig.settings.compDisplay("Track3_4", Settings::CompKnob::Ratio).toString(), QString("inf:1"));
    QVERIFY(rig.settings.eqLowCutFilter("Track3_4"));
    QVERIFY(rig.settings.eq("Track3_4"));
    QVERIFY(rig.settings.comp("Track3_4"));

    QVERIFY(rig.model->setLink(2, false));
    QCOMPARE(UnitRig::v(rig.unit().comp[3].link), 1);
    QCOMPARE(UnitRig::v(rig.unit().comp[2].link), 1);
}

void TstMixerLink::faderAndSendPoints()
{
    UnitRig rig;
    rig.model->setFaderLevel("Track5", -4.1);
    rig.model->setFaderLevel("Track6", -20.0);
    rig.model->setPost("Track5", 2, true);
    rig.model->setPre("Track6", 3, true);
    rig.model->setSendLevel("Track5", 2, 64);
    rig.model->setSendLevel("Track6", 2, 110);
    QVERIFY(rig.model->setLink(3, true));

    QCOMPARE(rig.model->faderLevel("Track5_6"), -4.1);
    QCOMPARE(rig.settings.fader("Track5_6"), -4.1);
    QCOMPARE(rig.model->sendPoint("Track6", 2), 3);
    QCOMPARE(rig.model->sendPoint("Track6", 3), 1);
    QCOMPARE(rig.settings.sendPoint("Track6", 2), 3);
    QCOMPARE(rig.model->sendPoint("Track5_6", 2), 3);
    QCOMPARE(rig.model->sendPosition("Track5_6", 2), 64);
    const auto &unit = rig.unit();
    QCOMPARE(UnitRig::v(unit.inputFader[4]), -41);
    QCOMPARE(UnitRig::v(unit.inputFader[5]), -41);
    QCOMPARE(UnitRig::v(unit.inputSend[5][1].point), 3);
    QCOMPARE(UnitRig::v(unit.inputSend[5][1].level), 2); // B keeps its own level
    QCOMPARE(UnitRig::v(unit.inputSend[5][2].point), 1);
}

void TstMixerLink::selectionMovesToStereo()
{
    UnitRig rig;
    rig.model->setSelect("Track8", true);
    QVERIFY(rig.model->setLink(4, true));
    QCOMPARE(rig.model->selectedTrack(), QString("Track7_8"));
    QVERIFY(!rig.model->selected("Track8"));
}

void TstMixerLink::linkOffHandsStereoToBoth()
{
    UnitRig rig;
    rig.model->setLink(10, true);
    rig.model->setFaderLevel("Track19_20", -10.7);
    rig.model->setEqOn("Track19_20", true);
    rig.model->setTrueBypass("Track19_20", true);
    QSignalSpy link(rig.model.get(), &MixerModel::linkChanged);
    QVERIFY(rig.model->setLink(10, false));
    QCOMPARE(link.count(), 1);
    QVERIFY(!link.at(0).at(1).toBool());
    QVERIFY(!rig.settings.link("Track19_20"));
    QVERIFY(rig.model->eqOn("Track19") && rig.model->eqOn("Track20"));
    QVERIFY(rig.model->trueBypass("Track19") && rig.model->trueBypass("Track20"));
    QCOMPARE(rig.settings.fader("Track19"), -10.7);
    QCOMPARE(rig.settings.fader("Track20"), -10.7);
    const auto &unit = rig.unit();
    QCOMPARE(UnitRig::v(unit.inputFader[18]), -107);
    QCOMPARE(UnitRig::v(unit.inputFader[19]), -107);
    QCOMPARE(UnitRig::v(unit.eq[19][2].on), 1);
    QCOMPARE(UnitRig::v(unit.truebypass[19]), 1);
}

void TstMixerLink::evenSendKnobStaysOffStereo()
{
    UnitRig rig;
    rig.model->setLink(1, true);
    QSignalSpy sends(rig.model.get(), &MixerModel::sendChanged);
    rig.model->setSendLevel("Track2", 1, 90);
    QCOMPARE(rig.model->sendPosition("Track1_2", 1), 0);
    for (const auto &args : sends)
        QVERIFY(args.at(0).toString() != "Track1_2");
    rig.model->setSendLevel("Track1_2", 1, 30);
    QCOMPARE(rig.model->sendPosition("Track2", 1), 30);
    QCOMPARE(rig.model->sendPosition("Track1", 1), 30);
}

QTEST_GUILESS_MAIN(TstMixerLink)
#include "tst_mixerlink.moc"
