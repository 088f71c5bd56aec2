// The strips' controls, clicked and dragged by object name: what the model stores, what the unit
// received, and which other controls mirror the change.
#include "dialcontrolsend.h"
#include "pagerig.h"
#include "pairstrip.h"
#include "pancontrol.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace fw = lyntra::fw;

// One wire value the unit holds: which table, which channel (0-based) and send (0-based).
struct Probe {
    enum Field {
        InputMute,
        MasterMute,
        Phase,
        Bypass,
        EqOn,
        CompOn,
        SendPoint,
        SendLevel,
        MasterSend,
        Return,
        ReturnOn,
        Pan
    };
    Field field;
    int channel;
    int send;
    int expected;
};
Q_DECLARE_METATYPE(Probe)
Q_DECLARE_METATYPE(QList<Probe>)

namespace {

int read(const fw::MixState &m, const Probe &p)
{
    switch (p.field) {
    case Probe::InputMute:
        return UnitRig::v(m.inputMute[p.channel]);
    case Probe::MasterMute:
        return UnitRig::v(m.masterMute[p.channel]);
    case Probe::Phase:
        return UnitRig::v(m.phase[p.channel]);
    case Probe::Bypass:
        return UnitRig::v(m.truebypass[p.channel]);
    case Probe::EqOn:
        return UnitRig::v(m.eq[p.channel][0].on);
    case Probe::CompOn:
        return UnitRig::v(m.comp[p.channel].on);
    case Probe::SendPoint:
        return UnitRig::v(m.inputSend[p.channel][p.send].point);
    case Probe::SendLevel:
        return UnitRig::v(m.inputSend[p.channel][p.send].level);
    case Probe::MasterSend:
        return UnitRig::v(m.masterSend[p.send].level);
    case Probe::Return:
        return UnitRig::v(m.returnLevel);
    case Probe::ReturnOn:
        return UnitRig::v(m.returnOn);
    case Probe::Pan:
        return UnitRig::v(m.pan[p.channel]);
    }
    return -1000;
}

void checkUnit(PageRig &rig, const QList<Probe> &probes)
{
    const fw::MixState &m = rig.unit.unit();
    for (const Probe &p : probes) {
        const int got = read(m, p);
        if (got != p.expected)
            QFAIL(qPrintable(QStringLiteral("unit field %1 channel %2 send %3: %4, expected %5")
                                 .arg(p.field)
                                 .arg(p.channel + 1)
                                 .arg(p.send + 1)
                                 .arg(got)
                                 .arg(p.expected)));
    }
}

} // namespace

class TestStrips : public QObject {
    Q_OBJECT
private slots:
    void buttons_data();
    void buttons();
    void sendKnobs_data();
    void sendKnobs();
    void evenSendLeavesStereoKnob();
    void panDrag_data();
    void panDrag();
    void panDoubleClickCentres();
    void linkTurnsPage();
    void channelNameCutToSix();
    void bypassDisablesStripButtons();
};

