// The command set: bytes of every entry, accepted addresses, and the knob-position conversions at
// every edge of their steps.
#include "hexbytes.h"
#include "ixcmd.h"

#include <QtTest>

#include <functional>

using Writer = std::function<int(ixmsg_buf *)>;
Q_DECLARE_METATYPE(Writer)
Q_DECLARE_METATYPE(ixcmd_op_t)

using PositionFn = std::function<int(int)>;
Q_DECLARE_METATYPE(PositionFn)

class TestIxcmd : public QObject {
    Q_OBJECT

private slots:
    void entryBytes_data();
    void entryBytes();
    void entryThatDoesNotFitLeavesNothing();
    void accepts_data();
    void accepts();
    void signedEncodings_data();
    void signedEncodings();
    void positions_data();
    void positions();
    void routeSources_data();
    void routeSources();
    void clockChoice_data();
    void clockChoice();
    void reverbTypes_data();
    void reverbTypes();
};

void TestIxcmd::entryBytes_data()
{
    QTest::addColumn<Writer>("write");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("get_info") << Writer(ixcmd_get_info) << hexBytes("31 01");
    QTest::newRow("get_hz") << Writer(ixcmd_get_hz) << hexBytes("18 01");
    QTest::newRow("get_clocksource") << Writer(ixcmd_get_clocksource) << hexBytes("1A 01");
    QTest::newRow("get_clocklock") << Writer(ixcmd_get_clocklock) << hexBytes("1B 01");
    QTest::newRow("get_meter") << Writer(ixcmd_get_meter) << hexBytes("71 01");
    QTest::newRow("get_dspmode") << Writer(ixcmd_get_dspmode) << hexBytes("C1 01");
    QTest::newRow("store") << Writer(ixcmd_store) << hexBytes("A2 01");
    QTest::newRow("get_grmeter input 7")
        << Writer([](ixmsg_buf *b) { return ixcmd_get_grmeter(b, IXMSG_DATA_CH_INPUT, 7); })
        << hexBytes("61 02 04 62 02 07 B1 01");
    QTest::newRow("clock source word from setting 4, no mode")
        << Writer([](ixmsg_buf *b) { return ixcmd_set_clocksource(b, ixcmd_clocksource_for_setting(4)); })
        << hexBytes("19 02 02");
    QTest::newRow("optical A choice 3")
        << Writer([](ixmsg_buf *b) { return ixcmd_set_adat_x4mode(b, 5, uint32_t(ixcmd_adat_mode_for_choice(3))); })
        << hexBytes("1D 02 05 87 02 01");
    QTest::newRow("assign input 3/4 left to output 1")
        << Writer([](ixmsg_buf *b) { return ixcmd_set_assign_ch(b, IXMSG_DATA_CH_INPUT, 3, IXMSG_DATA_CH_OUTPUT, 1); })
        << hexBytes("61 02 04 62 02 03 41 01 61 02 01 62 02 01 42 01 43 01");
    QTest::newRow("send input 2 to bus 4, post, -127")
        << Writer([](ixmsg_buf *b) { return ixcmd_set_send(b, IXMSG_DATA_CH_INPUT, 2, IXMSG_DATA_CH_AUX, 4, 2, -127); })
        << hexBytes("61 02 04 62 02 02 41 01 61 02 05 62 02 04 42 01 44 02 02 45 02 81 46 01");
    QTest::newRow("send master to bus 1 at +6")
        << Writer([](ixmsg_buf *b) { return ixcmd_set_send(b, IXMSG_DATA_CH_MASTER, 1, IXMSG_DATA_CH_AUX, 1, 1, 6); })
        << hexBytes("61 02 02 62 02 01 41 01 61 02 05 62 02 01 42 01 44 02 01 45 02 06 46 01");
    QTest::newRow("eq low band, q none")
        << Writer([](ixmsg_buf *b) { return ixcmd_set_eq(b, IXMSG_DATA_CH_INPUT, 20, 1, 1, 12, 31, 255); })
        << hexBytes("61 02 04 62 02 14 51 02 01 52 02 0C 53 02 1F 54 02 FF 55 02 01");
    QTest::newRow("comp channel 7 linked with 8")
        << Writer([](ixmsg_buf *b) {
               return ixcmd_set_comp(b, IXMSG_DATA_CH_INPUT, 7, 1, -20, 40, 10, 50, 3, ixcmd_comp_link(true, 7));
           })
        << hexBytes("61 02 04 62 02 07 91 02 EC 92 02 28 93 02 0A 94 02 32 95 02 03 96 02 02 97 02 01");
    QTest::newRow("reverb plate")
        << Writer([](ixmsg_buf *b) { return ixcmd_set_reverb(b, ixcmd_reverb_type("PLATE"), 10, 20, 30); })
        << hexBytes("D1 02 05 D2 02 0A D3 02 14 D4 02 1E D5 01");
    QTest::newRow("return on at minus infinity")
        << Writer([](ixmsg_buf *b) { return ixcmd_set_return(b, 1, IXCMD_LEVEL_MINUS_INF); })
        << hexBytes("47 02 81 48 02 01");
    QTest::newRow("true bypass") << Writer([](ixmsg_buf *b) { return ixcmd_set_truebypass(b, 4, 11, 1); })
                                 << hexBytes("61 02 04 62 02 0B 4A 02 01");
    QTest::newRow("fader bottom") << Writer([](ixmsg_buf *b) { return ixcmd_set_fader(b, 4, 1, -1270); })
                                  << hexBytes("61 02 04 62 02 01 81 03 0A FB");
    QTest::newRow("fader top") << Writer([](ixmsg_buf *b) { return ixcmd_set_fader(b, 1, 9, 60); })
                               << hexBytes("61 02 01 62 02 09 81 03 3C 00");
    QTest::newRow("fader -0.1 dB") << Writer([](ixmsg_buf *b) { return ixcmd_set_fader(b, 2, 2, -1); })
                                   << hexBytes("61 02 02 62 02 02 81 03 FF FF");
    QTest::newRow("pan centre") << Writer([](ixmsg_buf *b) { return ixcmd_set_pan(b, 4, 1, 20); })
                                << hexBytes("61 02 04 62 02 01 82 02 14");
    QTest::newRow("mute master 2") << Writer([](ixmsg_buf *b) { return ixcmd_set_mute(b, 2, 2, 1); })
                                   << hexBytes("61 02 02 62 02 02 83 02 01");
    QTest::newRow("solo") << Writer([](ixmsg_buf *b) { return ixcmd_set_solo(b, 4, 5, 1); })
                          << hexBytes("61 02 04 62 02 05 84 02 01");
    QTest::newRow("phase") << Writer([](ixmsg_buf *b) { return ixcmd_set_phase(b, 4, 6, 0); })
                           << hexBytes("61 02 04 62 02 06 85 02 00");
}

