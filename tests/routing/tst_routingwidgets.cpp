// The routing pages and the monitor dialog, driven by object name through the real widgets, with the
// device messages reaching the in-process firmware model.
#include "monitorcontrol.h"
#include "resources.h"
#include "routingsection.h"
#include "unitrig.h"
#include "unitstate.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QtTest>

namespace {

struct Choice {
    QString text;
    Route route;
    QString arrow;
};

// The selector tables as the product defines them, index by index.
Choice expectedChoice(bool k1, int i)
{
    const QString ad = QStringLiteral(":/Resource/arrow_AD/arrow_AD-%1.png").arg(i + 1);
    if (k1 && i < 2)
        return {QStringLiteral("INPUT %1").arg(i + 1), {4, i + 1}, ad};
    if (k1 && i < 10)
        return {QStringLiteral("OPT A%1").arg(i - 1), {4, i + 3}, ad};
    if (!k1 && i < 20)
        return {i < 4 ? QStringLiteral("INPUT %1").arg(i + 1)
                      : QStringLiteral("OPT %1%2").arg(i < 12 ? 'A' : 'B').arg(i < 12 ? i - 3 : i - 11),
                {4, i + 1},
                ad};
    const int k = i - (k1 ? 10 : 20); // 0, 1 master; 2..5 aux; then computer
    if (k < 2)
        return {QStringLiteral("MASTER %1").arg(k ? 'R' : 'L'), {2, k + 1},
                QStringLiteral(":/Resource/arrow_ST/arrow_ST-%1.png").arg(k ? 'R' : 'L')};
    if (k < 6)
        return {QStringLiteral("AUX %1").arg(k - 1), {5, k - 1},
                QStringLiteral(":/Resource/arrow_AUX/arrow_AUX-%1.png").arg(k - 1)};
    return {QStringLiteral("COMPUTER %1").arg(k - 5), {3, k - 5},
            QStringLiteral(":/Resource/arrow_comp/arrow_comp-%1.png").arg(k - 5)};
}

bool shows(const QLabel *label, const QString &picture)
{
    return label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32) ==
           QImage(picture).convertToFormat(QImage::Format_ARGB32);
}

void typeInto(QDoubleSpinBox *box, const QString &text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Enter);
}

struct Rig {
    bool art = (lyntra_init_resources(), true);
    UnitRig unit;
    RoutingSection section{unit.dev, unit.settings};

    template <typename W = QWidget> W *find(const QString &name) const
    {
        for (QWidget *root : {section.page(mixer::UnitModel::K1), section.page(mixer::UnitModel::K2),
                              static_cast<QWidget *>(section.monitor())})
            if (W *w = root ? root->findChild<W *>(name) : nullptr)
                return w;
        qWarning("no widget named %s", qPrintable(name));
        return nullptr;
    }
    QJsonObject state()
    {
        unit.flush();
        return unit.fw.state();
    }
    void click(const QString &name)
    {
        QAbstractButton *b = find<QAbstractButton>(name);
        QVERIFY2(b, qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    MonitorControl *open()
    {
        section.page(mixer::UnitModel::K2)->show();
        click(QStringLiteral("pB_MoniconEnable"));
        return section.monitor();
    }
    QSlider *slider(const char *name) const { return find<QSlider>(QLatin1String(name)); }
    QDoubleSpinBox *box(const char *name) const { return find<QDoubleSpinBox>(QLatin1String(name)); }
    QComboBox *combo(const char *name) const { return find<QComboBox>(QLatin1String(name)); }
};

} // namespace

class TestRoutingWidgets : public QObject {
    Q_OBJECT

private slots:
    void selectorsRouteEveryChoice_data()
    {
        QTest::addColumn<bool>("k1");
        QTest::addColumn<int>("output");
        QTest::newRow("K2 out 1") << false << 1;
        QTest::newRow("K2 out 8") << false << 8;
        QTest::newRow("K1 out 1") << true << 1;
        QTest::newRow("K1 out 2") << true << 2;
    }
    void selectorsRouteEveryChoice()
    {
        QFETCH(bool, k1);
        QFETCH(int, output);
        Rig rig;
        const QString key = QStringLiteral("LineOut%1").arg(output) + (k1 ? "_K1" : "");
        rig.unit.settings.writeValue(QStringLiteral("LineOutSettings"), key, 7);
        rig.section.applyStored(k1);
        auto *selector = rig.find<QComboBox>(QStringLiteral("cB_LineOut%1_%2").arg(output).arg(k1 ? "K1" : "K2"));
        auto *arrow = rig.find<QLabel>(QStringLiteral("label_LineOut%1_Arrow").arg(output) + (k1 ? "_K1" : ""));
        QVERIFY(selector && arrow);
        QCOMPARE(selector->currentIndex(), 7);
        QVERIFY(shows(arrow, expectedChoice(k1, 7).arrow));
        QCOMPARE(selector->count(), k1 ? 20 : 36);
        // Backwards, so that every index is a change.
        for (int i = selector->count() - 1; i >= 0; --i) {
            const Choice want = expectedChoice(k1, i);
            selector->setCurrentIndex(i);
            QCOMPARE(selector->itemText(i), want.text);
            QCOMPARE(routeOf(rig.state(), output), want.route);
            QCOMPARE(rig.unit.settings.intValue(QStringLiteral("LineOutSettings"), key), i);
            QVERIFY2(shows(arrow, want.arrow), qPrintable(QStringLiteral("%1: not %2").arg(i).arg(want.arrow)));
        }
    }