void TestStrips::buttons_data()
{
    QTest::addColumn<int>("linkPair");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("checked");   // buttons checked afterwards
    QTest::addColumn<QStringList>("unchecked"); // buttons not checked afterwards
    QTest::addColumn<QList<Probe>>("unit");
    QTest::addColumn<QStringList>("stored");
    using S = QStringList;
    using P = QList<Probe>;
    QTest::newRow("mono mute mirrors on stereo")
        << 0 << S{"pB_Mute1"} << S{"pB_Mute1", "pB_Mute1_2"} << S{"pB_Mute2"}
        << P{{Probe::InputMute, 0, 0, 1}} << S{"Track1/Mute=true", "Track2/Mute=false"};
    QTest::newRow("even mute leaves stereo") << 0 << S{"pB_Mute2"} << S{"pB_Mute2"} << S{"pB_Mute1_2"}
                                             << P{{Probe::InputMute, 1, 0, 1}} << S{"Track2/Mute=true"};
    QTest::newRow("mute optical track") << 0 << S{"pB_MuteAdat3"} << S{"pB_MuteAdat3"} << S{}
                                        << P{{Probe::InputMute, 14, 0, 1}} << S{"Track15/Mute=true"};
    QTest::newRow("mute twice is off") << 0 << S{"pB_MuteSP1", "pB_MuteSP1"} << S{} << S{"pB_MuteSP1"}
                                       << P{{Probe::InputMute, 10, 0, 0}} << S{"Track11/Mute=false"};
    QTest::newRow("stereo mute both sides")
        << 1 << S{"pB_Mute1_2"} << S{"pB_Mute1", "pB_Mute2", "pB_Mute1_2"} << S{}
        << P{{Probe::InputMute, 0, 0, 1}, {Probe::InputMute, 1, 0, 1}}
        << S{"Track1/Mute=true", "Track2/Mute=true"};
    QTest::newRow("master mute on both master channels")
        << 0 << S{"pB_masterMute"} << S{"pB_masterMute"} << S{"pB_Mute1"}
        << P{{Probe::MasterMute, 0, 0, 1}, {Probe::MasterMute, 1, 0, 1}, {Probe::InputMute, 0, 0, -1000}}
        << S{"TrackMaster/Mute=true"};
    QTest::newRow("odd phase mirrors left side")
        << 0 << S{"pB_Phase3"} << S{"pB_Phase3_4_L"} << S{"pB_Phase3_4_R"} << P{{Probe::Phase, 2, 0, 1}}
        << S{"Track3/Phase=true", "Track3_4_L/Phase=true", "Track3_4_R/Phase=false"};
    QTest::newRow("stereo right phase")
        << 2 << S{"pB_Phase3_4_R"} << S{"pB_Phase4"} << S{"pB_Phase3"} << P{{Probe::Phase, 3, 0, 1}}
        << S{"Track4/Phase=true", "Track3_4_R/Phase=true"};
    QTest::newRow("bypass by track number") << 0 << S{"pB_Bypass11"} << S{"pB_Bypass11"} << S{}
                                            << P{{Probe::Bypass, 10, 0, 1}} << S{"Track11/TrueBypass=true"};
    QTest::newRow("stereo bypass both channels")
        << 6 << S{"pB_Bypass11_12"} << S{"pB_Bypass11_12"} << S{}
        << P{{Probe::Bypass, 10, 0, 1}, {Probe::Bypass, 11, 0, 1}} << S{"Track11/TrueBypass=true"};
    QTest::newRow("eq on") << 0 << S{"pB_EQ5"} << S{"pB_EQ5"} << S{} << P{{Probe::EqOn, 4, 0, 1}}
                           << S{"Track5/Eq=true"};
    QTest::newRow("stereo compressor")
        << 3 << S{"pB_Comp5_6"} << S{"pB_Comp5_6"} << S{}
        << P{{Probe::CompOn, 4, 0, 1}, {Probe::CompOn, 5, 0, 1}} << S{"Track5_6/Comp=true"};
    QTest::newRow("pre then post") << 0 << S{"pB_Pre2_1", "pB_Post2_1"} << S{"pB_Post2_1", "pB_Post2_1_2"}
                                   << S{"pB_Pre2_1", "pB_Pre2_1_2"} << P{{Probe::SendPoint, 0, 1, 3}}
                                   << S{"Track1/Send2_Point=3"};
    QTest::newRow("stereo pre both tracks")
        << 7 << S{"pB_Pre4_Adat1_2"} << S{"pB_Pre4_Adat1", "pB_Pre4_Adat2"} << S{}
        << P{{Probe::SendPoint, 12, 3, 2}, {Probe::SendPoint, 13, 3, 2}}
        << S{"Track13/Send4_Point=2", "Track14/Send4_Point=2"};
    QTest::newRow("solo mutes the others")
        << 0 << S{"pB_Solo1"} << S{"pB_Solo1", "pB_Solo1_2", "pB_Mute2", "pB_MuteAdat8"} << S{"pB_Mute1"}
        << P{{Probe::InputMute, 0, 0, 0}, {Probe::InputMute, 1, 0, 1}, {Probe::InputMute, 19, 0, 1}}
        << S{"Track1/Solo=true", "Track20/Mute=true"};
    QTest::newRow("reverb switch off")
        << 0 << S{"pB_masterReverb"} << S{} << S{"pB_masterReverb"}
        << P{{Probe::ReturnOn, 0, 0, 0}, {Probe::Return, 0, 0, -127}} << S{"Reverb/MasterReverb=false"};
    QTest::newRow("reverb switch back on")
        << 0 << S{"pB_masterReverb", "pB_masterReverb"} << S{"pB_masterReverb"} << S{}
        << P{{Probe::ReturnOn, 0, 0, 1}, {Probe::Return, 0, 0, -127}} << S{"Reverb/MasterReverb=true"};
    QTest::newRow("select moves") << 0 << S{"pB_Analog3", "pB_SPDIF2"} << S{"pB_SPDIF2"} << S{"pB_Analog3"}
                                  << P{} << S{"Track12/Select=true"};
}

