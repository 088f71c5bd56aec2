// The meter scales and the display table without widgets: a recording view stands in for the labels.
#include "grbar.h"
#include "ixmsg_ids.h"
#include "metertable.h"

#include <QtTest>

using namespace meter;

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

} // namespace

class TestMeterMath : public QObject {
    Q_OBJECT

private slots:
    void levelSegment_data()
    {
        QTest::addColumn<uint>("level");
        QTest::addColumn<int>("offset");
        QTest::newRow("-1 dB floor lights the top") << 29204u << 0;
        QTest::newRow("just under -1 dB") << 29203u << 2;
        QTest::newRow("silence") << 0u << 106;
        QTest::newRow("-60 dB threshold") << 32u << 106;
        QTest::newRow("-59 dB threshold") << 36u << 106;
        QTest::newRow("below -41 dB") << 262u << 82;
        QTest::newRow("-30.3 dB") << 1000u << 60;
        QTest::newRow("-6 dB threshold") << 16422u << 10;
        QTest::newRow("full scale") << 32768u << 0;
        QTest::newRow("over full scale") << 65535u << 0;
    }
    void levelSegment()
    {
        QFETCH(uint, level);
        QFETCH(int, offset);
        QCOMPARE(level_segment(level), offset);
    }

    void grSegment_data()
    {
        QTest::addColumn<uint>("value");
        QTest::addColumn<int>("height");
        QTest::newRow("no reduction") << 32767u << 1;
        QTest::newRow("full scale means none too") << 32768u << 1;
        QTest::newRow("-1 dB") << 29203u << 2;
        QTest::newRow("just over 12 dB of reduction") << 8229u << 31;
        QTest::newRow("-24 dB threshold") << 2067u << 60;
        QTest::newRow("deeper than -24 dB") << 2066u << 63;
        QTest::newRow("silence") << 0u << 63;
    }
    void grSegment()
    {
        QFETCH(uint, value);
        QFETCH(int, height);
        QCOMPARE(kGrFull - gr_segment(value), height);
    }

    void fallSteps_data()
    {
        QTest::addColumn<int>("span");
        QTest::addColumn<int>("step");
        for (auto [span, step] : {std::pair{106, 8}, {7, 8}, {6, 2}, {1, 2}, {0, 1}, {-1, 0}})
            QTest::addRow("span %d", span) << span << step;
    }
    void fallSteps()
    {
        QFETCH(int, span);
        QFETCH(int, step);
        QCOMPARE(fall_step(span), step);
    }

    void storeKeepsMeteredChannelsOnly()
    {
        LevelStore store;
        QVERIFY(store.storeLevel(IXMSG_DATA_CH_INPUT, 20, 7));
        QVERIFY(store.storeLevel(IXMSG_DATA_CH_MASTER, 2, 9));
        QVERIFY(!store.storeLevel(IXMSG_DATA_CH_MASTER, 3, 11));
        QVERIFY(!store.storeLevel(IXMSG_DATA_CH_INPUT, 21, 11));
        QVERIFY(!store.storeLevel(IXMSG_DATA_CH_INPUT, 0, 11));
        QVERIFY(!store.storeLevel(IXMSG_DATA_CH_OUTPUT, 1, 11));
        QCOMPARE(store.input[19], 7u);
        QCOMPARE(store.master[1], 9u);
        store.storeGainReduction(100);
        store.reset();
        QCOMPARE(store.input[19], 0u);
        QCOMPARE(store.gainReduction, kNoReduction);
    }

    // Each input shows on its mono strip and its side of the linked strip; the master on its own two.
    void tableSpreadsInputsOverTheirSlots()
    {
        LevelStore store;
        for (int i = 0; i < kInputs; ++i)
            store.input[i] = uint32_t(100 + i);
        store.master[0] = 70000;
        store.master[1] = 5;
        MeterTable table;
        table.setLevels(store);
        for (int slot = 0; slot < kMasterLeft; ++slot)
            QCOMPARE(int(table.level(slot)), 100 + inputOfSlot(slot) - 1);
        QCOMPARE(int(table.level(kMasterLeft)), 0xFFFF);
        QCOMPARE(int(table.level(kMasterRight)), 5);
    }

    // A full bar whose channel goes silent: 13 steps of 8, one of 2, then set empty; the linked
    // strip's side falls along with it.
    void fullBarFallsToEmpty()
    {
        LevelStore store;
        store.input[2] = kFullScale;
        MeterTable table;
        RecordingView view;
        table.setLevels(store);
        table.update(view);
        QCOMPARE(view.bars[4], barAt(4, 0));
        QCOMPARE(view.bars[6], barAt(6, 0));
        store.input[2] = 0;
        table.setLevels(store);
        QList<int> steps;
        for (int update = 1; update <= 15; ++update) {
            const int before = view.bars[4].top;
            table.update(view);
            steps << view.bars[4].top - before;
            QCOMPARE(view.bars[6].top, view.bars[4].top);
        }
        QCOMPARE(steps, (QList<int>{8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 2, 0}));
        QCOMPARE(view.bars[4], barAt(4, kEmptyOffset));
        QCOMPARE(table.shownOffset(4), kEmptyOffset);
        QCOMPARE(view.bars[5], barAt(5, kEmptyOffset)); // the neighbour never moved
    }

    // A peak lit just before the once-a-second step goes out one step later, just after it two.
    void peakHoldsOneOrTwoSeconds_data()
    {
        QTest::addColumn<bool>("beforeTick");
        QTest::addColumn<int>("ticksLit");
        QTest::newRow("set just before a tick") << true << 1;
        QTest::newRow("set just after a tick") << false << 2;
    }
    void peakHoldsOneOrTwoSeconds()
    {
        QFETCH(bool, beforeTick);
        QFETCH(int, ticksLit);
        LevelStore store;
        store.master[1] = 30000;
        MeterTable table;
        RecordingView view;
        table.setLevels(store);
        table.update(view);
        QVERIFY(view.peaks[kMasterRight]);
        QVERIFY(!view.peaks[kMasterLeft]);
        store.master[1] = 0;
        table.setLevels(store);
        if (beforeTick)
            table.holdTick(view);
        for (int tick = 1; tick <= 3; ++tick) {
            for (int update = 0; update < 9; ++update)
                table.update(view);
            table.holdTick(view);
            QCOMPARE(view.peaks[kMasterRight], tick < ticksLit);
        }
    }

    // Rises at once, then shrinks by 8, 4, 2 and 1 pixels, and goes out at no reduction.
    void grBarRisesAndShrinks()
    {
        GrBar bar;
        bar.update(kNoReduction);
        QCOMPARE(bar.height(), 1);
        QVERIFY(!bar.visible());
        bar.update(0);
        QCOMPARE(bar.height(), 63);
        QVERIFY(bar.visible());
        QList<int> heights;
        for (int update = 0; update < 12; ++update) {
            bar.update(kNoReduction);
            heights << bar.height();
        }
        QCOMPARE(heights, (QList<int>{55, 47, 39, 31, 23, 15, 7, 3, 1, 1, 1, 1}));
        QVERIFY(!bar.visible());
    }
};

QTEST_APPLESS_MAIN(TestMeterMath)
#include "tst_metermath.moc"
