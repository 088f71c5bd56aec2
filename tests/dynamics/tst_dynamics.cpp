// The editor's knob labels over every position (the steps themselves are the protocol's), the dynamics
// model's rules the editor cannot show, and the curve displays rendered into images.
#include "compcurve.h"
#include "eqcurve.h"
#include "unitrig.h"

#include <QImage>
#include <QtTest>

using namespace mixer;
using curves::CurveMode;

namespace {

// Numeric value of a frequency label: "950" -> 950, "1.7k" -> 1700.
int hzOf(const QString &label)
{
    return label.endsWith('k') ? qRound(label.chopped(1).toDouble() * 1000) : label.toInt();
}

const QColor kActive(41, 223, 255);

// Rows of column x that show `colour`.
QVector<int> rowsIn(const QImage &img, int x, const QColor &colour = kActive)
{
    QVector<int> rows;
    for (int y = 0; y < img.height(); ++y)
        if (img.pixelColor(x, y) == colour)
            rows << y;
    return rows;
}

// The display drawn over black.
template <typename W, typename S> QImage render(const S &state, CurveMode mode = CurveMode::Active)
{
    W w;
    w.setCurve(state, mode);
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::black);
    w.render(&img);
    return img;
}
const auto eqImage = render<DrawEq, curves::EqCurveState>;
QImage compImage(int threshold, int ratio, CurveMode mode = CurveMode::Active)
{
    return render<DrawCompressor>(curves::CompCurveState{threshold, ratio}, mode);
}

} // namespace

class TstDynamics : public QObject {
    Q_OBJECT

private slots:
    void labelsFollowUnitValues()
    {
        for (int p = -3; p < kDynPositions + 3; ++p) {
            QCOMPARE(dynLabel(DynKnob::Threshold, p), QString::number(dynUnit(DynKnob::Threshold, p)));
            const int ratio = dynUnit(DynKnob::Ratio, p);
            QCOMPARE(dynLabel(DynKnob::Ratio, p),
                     ratio == 255 ? QString("inf:1") : QString::number(ratio / 10.0, 'f', 1) + ":1");
            QCOMPARE(dynLabel(DynKnob::Attack, p), QString::number(dynUnit(DynKnob::Attack, p)));
            QCOMPARE(dynLabel(DynKnob::Release, p), QString::number(10 * dynUnit(DynKnob::Release, p)));
            QCOMPARE(dynDisplay(DynKnob::Gain, p), QVariant(dynUnit(DynKnob::Gain, p)));
            for (DynKnob k : {DynKnob::HighGain, DynKnob::HighMidGain, DynKnob::LowMidGain, DynKnob::LowGain})
                QCOMPARE(dynDisplay(k, p), QVariant(dynUnit(k, p) - 12));
            for (DynKnob k : {DynKnob::HighFreq, DynKnob::HighMidFreq, DynKnob::LowMidFreq, DynKnob::LowFreq})
                QCOMPARE(dynDisplay(k, p), QVariant(eqscale::frequencyLabel(dynUnit(k, p))));
            // Each Q step doubles the one before.
            QCOMPARE(dynLabel(DynKnob::LowMidQ, p).toDouble(), 0.25 * (1 << dynUnit(DynKnob::LowMidQ, p)));
        }
        // Round figures, each a little above the one before.
        for (int i = 1; i < eqscale::kFrequencies; ++i) {
            const int hz = hzOf(eqscale::frequencyLabel(i)), below = hzOf(eqscale::frequencyLabel(i - 1));
            QVERIFY2(hz > below && hz <= below * 13 / 10 && hz % (hz < 1000 ? 5 : 100) == 0,
                     QByteArray::number(i));
        }
    }

    void defaultsAgreeWithSettings()
    {
        UnitRig rig;
        const QStringList labels{"0", "1.0:1", "0",    "2",   "10", "0",    "0",   "0",
                                 "0", "5.0k",  "1.2k", "300", "80", "1.00", "1.00"};
        for (int i = 0; i < kDynKnobs; ++i) {
            const DynScale &s = dynScale(dynKnobAt(i));
            QCOMPARE(rig.model->dynamics().position({StripKind::Mono, 5}, s.knob), s.defaultPos);
            QCOMPARE(rig.settings.intValue("Track5", s.posKey), s.defaultPos);
            QCOMPARE(s.label(s.defaultPos), labels[i]);
        }
    }

