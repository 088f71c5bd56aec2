// Fader pairs on real strips: drags, typed values, Shift-release, the look, and what reaches the unit.
#include "faderpair.h"
#include "pagerig.h"

#include <QDoubleSpinBox>
#include <QSlider>

namespace {

// A drag as the slider reports it: handle down, moved to each position, released.
void dragSlider(QSlider *s, const QList<int> &positions)
{
    s->setSliderDown(true);
    for (int p : positions)
        s->setSliderPosition(p);
    s->setSliderDown(false);
}

int unitFader(PageRig &rig, const QString &track)
{
    const auto &m = rig.unit.unit();
    if (track == QLatin1String("TrackMaster"))
        return UnitRig::v(m.masterFader[0]);
    return UnitRig::v(m.inputFader[mixer::unitChannel(track) - 1]);
}

void typeInto(QDoubleSpinBox *box, const QString &text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Enter);
}

} // namespace

class TestFaders : public QObject {
    Q_OBJECT
private slots:
    void drag_data();
    void drag();
    void typed_data();
    void typed();
    void shiftReleaseToUnity_data();
    void shiftReleaseToUnity();
    void releaseWithoutShiftKeepsLevel();
    void look();
    void modelChangeMovesFaderSilently();
};

void TestFaders::drag_data()
{
    QTest::addColumn<QString>("track");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<double>("shown");
    QTest::addColumn<int>("wire");
    QTest::newRow("top") << "Track1" << QList<int>{90, 100} << 6.0 << 60;
    QTest::newRow("bottom is off") << "Track11" << QList<int>{40, 0} << -99.9 << -1270;
    QTest::newRow("back to unity") << "Track14" << QList<int>{50, 80} << 0.0 << 0;
    QTest::newRow("entry 33") << "Track9" << QList<int>{67} << -4.1 << -41;
    QTest::newRow("master top") << "TrackMaster" << QList<int>{100} << 6.0 << 60;
}

void TestFaders::drag()
{
    QFETCH(QString, track);
    QFETCH(QList<int>, positions);
    QFETCH(double, shown);
    QFETCH(int, wire);

    PageRig rig;
    const mixer::StripRef ref = mixer::parseStrip(track);
    auto *slider = rig.find<QSlider>(mixer::widgetName(mixer::WidgetKind::Fader, ref));
    auto *box = rig.find<QDoubleSpinBox>(mixer::widgetName(mixer::WidgetKind::FaderDisplay, ref));
    QVERIFY(slider && box);
    dragSlider(slider, positions);
    QCOMPARE(box->value(), shown);
    QCOMPARE(rig.unit.model->faderLevel(track), shown);
    QCOMPARE(unitFader(rig, track), wire);
}

void TestFaders::typed_data()
{
    QTest::addColumn<QString>("track");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("kept");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("wire");
    QTest::newRow("between entries") << "Track1"
                                     << "-0.1" << -0.1 << 79 << -1;
    QTest::newRow("exact entry") << "Track2"
                                 << "-10" << -10.0 << 53 << -100;
    QTest::newRow("top") << "Track5"
                         << "6" << 6.0 << 100 << 60;
    QTest::newRow("bottom") << "Track6"
                            << "-99.9" << -99.9 << 0 << -1270;
    QTest::newRow("below the last step") << "Track7"
                                         << "-97" << -97.0 << 0 << -970;
    QTest::newRow("pair both channels") << "Track3_4"
                                        << "-2.0" << -2.0 << 73 << -20;
}

void TestFaders::typed()
{
    QFETCH(QString, track);
    QFETCH(QString, text);
    QFETCH(double, kept);
    QFETCH(int, position);
    QFETCH(int, wire);

    PageRig rig;
    const mixer::StripRef ref = mixer::parseStrip(track);
    if (ref.kind == mixer::StripKind::Pair)
        QVERIFY(rig.click(mixer::widgetName(mixer::WidgetKind::LinkOn, ref)));
    auto *slider = rig.find<QSlider>(mixer::widgetName(mixer::WidgetKind::Fader, ref));
    auto *box = rig.find<QDoubleSpinBox>(mixer::widgetName(mixer::WidgetKind::FaderDisplay, ref));
    QVERIFY(slider && box);
    typeInto(box, text);
    QCOMPARE(slider->value(), position);
    QCOMPARE(box->value(), kept);
    QCOMPARE(rig.unit.model->faderLevel(track), kept);
    QCOMPARE(rig.storedMismatch({QStringLiteral("%1/Fader=%2").arg(track).arg(kept)}), QString());
    if (ref.kind == mixer::StripKind::Pair) {
        const mixer::PairInfo *p = mixer::pairInfo(ref.number);
        QCOMPARE(unitFader(rig, mixer::trackName(p->first)), wire);
        QCOMPARE(unitFader(rig, mixer::trackName(p->second)), wire);
    } else {
        QCOMPARE(unitFader(rig, track), wire);
    }
}