void TestIxcmd::entryBytes()
{
    QFETCH(Writer, write);
    QFETCH(QByteArray, bytes);
    uint8_t storage[64] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, sizeof storage);
    QCOMPARE(write(&buf), 0);
    QCOMPARE(hexOf(QByteArray(reinterpret_cast<char *>(storage), buf.position)), hexOf(bytes));
}

void TestIxcmd::entryThatDoesNotFitLeavesNothing()
{
    // Compressor entries are 27 bytes: two fit into a message, the third is left for the next one.
    uint8_t storage[64] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, sizeof storage);
    int written = 0;
    while (ixcmd_set_comp(&buf, 4, uint8_t(written + 1), 1, -10, 20, 2, 1, 0, 1) == 0)
        ++written;
    QCOMPARE(written, 2);
    QCOMPARE(int(buf.position), 54);
    QCOMPARE(ixcmd_get_info(&buf), 0); // a smaller entry still fits behind them
    QCOMPARE(int(buf.position), 56);
}

void TestIxcmd::accepts_data()
{
    QTest::addColumn<ixcmd_op_t>("op");
    QTest::addColumn<uint>("type");
    QTest::addColumn<uint>("number");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("fader input 1") << IXCMD_FADER << 4u << 1u << true;
    QTest::newRow("fader input 20") << IXCMD_FADER << 4u << 20u << true;
    QTest::newRow("fader input 21") << IXCMD_FADER << 4u << 21u << false;
    QTest::newRow("fader input 0") << IXCMD_FADER << 4u << 0u << false;
    QTest::newRow("fader master 2") << IXCMD_FADER << 2u << 2u << true;
    QTest::newRow("fader master 3") << IXCMD_FADER << 2u << 3u << false;
    QTest::newRow("fader output 9") << IXCMD_FADER << 1u << 9u << true;
    QTest::newRow("fader output 10") << IXCMD_FADER << 1u << 10u << false;
    QTest::newRow("fader aux") << IXCMD_FADER << 5u << 1u << false;
    QTest::newRow("mute master 1") << IXCMD_MUTE << 2u << 1u << true;
    QTest::newRow("mute output 1") << IXCMD_MUTE << 1u << 1u << false;
    QTest::newRow("pan master") << IXCMD_PAN << 2u << 1u << false;
    QTest::newRow("pan input 20") << IXCMD_PAN << 4u << 20u << true;
    QTest::newRow("solo input 1") << IXCMD_SOLO << 4u << 1u << true;
    QTest::newRow("phase master") << IXCMD_PHASE << 2u << 1u << false;
    QTest::newRow("bypass input 21") << IXCMD_TRUEBYPASS << 4u << 21u << false;
    QTest::newRow("send from master 1") << IXCMD_SEND << 2u << 1u << true;
    QTest::newRow("send from master 2") << IXCMD_SEND << 2u << 2u << false;
    QTest::newRow("send from input 20") << IXCMD_SEND << 4u << 20u << true;
    QTest::newRow("send from computer") << IXCMD_SEND << 3u << 1u << false;
    QTest::newRow("send bus 4") << IXCMD_SEND_BUS << 5u << 4u << true;
    QTest::newRow("send bus 5") << IXCMD_SEND_BUS << 5u << 5u << false;
    QTest::newRow("send to output") << IXCMD_SEND_BUS << 1u << 1u << false;
    QTest::newRow("eq input") << IXCMD_EQ << 4u << 3u << true;
    QTest::newRow("eq master") << IXCMD_EQ << 2u << 1u << false;
    QTest::newRow("eq band 4") << IXCMD_EQ_BAND << 0u << 4u << true;
    QTest::newRow("eq band 5") << IXCMD_EQ_BAND << 0u << 5u << false;
    QTest::newRow("eq band 0") << IXCMD_EQ_BAND << 0u << 0u << false;
    QTest::newRow("comp input 20") << IXCMD_COMP << 4u << 20u << true;
    QTest::newRow("comp master") << IXCMD_COMP << 2u << 1u << false;
    QTest::newRow("assign to output 20") << IXCMD_ASSIGN << 1u << 20u << true;
    QTest::newRow("assign to output 21") << IXCMD_ASSIGN << 1u << 21u << false;
    QTest::newRow("assign to master") << IXCMD_ASSIGN << 2u << 1u << false;
    QTest::newRow("optical mode A") << IXCMD_ADAT_X4MODE << 5u << 0u << true;
    QTest::newRow("optical mode B") << IXCMD_ADAT_X4MODE << 6u << 0u << true;
    QTest::newRow("optical mode word") << IXCMD_ADAT_X4MODE << 2u << 0u << false;
}

