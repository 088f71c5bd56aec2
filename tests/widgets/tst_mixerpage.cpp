// The assembled page: which pair containers a unit shows, how they pack, and a picture of each layout.
#include "knobframes.h"
#include "masterstrip.h"
#include "pagerig.h"
#include "pairstrip.h"
#include "resources.h"

#include <QDir>
#include <QLabel>
#include <QStackedWidget>

class TestMixerPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { lyntra_init_resources(); }
    void visiblePairs_data();
    void visiblePairs();
    void everyStripWidgetNamed();
    void artworkLoaded();
};

void TestMixerPage::visiblePairs_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<uint>("rate");
    QTest::addColumn<QList<int>>("pairs");
    QTest::addColumn<QString>("picture"); // file name of the grab, empty for none
    using L = QList<int>;
    QTest::newRow("K2 48k") << "LYNTRA K2" << 48000u << L{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
                            << "mixer-K2-48k.png";
    QTest::newRow("K2 44.1k") << "LYNTRA K2" << 44100u << L{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << QString();
    QTest::newRow("K2 96k") << "LYNTRA K2" << 96000u << L{1, 2, 3, 4, 7, 8} << "mixer-K2-96k.png";
    QTest::newRow("K2 192k") << "LYNTRA K2" << 192000u << L{1, 2, 3, 7} << QString();
    QTest::newRow("K1 48k") << "LYNTRA K1" << 48000u << L{1, 3, 4, 5, 6} << "mixer-K1-48k.png";
    QTest::newRow("K1 88.2k") << "LYNTRA K1" << 88200u << L{1, 3, 4} << QString();
    QTest::newRow("K1 176.4k") << "LYNTRA K1" << 176400u << L{1, 3} << QString();
    QTest::newRow("unknown rate keeps K2 all")
        << "LYNTRA K2" << 12345u << L{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << QString();
}

void TestMixerPage::visiblePairs()
{
    QFETCH(QString, product);
    QFETCH(uint, rate);
    QFETCH(QList<int>, pairs);
    QFETCH(QString, picture);

    PageRig rig;
    rig.unit.model->setProductName(product);
    rig.unit.model->setSampleRate(rate);
    // Give the picture some life: a linked pair, a selection, moved faders, knobs and pans.
    QVERIFY(rig.click(QStringLiteral("pB_LinkOn5_6")));
    QVERIFY(rig.click(QStringLiteral("pB_Analog1")));
    QVERIFY(rig.click(QStringLiteral("pB_Mute2")));
    QVERIFY(rig.click(QStringLiteral("pB_Solo7")));
    QVERIFY(rig.click(QStringLiteral("pB_Post1_1")));
    QVERIFY(rig.click(QStringLiteral("pB_masterReverb")));
    rig.unit.model->setFaderLevel(QStringLiteral("Track1"), -4.1);
    rig.unit.model->setFaderLevel(QStringLiteral("Track2"), 3.0);
    rig.unit.model->setFaderLevel(QStringLiteral("TrackMaster"), 0.0);
    rig.unit.model->setSendLevel(QStringLiteral("Track1"), 1, 90);
    rig.unit.model->setSendLevel(QStringLiteral("TrackMaster"), 0, 70);
    rig.unit.model->setPan(1, 8);
    rig.unit.model->setPan(8, 90);

    int x = -1;
    for (int k = 1; k <= mixer::kPairs; ++k) {
        PairStrip *p = rig.page.pairStrip(k);
        QCOMPARE(p->isVisible(), pairs.contains(k));
        if (!p->isVisible())
            continue;
        // Shown containers close up from the left, one pair width apart.
        if (x >= 0)
            QCOMPARE(p->x(), x + p->width());
        x = p->x();
    }
    QVERIFY(rig.page.masterStrip()->isVisible());
    // The return knob goes with the reverb, which the unit lacks at the two highest rates.
    const bool highest = rate == 176400u || rate == 192000u;
    QCOMPARE(rig.page.masterStrip()->returnStack()->currentIndex(), highest ? 0 : 1);
    if (picture.isEmpty())
        return;
    const QImage img = rig.page.grab().toImage();
    QCOMPARE(img.size(), QSize(MixerPage::kWidth, MixerPage::kHeight));
    const QString dir =
        QDir(qEnvironmentVariable("LYNTRA_BIN_DIR", QStringLiteral("."))).filePath("../grabs");
    QDir().mkpath(dir);
    QVERIFY(img.save(QDir(dir).filePath(picture)));
}

void TestMixerPage::everyStripWidgetNamed()
{
    PageRig rig;
    using K = mixer::WidgetKind;
    const K monoKinds[] = {K::Phase,  K::Eq,           K::Comp,       K::Solo,       K::Mute,
                           K::Select, K::PanKnob,      K::PanDisplay, K::LevelMeter, K::Peak,
                           K::Fader,  K::FaderDisplay, K::Bypass,     K::Name};
    const K pairKinds[] = {K::Stack,       K::MonoPage,     K::StereoPage,  K::PhaseL,   K::PhaseR,
                           K::Eq,          K::Comp,         K::Solo,        K::Mute,     K::Select,
                           K::LinkOn,      K::LinkOff,      K::PanKnobL,    K::PanKnobR, K::PanDisplayL,
                           K::PanDisplayR, K::LevelMeterL,  K::LevelMeterR, K::PeakL,    K::PeakR,
                           K::Fader,       K::FaderDisplay, K::Bypass};
    const K sendKinds[] = {K::SendKnob, K::SendDisplay, K::Pre, K::Post};
    QStringList missing;
    auto want = [&](K kind, mixer::StripRef ref, int send) {
        const QString name = mixer::widgetName(kind, ref, send);
        if (!name.isEmpty() && !rig.page.findChild<QWidget *>(name))
            missing << name;
    };
    for (int t = 1; t <= mixer::kTracks; ++t) {
        for (K k : monoKinds)
            want(k, {mixer::StripKind::Mono, t}, 0);
        for (int s = 1; s <= mixer::kSends; ++s)
            for (K k : sendKinds)
                want(k, {mixer::StripKind::Mono, t}, s);
    }
    for (int p = 1; p <= mixer::kPairs; ++p) {
        for (K k : pairKinds)
            want(k, {mixer::StripKind::Pair, p}, 0);
        for (int s = 1; s <= mixer::kSends; ++s)
            for (K k : sendKinds)
                want(k, {mixer::StripKind::Pair, p}, s);
    }
    const K masterKinds[] = {K::Stack,      K::Strip,         K::Mute,    K::LevelMeterL,  K::LevelMeterR,
                             K::PeakL,      K::PeakR,         K::Fader,   K::FaderDisplay, K::ReturnStack,
                             K::ReturnKnob, K::ReturnDisplay, K::ReverbOn};
    for (K k : masterKinds)
        want(k, {mixer::StripKind::Master, 0}, 0);
    for (int s = 1; s <= mixer::kSends; ++s)
        for (K k : {K::SendKnob, K::SendDisplay})
            want(k, {mixer::StripKind::Master, 0}, s);
    for (const char *page : {"master_ch", "master_dummy", "returnEnable", "returnDisable"})
        if (!rig.page.findChild<QWidget *>(QLatin1String(page)))
            missing << QLatin1String(page);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(' ')));
}

void TestMixerPage::artworkLoaded()
{
    PageRig rig;
    auto *knob = rig.find<QLabel>(QStringLiteral("label_Send1Knob1"));
    auto *marker = rig.find<QLabel>(QStringLiteral("label_panKnob1"));
    QVERIFY(!knob->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(!marker->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(knob->size(), KnobFrames::send().size());
}

QTEST_MAIN(TestMixerPage)
#include "tst_mixerpage.moc"