void TestStrips::buttons()
{
    QFETCH(int, linkPair);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, unchecked);
    QFETCH(QList<Probe>, unit);
    QFETCH(QStringList, stored);

    PageRig rig;
    if (linkPair)
        QVERIFY(rig.click(mixer::widgetName(mixer::WidgetKind::LinkOn, {mixer::StripKind::Pair, linkPair})));
    for (const QString &name : clicks)
        QVERIFY2(rig.click(name), qPrintable(name));
    for (const QString &name : checked) {
        auto *b = rig.find<QPushButton>(name);
        QVERIFY2(b && b->isChecked(), qPrintable(name));
    }
    for (const QString &name : unchecked) {
        auto *b = rig.find<QPushButton>(name);
        QVERIFY2(b && !b->isChecked(), qPrintable(name));
    }
    const QString mismatch = rig.storedMismatch(stored);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    checkUnit(rig, unit);
}

void TestStrips::sendKnobs_data()
{
    QTest::addColumn<int>("linkPair");
    QTest::addColumn<QString>("knob");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QList<QPointF>>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mirror"); // another value label that must show the same text
    QTest::addColumn<QList<Probe>>("unit");
    QTest::addColumn<QStringList>("stored");
    using S = QStringList;
    using M = QList<QPointF>;
    using P = QList<Probe>;
    QTest::newRow("mono up ten") << 0 << "label_Send1Knob1"
                                 << "label_Send1Display1" << M{{0, -4}, {0, -6}} << "-78dB"
                                 << "label_Send1Display1_2" << P{{Probe::SendLevel, 0, 0, -78}}
                                 << S{"Track1/Send1_Level=10", "Track1/Send1_Value=-78dB"};
    QTest::newRow("mono 28 and 29 alike")
        << 0 << "label_Send2KnobSP2"
        << "label_Send2DisplaySP2" << M{{0, -28}} << "-42dB" << QString() << P{{Probe::SendLevel, 11, 1, -42}}
        << S{"Track12/Send2_Level=28", "Track12/Send2_Value=-42dB"};
    QTest::newRow("stereo to both tracks")
        << 4 << "label_Send3Knob7_8"
        << "label_Send3Display7_8" << M{{0, -200}} << "  6dB"
        << "label_Send3Display8" << P{{Probe::SendLevel, 6, 2, 6}, {Probe::SendLevel, 7, 2, 6}}
        << S{"Track7/Send3_Level=127", "Track8/Send3_Value=  6dB"};
    QTest::newRow("back at once from the top")
        << 0 << "label_Send4Knob9"
        << "label_Send4Display9" << M{{0, -300}, {0, 3}} << "  5dB" << QString()
        << P{{Probe::SendLevel, 8, 3, 5}} << S{"Track9/Send4_Level=124"};
    QTest::newRow("down stops at -inf")
        << 0 << "label_Send1KnobAdat8"
        << "label_Send1DisplayAdat8" << M{{0, 5}} << "-inf." << QString()
        << P{{Probe::SendLevel, 19, 0, -127}} << S{"Track20/Send1_Level=0", "Track20/Send1_Value=-inf."};
    QTest::newRow("master from 0 dB") << 0 << "label_Send2KnobMaster"
                                      << "label_Send2DisplayMaster" << M{{0, -2}} << "  0dB" << QString()
                                      << P{{Probe::MasterSend, 0, 1, 0}} << S{"TrackMaster/Send2_Level=104"};
    QTest::newRow("master down") << 0 << "label_Send1KnobMaster"
                                 << "label_Send1DisplayMaster" << M{{0, 27}} << "-12dB" << QString()
                                 << P{{Probe::MasterSend, 0, 0, -12}}
                                 << S{"TrackMaster/Send1_Level=75", "TrackMaster/Send1_Value=-12dB"};
    QTest::newRow("return") << 0 << "label_SendKnobReturn"
                            << "label_SendDisplayReturn" << M{{0, -29}} << "-42dB" << QString()
                            << P{{Probe::Return, 0, 0, -42}}
                            << S{"TrackMaster/Return_Level=29", "TrackMaster/Return_Value=-42dB"};
}