void TestIxcmd::accepts()
{
    QFETCH(ixcmd_op_t, op);
    QFETCH(uint, type);
    QFETCH(uint, number);
    QFETCH(bool, accepted);
    QCOMPARE(ixcmd_accepts(op, type, number), accepted);
}

void TestIxcmd::signedEncodings_data()
{
    QTest::addColumn<int>("tenthsDb");
    QTest::addColumn<uint>("faderWire");
    QTest::newRow("minus infinity") << -1270 << 0xFB0Au;
    QTest::newRow("-0.1 dB") << -1 << 0xFFFFu;
    QTest::newRow("0 dB") << 0 << 0u;
    QTest::newRow("+6 dB") << 60 << 60u;
}

void TestIxcmd::signedEncodings()
{
    QFETCH(int, tenthsDb);
    QFETCH(uint, faderWire);
    QCOMPARE(uint(ixcmd_fader_wire(int16_t(tenthsDb))), faderWire);
    QCOMPARE(int(ixcmd_fader_from_wire(faderWire)), tenthsDb);
    // 8-bit levels share the scheme: -127 is minus infinity.
    QCOMPARE(uint(ixcmd_level_wire(IXCMD_LEVEL_MINUS_INF)), 0x81u);
    QCOMPARE(int(ixcmd_level_from_wire(0x81u)), -127);
    QCOMPARE(int(ixcmd_level_from_wire(0xA2u)), -94);
}

