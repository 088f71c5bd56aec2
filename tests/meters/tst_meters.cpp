// The meter scales and the display table without widgets (a recording view stands in for the labels),
// and the virtual unit's commands that put an input at an exact meter value.
#include "control_commands.h"
#include "fault_plan.h"
#include "firmware.h"
#include "grbar.h"
#include "ixmsg.h"
#include "ixmsgids.h"
#include "metertable.h"
#include "trace_log.h"

#include <QtTest>

#include <cmath>

using namespace meter;
using lyntra::fw::ControlCommands;
using lyntra::fw::FaultPlan;
using lyntra::fw::Firmware;
using lyntra::fw::TraceLog;

namespace {

// Keeps the bars where the table puts them, starting empty, and the lamps' state.
struct RecordingView : MeterView {
    RecordingView()
    {
        for (int s = 0; s < kSlots; ++s)
            bars[s] = barAt(s, kEmptyOffset);
    }
    Bar bar(int slot) const override { return bars[slot]; }
    void setBar(int slot, const Bar &b) override { bars[slot] = b; }
    void setPeak(int slot, bool lit) override { peaks[slot] = lit; }
    Bar bars[kSlots];
    bool peaks[kSlots] = {};
};

enum Scale { Level, GainReduction, Fall, GrShrink };

} // namespace

class TestMeters : public QObject {
    Q_OBJECT

private slots:
    // Level: bar offset. Gain reduction: bar height. Fall: step for a bar spanning `value` pixels.
    // Shrink: the gain-reduction bar's next height.
    void scales_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        const struct {
            const char *name;
            Scale scale;
            int value, expected;
        } rows[] = {
            {"-1 dB floor is full", Level, 29204, 0},
            {"just under -1 dB", Level, 29203, 2},
            {"silence", Level, 0, 106},
            {"-60 dB threshold", Level, 32, 106},
            {"below -41 dB", Level, 262, 82},
            {"-30.3 dB", Level, 1000, 60},
            {"over full scale", Level, 65535, 0},
            {"no reduction", GainReduction, 32767, 1},
            {"full scale: none", GainReduction, 32768, 1},
            {"1 dB", GainReduction, 29203, 2},
            {"24 dB", GainReduction, 2067, 60},
            {"over 24 dB", GainReduction, 2066, 63},
            {"7 px", Fall, 7, 8},
            {"6 px", Fall, 6, 2},
            {"one row", Fall, 0, 1},
            {"nothing left", Fall, -1, 0},
            {"full gain-reduction bar", GrShrink, 63, 55},
            {"gain-reduction bar of 8 px", GrShrink, 8, 4},
            {"gain-reduction bar of 5 px", GrShrink, 5, 1},
            {"gain-reduction bar of 2 px", GrShrink, 2, 1},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << int(r.scale) << r.value << r.expected;
    }
    void scales()
    {
        QFETCH(int, scale);
        QFETCH(int, value);
        QFETCH(int, expected);
        const int got = scale == Level           ? level_segment(uint32_t(value))
                        : scale == GainReduction ? kGrFull - gr_segment(uint32_t(value))
                        : scale == Fall          ? fall_step(value)
                                                 : gr_shrunk(value);
        QCOMPARE(got, expected);
    }

    // Just below each one-dB threshold from -24 to 0 dB, the gain-reduction offsets add up as the
    // unit's table does: one entry off shows.
    void grOffsetsEveryDb()
    {
        int sum = 0;
        for (int db = -24; db <= 0; ++db)
            sum += gr_segment(uint32_t(std::floor(32768 * std::pow(10.0, db / 20.0))) - 1);
        QCOMPARE(sum, 805);
    }

    // The gain-reduction bar takes a deeper reduction at once and falls back by 8, 4, 2, 1 pixels a step
    // once it ends, until it goes. A steady reduction holds its height.
    void grBarFallsBack()
    {
        GrBar bar;
        bar.update(0);
        bar.update(0);
        QVERIFY(bar.visible() && bar.height() == kGrFull);
        QList<int> heights;
        for (int step = 0; step < 11; ++step) {
            bar.update(32768);
            heights << (bar.visible() ? bar.height() : -1); // -1: hidden
        }
        QCOMPARE(heights, (QList<int>{55, 47, 39, 31, 23, 15, 7, 3, 1, -1, -1}));
    }

    void storeKeepsMeteredChannelsOnly()
    {
        LevelStore store;
        QVERIFY(store.storeLevel(IXMSG_DATA_CH_INPUT, 20, 7) && store.storeLevel(IXMSG_DATA_CH_MASTER, 1, 70000));
        for (auto [type, number] : {std::pair{IXMSG_DATA_CH_MASTER, 3},
                                    {IXMSG_DATA_CH_INPUT, 21},
                                    {IXMSG_DATA_CH_INPUT, 0},
                                    {IXMSG_DATA_CH_OUTPUT, 1}})
            QVERIFY(!store.storeLevel(type, uint32_t(number), 11));
        MeterTable table;
        table.setLevels(store);
        QCOMPARE(int(table.level(38)), 0);
        QCOMPARE(int(table.level(39)), 7);
        QCOMPARE(int(table.level(kMasterLeft)), 0xFFFF); // above the slot's range reads as its top
    }

