#include "tracks.h"

#include <QtTest>

using namespace mixer;

Q_DECLARE_METATYPE(mixer::WidgetKind)
Q_DECLARE_METATYPE(mixer::StripKind)

class TstTracks : public QObject {
    Q_OBJECT

private slots:
    void widgetNames_data();
    void widgetNames();
    void parse_data();
    void parse();
    void pairTable_data();
    void pairTable();
    void everyNameDistinct();
};

void TstTracks::widgetNames_data()
{
    QTest::addColumn<WidgetKind>("kind");
    QTest::addColumn<StripKind>("stripKind");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("send");
    QTest::addColumn<QString>("expected");

    const auto M = StripKind::Mono;
    const auto P = StripKind::Pair;
    const auto X = StripKind::Master;
    QTest::newRow("mute 1") << WidgetKind::Mute << M << 1 << 0 << "pB_Mute1";
    QTest::newRow("phase SP1") << WidgetKind::Phase << M << 11 << 0 << "pB_PhaseSP1";
    QTest::newRow("fader by number") << WidgetKind::Fader << M << 11 << 0 << "vS_FaderKnob11";
    QTest::newRow("bypass by number") << WidgetKind::Bypass << M << 20 << 0 << "pB_Bypass20";
    QTest::newRow("send knob adat") << WidgetKind::SendKnob << M << 15 << 2 << "label_Send2KnobAdat3";
    QTest::newRow("send display") << WidgetKind::SendDisplay << M << 1 << 4 << "label_Send4Display1";
    QTest::newRow("pre mono") << WidgetKind::Pre << M << 1 << 1 << "pB_Pre1_1";
    QTest::newRow("post mono adat") << WidgetKind::Post << M << 20 << 4 << "pB_Post4_Adat8";
    QTest::newRow("name edit") << WidgetKind::Name << M << 7 << 0 << "lineEdit_ch7";
    QTest::newRow("select analog") << WidgetKind::Select << M << 2 << 0 << "pB_Analog2";
    QTest::newRow("select spdif") << WidgetKind::Select << M << 12 << 0 << "pB_SPDIF2";
    QTest::newRow("select adat") << WidgetKind::Select << M << 13 << 0 << "pB_Adat1";
    QTest::newRow("pan knob") << WidgetKind::PanKnob << M << 12 << 0 << "label_panKnobSP2";
    QTest::newRow("mono strip") << WidgetKind::Strip << M << 1 << 0 << "mono1";
    QTest::newRow("mono has no link") << WidgetKind::LinkOn << M << 1 << 0 << "";
    QTest::newRow("send 0 invalid") << WidgetKind::SendKnob << M << 1 << 0 << "";
    QTest::newRow("send 5 invalid") << WidgetKind::Pre << M << 1 << 5 << "";
    QTest::newRow("track 21 invalid") << WidgetKind::Mute << M << 21 << 0 << "";

    QTest::newRow("pair fader") << WidgetKind::FaderDisplay << P << 1 << 0 << "dSB_faderDisplay1_2";
    QTest::newRow("pair fader spdif") << WidgetKind::Fader << P << 6 << 0 << "vS_FaderKnob11_12";
    QTest::newRow("pair bypass adat") << WidgetKind::Bypass << P << 10 << 0 << "pB_Bypass19_20";
    QTest::newRow("pair phase L") << WidgetKind::PhaseL << P << 7 << 0 << "pB_PhaseAdat1_2_L";
    QTest::newRow("pair phase R") << WidgetKind::PhaseR << P << 1 << 0 << "pB_Phase1_2_R";
    QTest::newRow("pair pre") << WidgetKind::Pre << P << 8 << 2 << "pB_Pre2_Adat3_4";
    QTest::newRow("pair stack") << WidgetKind::Stack << P << 1 << 0 << "sW_channel1_2";
    QTest::newRow("pair stack spdif") << WidgetKind::Stack << P << 6 << 0 << "sW_channelSP1_2";
    QTest::newRow("pair stack adat") << WidgetKind::Stack << P << 7 << 0 << "sW_channelAdat1_2";
    QTest::newRow("pair pages") << WidgetKind::StereoPage << P << 6 << 0 << "stereoSP1_2";
    QTest::newRow("pair mono page") << WidgetKind::MonoPage << P << 1 << 0 << "mono1_2";
    QTest::newRow("stereo strip") << WidgetKind::Strip << P << 1 << 0 << "st1_2";
    QTest::newRow("link on") << WidgetKind::LinkOn << P << 8 << 0 << "pB_LinkOnAdat3_4";
    QTest::newRow("link off") << WidgetKind::LinkOff << P << 1 << 0 << "pB_LinkOff1_2";
    QTest::newRow("pair select") << WidgetKind::Select << P << 6 << 0 << "pB_SPDIF1_2";
    QTest::newRow("pair pan R") << WidgetKind::PanDisplayR << P << 10 << 0 << "label_panDisplayAdat7_8_R";
    QTest::newRow("pair send knob") << WidgetKind::SendKnob << P << 1 << 3 << "label_Send3Knob1_2";
    QTest::newRow("pair has no name") << WidgetKind::Name << P << 1 << 0 << "";

    QTest::newRow("master mute") << WidgetKind::Mute << X << 0 << 0 << "pB_masterMute";
    QTest::newRow("master fader") << WidgetKind::Fader << X << 0 << 0 << "vS_FaderKnobMaster";
    QTest::newRow("master send") << WidgetKind::SendKnob << X << 0 << 1 << "label_Send1KnobMaster";
    QTest::newRow("master meter") << WidgetKind::LevelMeterR << X << 0 << 0 << "label_LevelMeterMasterR";
    QTest::newRow("return knob") << WidgetKind::ReturnKnob << X << 0 << 0 << "label_SendKnobReturn";
    QTest::newRow("master has no solo") << WidgetKind::Solo << X << 0 << 0 << "";
}