    void levelsFromSlidersAndBoxes()
    {
        Rig rig;
        MonitorControl *dialog = rig.open();
        QVERIFY(dialog->isVisible() && dialog->isModal());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Monitor Control"));
        QCOMPARE(dialog->size(), QSize(640, 480));
        rig.slider("vS_mcMaster")->setValue(0);
        QCOMPARE(rig.box("dSB_mcMasterView")->text(), QStringLiteral("-inf."));
        QCOMPARE(outputLevel(rig.state(), 9), -1270);

        QSlider *slider = rig.slider("vS_mcMono2");
        QDoubleSpinBox *box = rig.box("dSB_mcMono2View");
        typeInto(box, QStringLiteral("-0.3"));
        QCOMPARE(slider->value(), 125);
        QCOMPARE(box->value(), -0.3);
        QCOMPARE(outputLevel(rig.state(), 2), -3);
        QCOMPARE(rig.unit.settings.moniConMono(1, 2), -0.3);
        // Same slider position: the typed value still goes out, and the next drag is not swallowed.
        typeInto(box, QStringLiteral("-0.4"));
        QCOMPARE(outputLevel(rig.state(), 2), -4);
        QVERIFY(!dialog->typedMonitorValue());
        slider->setValue(64);
        QCOMPARE(box->value(), -20.0);
        QCOMPARE(outputLevel(rig.state(), 2), -200);

        // The stored bottom comes back at the bottom, not at the box's lowest number.
        QTest::keyClick(dialog, Qt::Key_Escape);
        rig.open();
        QCOMPARE(rig.slider("vS_mcMaster")->value(), 0);
        QCOMPARE(outputLevel(rig.state(), 9), -1270);
    }

    void targetSwitchMutesOthersAndRestores()
    {
        Rig rig;
        const QString pair = QStringLiteral("MoniCon OUT5_6");
        rig.unit.settings.writeValue(pair, QStringLiteral("SOURCE_L"), 9);
        rig.unit.settings.writeValue(pair, QStringLiteral("SOURCE_R"), 15);
        rig.unit.settings.writeValue(pair, QStringLiteral("Mono1"), -6.5);
        rig.unit.settings.writeValue(pair, QStringLiteral("Mono2"), -12.3);
        rig.open();
        QCOMPARE(outputLevel(rig.state(), 1), 0);
        rig.click(QStringLiteral("pB_mcLineOut5_6"));
        const QJsonObject state = rig.state();
        for (int n : {1, 2, 3, 4, 7, 8})
            QCOMPARE(outputLevel(state, n), -1270);
        QCOMPARE(outputLevel(state, 5), -65);
        QCOMPARE(outputLevel(state, 6), -123);
        QCOMPARE(routeOf(state, 5), Route(4, 3));
        QCOMPARE(routeOf(state, 6), Route(4, 16));
        QCOMPARE(rig.combo("cB_mcSourceL")->currentIndex(), 9);
        QCOMPARE(rig.combo("cB_mcSourceR")->currentIndex(), 15);
        QCOMPARE(rig.slider("vS_mcMono1")->value(), 98);
        QCOMPARE(rig.box("dSB_mcMono2View")->value(), -12.3);
        QCOMPARE(rig.unit.settings.moniConOutput(), 2);
        // Levels now go to the new target only.
        rig.slider("vS_mcMono2")->setValue(127);
        QCOMPARE(outputLevel(rig.state(), 6), 0);
        QCOMPARE(outputLevel(rig.state(), 2), -1270);
        // A full load while monitoring (the unit came back) leaves the monitor's routes in place.
        rig.section.applyStored(false);
        QCOMPARE(routeOf(rig.state(), 5), Route(4, 3));
    }