    void lowCutOffWhileEqOffIsNotSentLater()
    {
        UnitRig rig;
        DynamicsModel &dyn = rig.model->dynamics();
        const StripRef in3{StripKind::Mono, 3};
        QVERIFY(dyn.setLowCut(in3, true));
        QVERIFY(dyn.setLowCut(in3, false));
        QVERIFY(rig.model->setEqOn("Track3", true));
        QCOMPARE(UnitRig::v(rig.unit().eq[2][0].gain), 0);
        // While the filter is on, the low gain knob cannot undo it.
        QVERIFY(dyn.setLowCut(in3, true));
        QVERIFY(!dyn.setKnob(in3, DynKnob::LowGain, 90));
        QCOMPARE(UnitRig::v(rig.unit().eq[2][0].gain), 255);
        QVERIFY(!dyn.setKnob({StripKind::Master, 0}, DynKnob::Ratio, 30));
    }

    void eqBandsShapeTheCurve()
    {
        const QImage flat = eqImage({}, CurveMode::Active);
        for (int x = 0; x < curves::kEqWidth; ++x)
            QCOMPARE(rowsIn(flat, x), QVector<int>{curves::kEqZeroRow});
        // A +12 dB low shelf lifts the left end and leaves the right end on the 0 dB row.
        curves::EqCurveState shelf;
        shelf.lowGain = 12;
        QImage img = eqImage(shelf, CurveMode::Active);
        QVERIFY(rowsIn(img, 2).first() < curves::kEqZeroRow - 20);
        QCOMPARE(rowsIn(img, 2).last(), curves::kEqZeroRow);
        QCOMPARE(rowsIn(img, 130), QVector<int>{curves::kEqZeroRow});

        // +12 dB on one mid band at its widest Q peaks 32 rows up, at its column or the one left of it.
        curves::EqCurveState bell;
        bell.lowMidGain = 12;
        bell.lowMidQ = 0;
        bell.lowMidFreq = 25; // 1 kHz, column 76
        img = eqImage(bell, CurveMode::Active);
        int top = curves::kEqZeroRow, topX = -1;
        for (int x = 0; x < curves::kEqWidth; ++x)
            if (rowsIn(img, x).value(0, top) < top)
                top = rowsIn(img, x).first(), topX = x;
        QCOMPARE(top, curves::kEqZeroRow - 32);
        QVERIFY2(topX == 76 || topX == 75, QByteArray::number(topX));

        // The low-cut filter at -12 dB drives the low end to the bottom clamp.
        curves::EqCurveState cut;
        cut.lowCut = true;
        cut.lowGain = -12;
        QCOMPARE(curves::eqCurveRows(cut)[1], 77);
        QCOMPARE(rowsIn(eqImage(cut, CurveMode::Active), 1).last(), curves::kEqHeight - 1);
    }

    void compressorKneeFollowsThreshold()
    {
        // At infinite ratio the curve is flat after the knee: its top near the right edge is the knee's.
        const auto topAt = [](const QImage &img, int x) { return rowsIn(img, x).value(0, -1); };
        QVERIFY(topAt(compImage(10, 14), 60) > topAt(compImage(20, 14), 60) + 8);
        // Threshold 0 dB or ratio 1:1: the plain diagonal.
        for (const QImage &img : {compImage(32, 9), compImage(5, 0)})
            for (int x : {10, 30, 50})
                QVERIFY2(qAbs(topAt(img, x) - (67 - x)) <= 2, QByteArray::number(x));
    }

    void modesPickColourAndMeter()
    {
        const QImage off = compImage(10, 5, CurveMode::Inactive);
        QVERIFY(rowsIn(off, 30).isEmpty());
        QVERIFY(!rowsIn(off, 30, QColor(160, 160, 160)).isEmpty());
        QVERIFY(!rowsIn(eqImage({}, CurveMode::Empty), 50, QColor(80, 80, 80)).isEmpty());
    }
};

QTEST_MAIN(TstDynamics)
#include "tst_dynamics.moc"
