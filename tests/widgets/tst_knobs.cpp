// Knob arithmetic: frame bands, vertical drags with clamping and latching, pan lanes and markers.
#include "knobdrag.h"
#include "knobframes.h"
#include "knobscale.h"
#include "pandrag.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(KnobScale)

namespace {

// A strip whose frame n is a 4x4 image of grey level n*10, so a label's pixmap tells its frame.
struct MarkedFrames {
    QTemporaryDir dir;
    MarkedFrames()
    {
        for (int i = 0; i < kKnobFrameCount; ++i) {
            QImage img(4, 4, QImage::Format_RGB32);
            img.fill(qRgb(i * 10, i * 10, i * 10));
            img.save(KnobFrames::framePath(dir.path(), "k_", i));
        }
    }
    KnobFrames frames(QSize size = QSize(26, 26)) const { return KnobFrames(dir.path(), "k_", size); }
};

int shownFrame(const QLabel &label)
{
    const QPixmap pm = label.pixmap(Qt::ReturnByValue);
    return pm.isNull() ? -1 : qRed(pm.toImage().pixel(0, 0)) / 10;
}

} // namespace

class TestKnobs : public QObject {
    Q_OBJECT
private slots:
    void frameBands_data();
    void frameBands();
    void drag_data();
    void drag();
    void latchedKnobIgnoresMovesAfterReset();
    void frameKeptAtUncoveredIndex();
    void panStep_data();
    void panStep();
};