void TestStrips::sendKnobs()
{
    QFETCH(int, linkPair);
    QFETCH(QString, knob);
    QFETCH(QString, display);
    QFETCH(QList<QPointF>, steps);
    QFETCH(QString, text);
    QFETCH(QString, mirror);
    QFETCH(QList<Probe>, unit);
    QFETCH(QStringList, stored);

    PageRig rig;
    if (linkPair)
        QVERIFY(rig.click(mixer::widgetName(mixer::WidgetKind::LinkOn, {mixer::StripKind::Pair, linkPair})));
    if (knob.contains("Return"))
        QVERIFY(rig.click("pB_masterReverb"));
    auto *k = rig.find<DialControlSend>(knob);
    auto *d = rig.find<QLabel>(display);
    QVERIFY(k && d);
    QVERIFY(!d->isVisible());
    bool shown = false;
    PageRig::drag(k, QPointF(13, 13), steps, d, &shown);
    QVERIFY2(shown, "value label shown while held");
    QVERIFY2(!d->isVisible(), "value label hidden after release");
    QCOMPARE(d->text(), text);
    QCOMPARE(k->size(), QSize(26, 26));
    if (!mirror.isEmpty())
        QCOMPARE(rig.find<QLabel>(mirror)->text(), text);
    const QString mismatch = rig.storedMismatch(stored);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    checkUnit(rig, unit);
}

void TestStrips::evenSendLeavesStereoKnob()
{
    PageRig rig;
    PageRig::drag(rig.find(QStringLiteral("label_Send1Knob2")), QPointF(13, 13), {QPointF(0, -40)});
    QCOMPARE(rig.find<QLabel>(QStringLiteral("label_Send1Display2"))->text(), QStringLiteral("-32dB"));
    QCOMPARE(rig.find<QLabel>(QStringLiteral("label_Send1Display1_2"))->text(), QStringLiteral("-inf."));
    QCOMPARE(rig.unit.model->sendPosition(QStringLiteral("Track1_2"), 1), 0);
}

void TestStrips::panDrag_data()
{
    QTest::addColumn<int>("linkPair");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QList<QPointF>>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("twin"); // the other marker of the same channel
    QTest::addColumn<QList<Probe>>("unit");
    QTest::addColumn<QStringList>("stored");
    using S = QStringList;
    using M = QList<QPointF>;
    using P = QList<Probe>;
    QTest::newRow("odd right five") << 0 << "label_panKnob1" << M{{5, 0}} << "R5" << 25
                                    << "label_panKnob1_2_L" << P{{Probe::Pan, 0, 0, 25}}
                                    << S{"Track1/Pan_pos=25", "Track1/Pan_value=R5"};
    QTest::newRow("odd hard left") << 0 << "label_panKnobSP1" << M{{-10, 0}, {-10, 0}} << "L20" << 0
                                   << "label_panKnobSP1_2_L" << P{{Probe::Pan, 10, 0, 0}}
                                   << S{"Track11/Pan_pos=0", "Track11/Pan_value=L20"};
    QTest::newRow("odd caps at 40") << 0 << "label_panKnob3" << M{{30, 0}, {-2, 0}} << "R18" << 38
                                    << "label_panKnob3_4_L" << P{{Probe::Pan, 2, 0, 38}}
                                    << S{"Track3/Pan_pos=38"};
    QTest::newRow("even floor 59") << 0 << "label_panKnob2" << M{{-15, 0}, {-15, 0}} << "L20" << 59
                                   << "label_panKnob1_2_R" << P{{Probe::Pan, 1, 0, 0}}
                                   << S{"Track2/Pan_pos=59", "Track2/Pan_value=L20"};
    QTest::newRow("stereo right marker")
        << 5 << "label_panKnob9_10_R" << M{{20, 0}} << "R20" << 99 << "label_panKnob10"
        << P{{Probe::Pan, 9, 0, 40}} << S{"Track10/Pan_pos=99", "Track10/Pan_value=R20"};
    QTest::newRow("stereo left marker")
        << 8 << "label_panKnobAdat3_4_L" << M{{-1.5, 0}} << "L1" << 19 << "label_panKnobAdat3"
        << P{{Probe::Pan, 14, 0, 19}} << S{"Track15/Pan_pos=19", "Track15/Pan_value=L1"};
}

void TestStrips::panDrag()
{
    QFETCH(int, linkPair);
    QFETCH(QString, marker);
    QFETCH(QList<QPointF>, steps);
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, twin);
    QFETCH(QList<Probe>, unit);
    QFETCH(QStringList, stored);

    PageRig rig;
    if (linkPair)
        QVERIFY(rig.click(mixer::widgetName(mixer::WidgetKind::LinkOn, {mixer::StripKind::Pair, linkPair})));
    auto *m = rig.find<PanControl>(marker);
    auto *display = rig.find<QLabel>(QString(marker).replace("Knob", "Display"));
    QVERIFY(m && display);
    const int laneStart = position >= 59 ? 59 : 0;
    bool shown = false;
    PageRig::drag(m, QPointF(8, 6), steps, display, &shown);
    QVERIFY(shown);
    QVERIFY(!display->isVisible());
    QCOMPARE(display->text(), text);
    // The marker's x is the position, less where its strip starts in the shared panel.
    const bool stereo = marker.endsWith("_L") || marker.endsWith("_R");
    const bool monoEven = !stereo && laneStart == 59;
    QCOMPARE(m->pos(), QPoint(position - (monoEven ? 59 : 0), PanDrag::kMarkerY));
    auto *other = rig.find<PanControl>(twin);
    QCOMPARE(rig.find<QLabel>(QString(twin).replace("Knob", "Display"))->text(), text);
    QCOMPARE(other->pos().y(), PanDrag::kMarkerY);
    const QString mismatch = rig.storedMismatch(stored);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    checkUnit(rig, unit);
}