void TestIxcmd::positions_data()
{
    QTest::addColumn<PositionFn>("convert");
    QTest::addColumn<QVector<int>>("positions");
    QTest::addColumn<QVector<int>>("values");

    QTest::newRow("eq gain") << PositionFn(ixcmd_eq_gain_step)
                             << QVector<int>{0, 5, 6, 10, 11, 60, 61, 115, 116, 120, 121, 127, -4, 200}
                             << QVector<int>{0, 0, 1, 1, 2, 11, 12, 22, 23, 23, 24, 24, 0, 24};
    QTest::newRow("eq low freq") << PositionFn([](int p) { return ixcmd_eq_freq_step(1, p); })
                                 << QVector<int>{0, 3, 4, 127} << QVector<int>{0, 0, 1, 31};
    QTest::newRow("eq low-mid freq") << PositionFn([](int p) { return ixcmd_eq_freq_step(2, p); })
                                     << QVector<int>{0, 1, 2, 127} << QVector<int>{0, 0, 1, 63};
    QTest::newRow("eq high-mid freq") << PositionFn([](int p) { return ixcmd_eq_freq_step(3, p); })
                                      << QVector<int>{0, 126, 127} << QVector<int>{0, 63, 63};
    QTest::newRow("eq high freq") << PositionFn([](int p) { return ixcmd_eq_freq_step(4, p); })
                                  << QVector<int>{0, 3, 4, 127} << QVector<int>{32, 32, 33, 63};
    QTest::newRow("eq mid q") << PositionFn([](int p) { return ixcmd_eq_q_step(2, p); })
                              << QVector<int>{0, 17, 18, 107, 108, 127} << QVector<int>{0, 0, 1, 5, 6, 6};
    QTest::newRow("eq low q") << PositionFn([](int p) { return ixcmd_eq_q_step(1, p); })
                              << QVector<int>{0, 64, 127} << QVector<int>{255, 255, 255};
    QTest::newRow("eq high q") << PositionFn([](int p) { return ixcmd_eq_q_step(4, p); })
                               << QVector<int>{0, 127} << QVector<int>{255, 255};
    QTest::newRow("comp threshold")
        << PositionFn(ixcmd_comp_threshold)
        << QVector<int>{0, 3, 4, 7, 8, 39, 40, 42, 43, 46, 47, 49, 50, 64, 65, 71, 72, 123, 124, 127}
        << QVector<int>{-32, -32, -31, -31, -30, -23, -22, -22, -21, -21, -20, -20, -19, -16, -15, -14, -13, -1, 0, 0};
    QTest::newRow("comp ratio")
        << PositionFn(ixcmd_comp_ratio)
        << QVector<int>{0, 5, 6, 11, 12, 17, 18, 29, 30, 35, 36, 59, 60, 71, 72, 77, 78, 83, 84, 127}
        << QVector<int>{10, 10, 11, 11, 13, 13, 15, 17, 20, 20, 25, 40, 50, 60, 80, 80, 160, 160, 255, 255};
    QTest::newRow("comp attack") << PositionFn(ixcmd_comp_attack) << QVector<int>{0, 1, 98, 99, 127}
                                 << QVector<int>{2, 4, 198, 200, 200};
    QTest::newRow("comp release") << PositionFn(ixcmd_comp_release) << QVector<int>{0, 98, 99, 127}
                                  << QVector<int>{1, 99, 100, 100};
    QTest::newRow("comp gain") << PositionFn(ixcmd_comp_gain) << QVector<int>{0, 5, 6, 11, 12, 119, 120, 127}
                               << QVector<int>{0, 0, 1, 1, 2, 19, 20, 20};
}