    void linkMakesRightFollowLeft()
    {
        Rig rig;
        rig.open();
        QComboBox *left = rig.combo("cB_mcSourceL");
        QComboBox *right = rig.combo("cB_mcSourceR");
        auto *levels = rig.find<QStackedWidget>(QStringLiteral("sW_mcMonoStereo"));
        rig.slider("vS_mcMono1")->setValue(96); // -7.1
        rig.slider("vS_mcMono2")->setValue(20);
        right->setCurrentIndex(12);

        rig.click(QStringLiteral("pB_mcLink"));
        QCOMPARE(levels->currentWidget()->objectName(), QStringLiteral("stereo"));
        QVERIFY(!right->isEnabled());
        QCOMPARE(rig.slider("vS_mcStereo")->value(), 96);
        QCOMPARE(outputLevel(rig.state(), 2), -71);
        QCOMPARE(routeOf(rig.state(), 2), Route(2, 2));
        left->setCurrentIndex(4);
        QCOMPARE(right->currentIndex(), 4);
        QCOMPARE(routeOf(rig.state(), 2), Route(3, 4));
        rig.slider("vS_mcStereo")->setValue(64);
        // Away and back: the pair comes back linked, at its level, with the right side following.
        rig.click(QStringLiteral("pB_mcLineOut3_4"));
        QCOMPARE(outputLevel(rig.state(), 1), -1270);
        rig.unit.settings.writeValue(QStringLiteral("MoniCon OUT1_2"), QStringLiteral("SOURCE_R"), 9);
        rig.click(QStringLiteral("pB_mcLineOut1_2"));
        QCOMPARE(levels->currentWidget()->objectName(), QStringLiteral("stereo"));
        QCOMPARE(right->currentIndex(), 4);
        QCOMPARE(outputLevel(rig.state(), 1), -200);
        QCOMPARE(outputLevel(rig.state(), 2), -200);

        rig.click(QStringLiteral("pB_mcLink"));
        QCOMPARE(levels->currentWidget()->objectName(), QStringLiteral("mono"));
        QVERIFY(right->isEnabled());
        QCOMPARE(rig.slider("vS_mcMono2")->value(), 64);
        QVERIFY(!rig.unit.settings.moniConLink(1));
    }

    void closingReleasesAndKeepsStored()
    {
        Rig rig;
        rig.unit.settings.writeValue(QStringLiteral("LineOutSettings"), QStringLiteral("LineOut8"), 35);
        rig.section.applyStored(false);
        MonitorControl *dialog = rig.open();
        QVERIFY(rig.find<QPushButton>(QStringLiteral("pB_MoniconEnable"))->isChecked());
        rig.slider("vS_mcMono1")->setValue(64);
        typeInto(rig.box("dSB_mcMasterView"), QStringLiteral("-12.3"));
        rig.combo("cB_mcSourceL")->setCurrentIndex(17);
        rig.click(QStringLiteral("pB_mcLineOut7_8"));
        rig.slider("vS_mcMono2")->setValue(30); // -36.7

        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!rig.find<QPushButton>(QStringLiteral("pB_MoniconEnable"))->isChecked());
        const QJsonObject state = rig.state();
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(outputLevel(state, n), 0);
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(routeOf(state, n), expectedChoice(false, n == 8 ? 35 : 19 + n).route);
        for (const char *name : {"vS_mcMaster", "vS_mcMono1", "vS_mcMono2", "vS_mcStereo"})
            QCOMPARE(rig.slider(name)->value(), 127);
        QCOMPARE(rig.unit.settings.moniConMono(1, 1), -20.0);
        QCOMPARE(rig.unit.settings.moniConMaster(), -12.3);

        // Opening again brings the stored target and levels back.
        rig.open();
        QVERIFY(rig.find<QPushButton>(QStringLiteral("pB_mcLineOut7_8"))->isChecked());
        QCOMPARE(outputLevel(rig.state(), 9), -123);
        QCOMPARE(outputLevel(rig.state(), 8), -367);
        QCOMPARE(outputLevel(rig.state(), 1), -1270);
    }
};

QTEST_MAIN(TestRoutingWidgets)
#include "tst_routingwidgets.moc"