void TstTracks::widgetNames()
{
    QFETCH(WidgetKind, kind);
    QFETCH(StripKind, stripKind);
    QFETCH(int, number);
    QFETCH(int, send);
    QFETCH(QString, expected);
    QCOMPARE(widgetName(kind, StripRef{stripKind, number}, send), expected);
}

void TstTracks::parse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<StripKind>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("channel");

    QTest::newRow("mono") << "Track7" << StripKind::Mono << 7 << 7;
    QTest::newRow("mono 20") << "Track20" << StripKind::Mono << 20 << 20;
    QTest::newRow("pair") << "Track7_8" << StripKind::Pair << 4 << 255;
    QTest::newRow("pair 10") << "Track19_20" << StripKind::Pair << 10 << 255;
    QTest::newRow("master") << "TrackMaster" << StripKind::Master << 0 << 255;
    QTest::newRow("side") << "Track1_2_L" << StripKind::Invalid << 0 << 255;
    QTest::newRow("misaligned pair") << "Track2_3" << StripKind::Invalid << 0 << 255;
    QTest::newRow("out of range") << "Track21" << StripKind::Invalid << 0 << 255;
    QTest::newRow("none") << "none" << StripKind::Invalid << 0 << 255;
    QTest::newRow("empty") << "" << StripKind::Invalid << 0 << 255;
}

void TstTracks::parse()
{
    QFETCH(QString, name);
    QFETCH(StripKind, kind);
    QFETCH(int, number);
    QFETCH(int, channel);
    const StripRef s = parseStrip(name);
    QCOMPARE(s.kind, kind);
    QCOMPARE(s.number, number);
    QCOMPARE(unitChannel(name), channel);
    if (s.valid())
        QCOMPARE(stripName(s), name);
}

void TstTracks::pairTable_data()
{
    QTest::addColumn<int>("pair");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<int>("first");

    QTest::newRow("1") << 1 << "Track1_2"
                       << "Track1_2_L"
                       << "Track1_2_R" << 1;
    QTest::newRow("6") << 6 << "Track11_12"
                       << "Track11_12_L"
                       << "Track11_12_R" << 11;
    QTest::newRow("10") << 10 << "Track19_20"
                        << "Track19_20_L"
                        << "Track19_20_R" << 19;
}

void TstTracks::pairTable()
{
    QFETCH(int, pair);
    QFETCH(QString, name);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(int, first);
    const PairInfo *p = pairInfo(pair);
    QVERIFY(p);
    QCOMPARE(p->name, name);
    QCOMPARE(p->leftSide, left);
    QCOMPARE(p->rightSide, right);
    QCOMPARE(p->first, first);
    QCOMPARE(p->second, first + 1);
    QCOMPARE(pairOfTrack(first), pair);
    QCOMPARE(pairOfTrack(first + 1), pair);
    bool isRight = false;
    QCOMPARE(parseSide(right, &isRight), pair);
    QVERIFY(isRight);
    QCOMPARE(parseSide(left, &isRight), pair);
    QVERIFY(!isRight);
}

// Style sheets and tests find widgets by name: two strips sharing one would break both.
void TstTracks::everyNameDistinct()
{
    QSet<QString> seen;
    int count = 0;
    const auto add = [&](StripRef s) {
        for (int k = int(WidgetKind::Strip); k <= int(WidgetKind::ReverbOn); ++k) {
            for (int send = 0; send <= kSends; ++send) {
                const QString n = widgetName(WidgetKind(k), s, send);
                if (n.isEmpty() || seen.contains(n))
                    continue;
                seen.insert(n);
                ++count;
            }
        }
    };
    for (int t = 1; t <= kTracks; ++t)
        add({StripKind::Mono, t});
    const int monoCount = count;
    for (int p = 1; p <= kPairs; ++p)
        add({StripKind::Pair, p});
    add({StripKind::Master, 0});
    // Mono: 15 single widgets + 4 sends x 4 kinds; pair: 24 + 16; master: 13 + 8. A collision would
    // drop a name from the count.
    QCOMPARE(monoCount, 20 * (15 + 16));
    QCOMPARE(count, 20 * (15 + 16) + 10 * (24 + 16) + 13 + 8);
}

QTEST_GUILESS_MAIN(TstTracks)
#include "tst_tracks.moc"