void TestFaders::shiftReleaseToUnity_data()
{
    QTest::addColumn<QString>("track");
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("from below") << "Track4" << QList<int>{30, 20};
    QTest::newRow("from the top") << "Track12" << QList<int>{100};
    QTest::newRow("master from off") << "TrackMaster" << QList<int>{0};
}

void TestFaders::shiftReleaseToUnity()
{
    QFETCH(QString, track);
    QFETCH(QList<int>, positions);

    PageRig rig;
    const mixer::StripRef ref = mixer::parseStrip(track);
    auto *slider = rig.find<QSlider>(mixer::widgetName(mixer::WidgetKind::Fader, ref));
    auto *box = rig.find<QDoubleSpinBox>(mixer::widgetName(mixer::WidgetKind::FaderDisplay, ref));
    QTest::keyPress(&rig.page, Qt::Key_Shift);
    QVERIFY(rig.page.faderFlags().shiftHeld);
    dragSlider(slider, positions);
    QTest::keyRelease(&rig.page, Qt::Key_Shift);
    QVERIFY(!rig.page.faderFlags().shiftHeld);
    QCOMPARE(slider->value(), 80);
    QCOMPARE(box->value(), 0.0);
    QCOMPARE(unitFader(rig, track), 0);
}

void TestFaders::releaseWithoutShiftKeepsLevel()
{
    PageRig rig;
    auto *slider = rig.find<QSlider>(QStringLiteral("vS_FaderKnob2"));
    dragSlider(slider, {40});
    QCOMPARE(slider->value(), 40);
    QCOMPARE(rig.find<QDoubleSpinBox>(QStringLiteral("dSB_faderDisplay2"))->value(), -19.3);
    QCOMPARE(unitFader(rig, QStringLiteral("Track2")), -193);
}

void TestFaders::look()
{
    PageRig rig;
    auto *slider = rig.find<QSlider>(QStringLiteral("vS_FaderKnob1"));
    auto *master = rig.find<QSlider>(QStringLiteral("vS_FaderKnobMaster"));
    auto *box = rig.find<QDoubleSpinBox>(QStringLiteral("dSB_faderDisplayMaster"));
    QCOMPARE(slider->size(), QSize(20, 131));
    QCOMPARE(slider->pos(), QPoint(10, 350));
    QCOMPARE(master->pos(), QPoint(26, 350));
    QCOMPARE(slider->maximum(), 100);
    QCOMPARE(slider->pageStep(), 0);
    QVERIFY(slider->styleSheet().contains(QLatin1String("image: url(:/Resource/track/Feder.png)")));
    QVERIFY(master->styleSheet().contains(QLatin1String("image: url(:/Resource/track/Feder_master.png)")));
    QCOMPARE(box->styleSheet(), QString::fromLatin1(FaderPair::kBoxStyle));
    QCOMPARE(box->buttonSymbols(), QAbstractSpinBox::NoButtons);
    QCOMPARE(box->decimals(), 1);
    // The master starts off: minimum, shown as the special text.
    QCOMPARE(master->value(), 0);
    QCOMPARE(box->text(), QStringLiteral("-infinity"));
}

void TestFaders::modelChangeMovesFaderSilently()
{
    PageRig rig;
    QSignalSpy moved(rig.find<QSlider>(QStringLiteral("vS_FaderKnob5")), &QSlider::valueChanged);
    // Linking copies the odd side's level to the stereo strip; the stereo fader follows the model.
    rig.unit.model->setFaderLevel(QStringLiteral("Track5"), -12.1);
    QVERIFY(rig.click(QStringLiteral("pB_LinkOn5_6")));
    QCOMPARE(rig.find<QSlider>(QStringLiteral("vS_FaderKnob5_6"))->value(), 50);
    QCOMPARE(rig.find<QDoubleSpinBox>(QStringLiteral("dSB_faderDisplay5_6"))->value(), -12.1);
    QCOMPARE(rig.find<QSlider>(QStringLiteral("vS_FaderKnob5"))->value(), 50);
    QCOMPARE(moved.count(), 0);
    QCOMPARE(unitFader(rig, QStringLiteral("Track6")), -121);
}

QTEST_MAIN(TestFaders)
#include "tst_faders.moc"