void TestKnobs::frameBands_data()
{
    QTest::addColumn<KnobScale>("scale");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("frame");
    const struct {
        const char *name;
        KnobScale scale;
        int index;
        int frame;
    } rows[] = {
        {"dial 0", KnobScale::Dial, 0, 0},
        {"dial 9", KnobScale::Dial, 9, 0},
        {"dial 10 keeps", KnobScale::Dial, 10, -1},
        {"dial 11", KnobScale::Dial, 11, 1},
        {"dial 41", KnobScale::Dial, 41, 7},
        {"dial 50", KnobScale::Dial, 50, 7},
        {"dial 63 up", KnobScale::Dial, 63, 10},
        {"dial 81", KnobScale::Dial, 81, 14},
        {"dial 116", KnobScale::Dial, 116, 20},
        {"dial above range", KnobScale::Dial, 400, 20},
        {"q 17", KnobScale::DialQ, 17, 0},
        {"q 18", KnobScale::DialQ, 18, 3},
        {"q 71", KnobScale::DialQ, 71, 10},
        {"q 107", KnobScale::DialQ, 107, 17},
        {"q 108", KnobScale::DialQ, 108, 20},
        {"q 127", KnobScale::DialQ, 127, 20},
        {"ratio 5", KnobScale::DialRatio, 5, 0},
        {"ratio 18", KnobScale::DialRatio, 18, 4},
        {"ratio 83", KnobScale::DialRatio, 83, 18},
        {"ratio 84", KnobScale::DialRatio, 84, 19},
        {"ratio 127", KnobScale::DialRatio, 127, 19},
        {"pre 1", KnobScale::PreDelay, 1, 0},
        {"pre 2", KnobScale::PreDelay, 2, 1},
        {"pre 14", KnobScale::PreDelay, 14, 1},
        {"pre 15", KnobScale::PreDelay, 15, 2},
        {"pre 248", KnobScale::PreDelay, 248, 19},
        {"pre 249", KnobScale::PreDelay, 249, 20},
        {"pre 250", KnobScale::PreDelay, 250, 20},
        {"time 0 as 1", KnobScale::ReverbTime, 0, 0},
        {"time 3", KnobScale::ReverbTime, 3, 0},
        {"time 4", KnobScale::ReverbTime, 4, 1},
        {"time 99", KnobScale::ReverbTime, 99, 16},
        {"time 100", KnobScale::ReverbTime, 100, 17},
        {"diff 4", KnobScale::Diffusion, 4, 0},
        {"diff 5", KnobScale::Diffusion, 5, 1},
        {"diff 99", KnobScale::Diffusion, 99, 19},
        {"diff 100", KnobScale::Diffusion, 100, 20},
        {"send 4", KnobScale::Send, 4, 0},
        {"send 5", KnobScale::Send, 5, 1},
        {"send 62", KnobScale::Send, 62, 10},
        {"send 122", KnobScale::Send, 122, 19},
        {"send 123", KnobScale::Send, 123, 20},
        {"send below range", KnobScale::Send, -5, 0},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.scale << r.index << r.frame;
}

void TestKnobs::frameBands()
{
    QFETCH(KnobScale, scale);
    QFETCH(int, index);
    QFETCH(int, frame);
    QCOMPARE(knobFrame(scale, index), frame);
}

void TestKnobs::drag_data()
{
    QTest::addColumn<KnobScale>("scale");
    QTest::addColumn<int>("start");
    QTest::addColumn<double>("pressY");
    QTest::addColumn<QList<double>>("moves");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("frame");
    using L = QList<double>;
    QTest::newRow("up one pixel") << KnobScale::Send << 0 << 10.0 << L{9.0} << 1 << 0;
    QTest::newRow("up five pixels") << KnobScale::Send << 0 << 10.0 << L{5.0} << 5 << 1;
    QTest::newRow("down from 63") << KnobScale::Dial << 63 << 10.0 << L{12.0} << 61 << 10;
    QTest::newRow("halves round up") << KnobScale::Send << 50 << 10.4 << L{9.5} << 50 << 8;
    QTest::newRow("half pixel step") << KnobScale::Send << 50 << 10.5 << L{9.4} << 52 << 8;
    QTest::newRow("stops at top") << KnobScale::Send << 120 << 0.0 << L{-300.0} << 127 << 20;
    QTest::newRow("back at once after top")
        << KnobScale::Send << 120 << 0.0 << L{-300.0, -297.0} << 124 << 20;
    QTest::newRow("stops at bottom") << KnobScale::Send << 3 << 0.0 << L{90.0} << 0 << 0;
    QTest::newRow("pre-delay to 250") << KnobScale::PreDelay << 200 << 0.0 << L{-500.0} << 250 << 20;
    QTest::newRow("pre-delay back") << KnobScale::PreDelay << 200 << 0.0 << L{-500.0, -490.0} << 240 << 19;
    QTest::newRow("time floor 1") << KnobScale::ReverbTime << 5 << 0.0 << L{40.0} << 1 << 0;
    QTest::newRow("several steps") << KnobScale::Diffusion << 10 << 0.0 << L{-3.0, -8.0, -6.0} << 16 << 3;
}

void TestKnobs::drag()
{
    QFETCH(KnobScale, scale);
    QFETCH(int, start);
    QFETCH(double, pressY);
    QFETCH(QList<double>, moves);
    QFETCH(int, index);
    QFETCH(int, frame);

    MarkedFrames marked;
    KnobDrag drag(marked.frames(QSize(26, 26)));
    QLabel knob, value;
    drag.setTarget(&knob, &value);
    drag.press(scale, start, QPointF(3, pressY), KnobDrag::Arming::Latched);
    for (double y : moves)
        QVERIFY(drag.move(QPointF(3, y)));
    QCOMPARE(drag.index(), index);
    drag.show(drag.index(), QString::number(drag.index()));
    QCOMPARE(shownFrame(knob), frame);
    QCOMPARE(knob.size(), QSize(26, 26));
    QCOMPARE(value.text(), QString::number(index));
}

void TestKnobs::latchedKnobIgnoresMovesAfterReset()
{
    MarkedFrames marked;
    KnobDrag drag(marked.frames());
    drag.press(KnobScale::Dial, 30, QPointF(0, 10), KnobDrag::Arming::Latched);
    drag.reset(63);
    QVERIFY(!drag.move(QPointF(0, 0)));
    QCOMPARE(drag.index(), 63);

    // Free knobs follow moves even after a reset of another family member.
    drag.press(KnobScale::Dial, 30, QPointF(0, 10), KnobDrag::Arming::Free);
    QVERIFY(drag.move(QPointF(0, 5)));
    QCOMPARE(drag.index(), 35);
}

void TestKnobs::frameKeptAtUncoveredIndex()
{
    MarkedFrames marked;
    KnobDrag drag(marked.frames(QSize(18, 18)));
    QLabel knob;
    drag.setTarget(&knob, nullptr);
    drag.press(KnobScale::Dial, 9, QPointF(0, 0), KnobDrag::Arming::Free);
    drag.show(9, QString());
    QCOMPARE(shownFrame(knob), 0);
    drag.move(QPointF(0, -1));
    drag.show(drag.index(), QString());
    QCOMPARE(drag.index(), 10);
    QCOMPARE(shownFrame(knob), 0);
    QCOMPARE(knob.size(), QSize(18, 18));
}

void TestKnobs::panStep_data()
{
    QTest::addColumn<int>("lane");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("reference");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("expected");
    QTest::newRow("right by 3") << 0 << 20 << 100 << 103 << 23;
    QTest::newRow("left by 3") << 0 << 20 << 100 << 97 << 17;
    QTest::newRow("left exactly to 0") << 0 << 5 << 100 << 95 << 0;
    QTest::newRow("left beyond 0 dropped") << 0 << 5 << 100 << 94 << 5;
    QTest::newRow("lane 0 caps at 40") << 0 << 38 << 100 << 150 << 40;
    QTest::newRow("lane 1 raised to 59") << 1 << 62 << 100 << 90 << 59;
    QTest::newRow("lane 1 caps at 99") << 1 << 95 << 100 << 180 << 99;
    QTest::newRow("lane 1 left beyond 0 dropped, raised") << 1 << 60 << 200 << 100 << 60;
    QTest::newRow("no motion") << 1 << 79 << 100 << 100 << 79;
}

void TestKnobs::panStep()
{
    QFETCH(int, lane);
    QFETCH(int, position);
    QFETCH(int, reference);
    QFETCH(int, x);
    QFETCH(int, expected);
    QCOMPARE(PanDrag::step(lane, position, reference, x), expected);
}

QTEST_MAIN(TestKnobs)
#include "tst_knobs.moc"