void TestStrips::panDoubleClickCentres()
{
    PageRig rig;
    auto *m = rig.find<PanControl>(QStringLiteral("label_panKnob4"));
    const QImage centre = QPixmap(QStringLiteral(":/Resource/track/PAN.png")).toImage();
    const QImage offCentre = QPixmap(QStringLiteral(":Resource/track/PAN_c.png")).toImage();
    QVERIFY(!centre.isNull() && !offCentre.isNull() && centre != offCentre);
    QCOMPARE(m->pixmap(Qt::ReturnByValue).toImage(), centre);
    PageRig::drag(m, QPointF(8, 6), {QPointF(-12, 0)});
    QCOMPARE(rig.unit.model->panPosition(4), 67);
    QCOMPARE(m->pixmap(Qt::ReturnByValue).toImage(), offCentre);
    QTest::mouseDClick(m, Qt::LeftButton, {}, QPoint(8, 6));
    QCOMPARE(rig.unit.model->panPosition(4), 79);
    QCOMPARE(m->pos(), QPoint(79 - 59, PanDrag::kMarkerY));
    QCOMPARE(m->pixmap(Qt::ReturnByValue).toImage(), centre);
    QCOMPARE(rig.find<QLabel>(QStringLiteral("label_panKnob3_4_R"))->pixmap(Qt::ReturnByValue).toImage(),
             centre);
    QCOMPARE(rig.find<QLabel>(QStringLiteral("label_panDisplay3_4_R"))->text(), QStringLiteral("C"));
    checkUnit(rig, {{Probe::Pan, 3, 0, 20}});
}

void TestStrips::linkTurnsPage()
{
    PageRig rig;
    auto *stack = rig.find<QStackedWidget>(QStringLiteral("sW_channelAdat5_6"));
    QVERIFY(stack);
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("monoAdat5_6"));
    QVERIFY(rig.click(QStringLiteral("pB_LinkOnAdat5_6")));
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("stereoAdat5_6"));
    QVERIFY(rig.unit.model->pairLinked(9));
    QVERIFY(rig.click(QStringLiteral("pB_LinkOffAdat5_6")));
    QCOMPARE(stack->currentIndex(), 0);
    QVERIFY(!rig.unit.model->pairLinked(9));
}

void TestStrips::channelNameCutToSix()
{
    PageRig rig;
    auto *edit = rig.find<QLineEdit>(QStringLiteral("lineEdit_ch7"));
    QVERIFY(edit);
    rig.page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&rig.page));
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("Guitars"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), QStringLiteral("Guitar"));
    QCOMPARE(rig.unit.model->channelName(7), QStringLiteral("Guitar"));
    QCOMPARE(rig.storedMismatch({QStringLiteral("Track7/Name=Guitar")}), QString());
    QVERIFY(!edit->hasFocus());
}

void TestStrips::bypassDisablesStripButtons()
{
    PageRig rig;
    QVERIFY(rig.click(QStringLiteral("pB_Analog5")));
    QVERIFY(rig.click(QStringLiteral("pB_Bypass5")));
    for (const char *name : {"pB_Phase5", "pB_EQ5", "pB_Comp5", "pB_Analog5"})
        QVERIFY2(!rig.find(QLatin1String(name))->isEnabled(), name);
    QVERIFY(!rig.find<QPushButton>(QStringLiteral("pB_Analog5"))->isChecked());
    QCOMPARE(rig.unit.model->selectedTrack(), QStringLiteral("none"));
    QVERIFY(rig.find(QStringLiteral("pB_Mute5"))->isEnabled());
    QVERIFY(rig.click(QStringLiteral("pB_Bypass5")));
    QVERIFY(rig.find(QStringLiteral("pB_EQ5"))->isEnabled());
    checkUnit(rig, {{Probe::Bypass, 4, 0, 0}});
}

QTEST_MAIN(TestStrips)
#include "tst_strips.moc"