void TestIxcmd::positions()
{
    QFETCH(PositionFn, convert);
    QFETCH(QVector<int>, positions);
    QFETCH(QVector<int>, values);
    QCOMPARE(positions.size(), values.size());
    for (int i = 0; i < positions.size(); ++i)
        QVERIFY2(convert(positions[i]) == values[i],
                 qPrintable(QStringLiteral("position %1 gave %2, want %3").arg(positions[i]).arg(convert(positions[i])).arg(values[i])));
}

void TestIxcmd::routeSources_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");

    QTest::newRow("master") << 0 << "2/1" << "2/2";
    QTest::newRow("aux 1-2") << 1 << "5/1" << "5/2";
    QTest::newRow("aux 3-4") << 2 << "5/3" << "5/4";
    QTest::newRow("computer 1-2") << 3 << "3/1" << "3/2";
    QTest::newRow("computer 9-10") << 7 << "3/9" << "3/10";
    QTest::newRow("input 1-2") << 8 << "4/1" << "4/2";
    QTest::newRow("input 11-12") << 13 << "4/11" << "4/12";
    QTest::newRow("input 19-20") << 17 << "4/19" << "4/20";
    QTest::newRow("past the end") << 18 << "0/0" << "0/0";
    QTest::newRow("negative") << -1 << "0/0" << "0/0";
}

void TestIxcmd::routeSources()
{
    QFETCH(int, index);
    QFETCH(QString, left);
    QFETCH(QString, right);
    const ixcmd_route_source src = ixcmd_route_source_at(index);
    QCOMPARE(QStringLiteral("%1/%2").arg(src.left.ch_type).arg(src.left.ch_no), left);
    QCOMPARE(QStringLiteral("%1/%2").arg(src.right.ch_type).arg(src.right.ch_no), right);
    if (index == 0) {
        QCOMPARE(int(ixcmd_route_left_output(3)), 7);
        QCOMPARE(int(ixcmd_route_right_output(3)), 8);
        QCOMPARE(int(ixcmd_route_left_output(0)), 1);
    }
}

void TestIxcmd::clockChoice_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<uint>("source"); // for a stored SampleClockSourceId
    QTest::addColumn<int>("mode");    // for an optical selector index

    QTest::newRow("0") << 0 << 0u << 0;
    QTest::newRow("1") << 1 << 1u << 0;
    QTest::newRow("2") << 2 << 5u << 2;
    QTest::newRow("3") << 3 << 6u << 1;
    QTest::newRow("4") << 4 << 2u << -1;
    QTest::newRow("-1") << -1 << 0u << -1;
    QTest::newRow("365 (missing)") << 365 << 0u << -1;
}

void TestIxcmd::clockChoice()
{
    QFETCH(int, value);
    QFETCH(uint, source);
    QFETCH(int, mode);
    QCOMPARE(ixcmd_clocksource_for_setting(value), source);
    QCOMPARE(ixcmd_adat_mode_for_choice(value), mode);
}

void TestIxcmd::reverbTypes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("type");
    QTest::newRow("HALL") << "HALL" << 1u;
    QTest::newRow("ROOM") << "ROOM" << 2u;
    QTest::newRow("LIVE") << "LIVE" << 3u;
    QTest::newRow("STUDIO") << "STUDIO" << 4u;
    QTest::newRow("PLATE") << "PLATE" << 5u;
    QTest::newRow("lower case") << "hall" << 0u;
    QTest::newRow("empty") << "" << 0u;
}

void TestIxcmd::reverbTypes()
{
    QFETCH(QString, name);
    QFETCH(uint, type);
    QCOMPARE(ixcmd_reverb_type(name.toLatin1().constData()), type);
    QCOMPARE(ixcmd_reverb_type(nullptr), 0u);
}

QTEST_APPLESS_MAIN(TestIxcmd)
#include "tst_ixcmd.moc"