    // A full bar whose channel goes silent: 13 steps of 8, one of 2, then set empty; the linked
    // strip's side falls along with it and the neighbour stays.
    void fullBarFallsToEmpty()
    {
        LevelStore store;
        store.input[0] = kFullScale;
        MeterTable table;
        RecordingView view;
        table.setLevels(store);
        table.update(view);
        QCOMPARE(view.bars[2], barAt(2, 0));
        store.input[0] = 0;
        table.setLevels(store);
        QList<int> steps;
        for (int update = 1; update <= 15; ++update) {
            const int before = view.bars[0].top;
            table.update(view);
            steps << view.bars[0].top - before;
            QCOMPARE(view.bars[2].top, view.bars[0].top);
        }
        QCOMPARE(steps, (QList<int>{8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 2, 0}));
        QCOMPARE(view.bars[0], barAt(0, kEmptyOffset));
        QCOMPARE(view.bars[1], barAt(1, kEmptyOffset));
    }

    // A bar falls at most 8 pixels a step but never past its level, on both displays of the channel: a
    // level one dB down, one that wobbles by a dB each step, and the end of a long fall.
    void barStopsAtItsLevel()
    {
        LevelStore store;
        MeterTable table;
        RecordingView view;
        for (int down : {20, 21, 21, 20, 21, 19, 21, 0, 30, 30, 30, 30, 30, 30, 30, 30, 30}) {
            store.input[0] = threshold(60 - down);
            table.setLevels(store);
            table.update(view);
            const Bar target = barAt(0, level_segment(store.input[0]));
            QVERIFY2(view.bars[0].top <= target.top && view.bars[2].top == view.bars[0].top,
                     qPrintable(QString::number(down)));
            if (down != 30)
                QCOMPARE(view.bars[0], target);
        }
        QCOMPARE(view.bars[0], barAt(0, level_segment(store.input[0])));
    }

    // A peak lit just before the once-a-second step goes out one step later, just after it two; -1 dB
    // lights it, a step less does not; a level that stays at the top keeps it lit.
    void peakHoldsOneOrTwoSeconds()
    {
        LevelStore top;
        top.master[1] = 29204;
        MeterTable held;
        RecordingView heldView;
        held.setLevels(top);
        for (int tick = 1; tick <= 4; ++tick) {
            held.update(heldView);
            held.holdTick(heldView);
        }
        QVERIFY(heldView.peaks[kMasterRight]);

        for (const bool beforeTick : {true, false}) {
            LevelStore store;
            store.master[0] = 29203; // just under -1 dB: no lamp
            store.master[1] = 29204;
            MeterTable table;
            RecordingView view;
            table.setLevels(store);
            table.update(view);
            QVERIFY(view.peaks[kMasterRight] && !view.peaks[kMasterLeft]);
            table.setLevels(LevelStore());
            if (beforeTick)
                table.holdTick(view);
            for (int tick = 1; tick <= 3; ++tick) {
                table.update(view);
                table.holdTick(view);
                QCOMPARE(view.peaks[kMasterRight], tick < (beforeTick ? 1 : 2));
            }
        }
    }

    // Input 3's meter as each command sets it (0: where the signal was), held while time moves on and
    // moving again once the signal is back. The refusals are the emulator test's.
    void setsSteadyLevels()
    {
        for (const auto &[command, meter] :
             {std::pair{"set level 3 29204", 29204u}, {"set level 3 -6dB", 16423u}, {"set freeze on", 0u}}) {
            Firmware fw;
            FaultPlan faults;
            TraceLog trace;
            ControlCommands commands(fw, faults, trace, {});
            fw.setTime(2.0);
            const uint32_t held = meter ? meter : fw.inputLevel(3);
            QCOMPARE(commands.handle(QLatin1String(command)), QByteArray("{\"ok\":true}"));
            fw.setTime(3.1);
            QCOMPARE(fw.inputLevel(3), held);
            QVERIFY(commands.handle("set level 3 signal") == "{\"ok\":true}" &&
                    commands.handle("set freeze off") == "{\"ok\":true}");
            fw.setTime(4.2);
            QVERIFY(fw.inputLevel(3) != held);
        }
    }

    // A host asking for meters faster than it reads them finds one waiting set with the newest values.
    void meterRequestsCoalesce()
    {
        Firmware fw;
        const uint8_t getMeter[] = {IXMSG_ID_GET_METER, IXMSG_T_FLAG};
        for (int request = 0; request < 200; ++request) {
            QVERIFY(fw.setSourceLevel(3, request));
            fw.apply(getMeter, sizeof getMeter);
        }
        QCOMPARE(fw.droppedAnswers(), uint64_t(0));
        QList<uint32_t> input3;
        uint8_t reply[64];
        for (int read = 0; read < 20 && fw.hasPendingAnswers(); ++read) {
            fw.nextReply(reply);
            ixmsg_buf buf;
            ixmsg_init(&buf, reply, sizeof reply);
            uint8_t id = 0;
            uint32_t value = 0, number = 0;
            while (ixmsg_get(&buf, &id, nullptr, &value, nullptr, nullptr) == 0) {
                number = id == IXMSG_ID_CH_NO ? value : number;
                if (id == IXMSG_ID_METER && number == 3)
                    input3 << value;
            }
        }
        QVERIFY(!fw.hasPendingAnswers());
        QCOMPARE(input3, QList<uint32_t>{199});
    }
};

QTEST_APPLESS_MAIN(TestMeters)
#include "tst_meters.moc"
