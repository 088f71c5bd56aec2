// Routing: the monitor level scale, the line-out and monitor models (what each index and level becomes
// on the unit, what bad stored values read as), and the routing pages and the monitor dialog driven by
// object name through the real widgets; the device messages reach the in-process firmware model.
#include "lineouts.h"
#include "monitorcontrol.h"
#include "monitormodel.h"
#include "monitorscale.h"
#include "resources.h"
#include "routingsection.h"
#include "undohistory.h"
#include "pagerig.h"
#include "unitrig.h"
#include "unitstate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStackedWidget>
#include <QtTest>

#include <cmath>

using namespace mixer;

namespace {

// Anchors of the selector tables: each kind's first and last entry on either model.
struct Choice {
    int index;
    const char *text;
    Route route;
    const char *arrow;
};
const QVector<Choice> kK2Choices = {
    {0, "INPUT 1", {4, 1}, "arrow_AD/arrow_AD-1"},        {4, "OPT A1", {4, 5}, "arrow_AD/arrow_AD-5"},
    {19, "OPT B8", {4, 20}, "arrow_AD/arrow_AD-20"},      {20, "MASTER L", {2, 1}, "arrow_ST/arrow_ST-L"},
    {21, "MASTER R", {2, 2}, "arrow_ST/arrow_ST-R"},      {25, "AUX 4", {5, 4}, "arrow_AUX/arrow_AUX-4"},
    {26, "COMPUTER 1", {3, 1}, "arrow_comp/arrow_comp-1"}, {35, "COMPUTER 10", {3, 10}, "arrow_comp/arrow_comp-10"}};
const QVector<Choice> kK1Choices = {
    {1, "INPUT 2", {4, 2}, "arrow_AD/arrow_AD-2"},        {2, "OPT A1", {4, 5}, "arrow_AD/arrow_AD-3"},
    {9, "OPT A8", {4, 12}, "arrow_AD/arrow_AD-10"},       {10, "MASTER L", {2, 1}, "arrow_ST/arrow_ST-L"},
    {12, "AUX 1", {5, 1}, "arrow_AUX/arrow_AUX-1"},       {19, "COMPUTER 4", {3, 4}, "arrow_comp/arrow_comp-4"}};

QString arrowFile(const char *arrow)
{
    return QStringLiteral(":/Resource/%1.png").arg(QLatin1String(arrow));
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

struct Rig : PageRig {
    bool art = (lyntra_init_resources(), true);
    UnitRig unit;
    RoutingSection section{unit.dev, unit.settings, *unit.controls};

    QWidgetList roots() override
    {
        return {section.page(mixer::UnitModel::K1), section.page(mixer::UnitModel::K2), section.monitor()};
    }
    QJsonObject state()
    {
        unit.flush();
        return unit.fw.state();
    }
    MonitorControl *open()
    {
        section.page(mixer::UnitModel::K2)->show();
        return click(QStringLiteral("pB_MoniconEnable")) ? section.monitor() : nullptr;
    }
    QSlider *slider(const char *name) { return find<QSlider>(QLatin1String(name)); }
    QDoubleSpinBox *box(const char *name) { return find<QDoubleSpinBox>(QLatin1String(name)); }
    QComboBox *combo(const char *name) { return find<QComboBox>(QLatin1String(name)); }
};

} // namespace

Q_DECLARE_METATYPE(Route)

class TestRouting : public QObject {
    Q_OBJECT

private slots:
    void scaleTexts_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        for (const auto &[position, text] :
             {std::pair{127, "  0.0"}, {126, " -0.2"}, {125, " -0.4"}, {121, " -1.3"}, {64, "-20.0"}, {63, "-20.5"},
              {42, "-31.0"}, {41, "-31.4"}, {6, "-60.0"}, {1, "-96.0"}, {0, "-99.9"}, {-3, "-99.9"}, {200, "  0.0"}})
            QTest::addRow("%d", position) << position << QString::fromLatin1(text);
    }
    void scaleTexts()
    {
        QFETCH(int, position);
        QFETCH(QString, text);
        QCOMPARE(monitor::text(position), text);
        QCOMPARE(monitor::levelAt(position), text.toDouble());
    }

    // Falling, and its 128 levels add up as the table given for the unit does: one wrong entry shows.
    void scaleFallsAndRoundTrips()
    {
        long tenths = std::lround(monitor::levelAt(0) * 10);
        for (int p = 1; p < monitor::kPositions; ++p) {
            QVERIFY2(monitor::levelAt(p) > monitor::levelAt(p - 1), qPrintable(QString::number(p)));
            QCOMPARE(monitor::positionFor(monitor::levelAt(p)), p);
            tenths += std::lround(monitor::levelAt(p) * 10);
        }
        QCOMPARE(tenths, -31316L);
    }

    void typedLevels_data()
    {
        QTest::addColumn<double>("typed");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("wire");
        QTest::newRow("between half steps") << -20.2 << 63 << -202;
        QTest::newRow("below -96") << -97.0 << 0 << -970;
        QTest::newRow("bottom is off") << -99.9 << 0 << -1270;
        QTest::newRow("above the top") << 3.0 << 127 << 0;
        QTest::newRow("not a number") << std::nan("") << 0 << -1270;
    }
    void typedLevels()
    {
        QFETCH(double, typed);
        QFETCH(int, position);
        QFETCH(int, wire);
        QCOMPARE(monitor::positionFor(typed), position);
        QCOMPARE(int(monitor::wire(typed)), wire);
    }

    void storedChoicesAtStart_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QList<Route>>("routes"); // outputs 1..8
        using Routes = QList<Route>;
        const Route none{-1, -1};
        QTest::newRow("K2 defaults") << false << QStringList()
                                     << Routes{{2, 1}, {2, 2}, {5, 1}, {5, 2}, {5, 3}, {5, 4}, {3, 1}, {3, 2}};
        QTest::newRow("K1 defaults, its outputs only")
            << true << QStringList() << Routes{{2, 1}, {2, 2}, none, none, none, none, none, none};
        // 36 and -1 are no choice of the large model: those outputs keep the key's default.
        QTest::newRow("K2 stored") << false
                                   << QStringList{"LineOut1=0", "LineOut2=19", "LineOut3=35", "LineOut4=36",
                                                  "LineOut5=-1", "LineOut8=4", "LineOut1_K1=5"}
                                   << Routes{{4, 1}, {4, 20}, {3, 10}, {5, 2}, {5, 3}, {5, 4}, {3, 1}, {4, 5}};
        QTest::newRow("K1 stored") << true << QStringList{"LineOut1_K1=2", "LineOut2_K1=20", "LineOut1=0"}
                                   << Routes{{4, 5}, {2, 2}, none, none, none, none, none, none};
    }
    void storedChoicesAtStart()
    {
        QFETCH(bool, small);
        QFETCH(QStringList, stored);
        QFETCH(QList<Route>, routes);
        UnitRig rig;
        LineOutModel lineOuts(rig.settings, rig.dev);
        const QString group = QStringLiteral("LineOutSettings");
        for (const QString &s : stored)
            rig.settings.writeValue(group, s.section('=', 0, 0), s.section('=', 1).toInt());
        lineOuts.applyStored(small ? UnitModel::K1 : UnitModel::K2);
        // Choices that are no entry of the tables are refused: nothing stored, nothing sent.
        for (const auto &[model, output, index] :
             {std::tuple{UnitModel::K2, 9, 0}, {UnitModel::K2, 1, 36}, {UnitModel::K1, 3, 0}, {UnitModel::K1, 2, -1}})
            QVERIFY(!lineOuts.select(model, output, index));
        rig.flush();
        QCOMPARE(routesOf(rig.fw.state(), 8), routes);
        // Loading leaves a bad stored value in the file for the user's next choice to replace.
        rig.settings.sync();
        const QSettings file(rig.settings.mainFilePath(), QSettings::IniFormat);
        for (const QString &s : stored)
            QCOMPARE(file.value(group + '/' + s.section('=', 0, 0)).toInt(), s.section('=', 1).toInt());
    }

    // A target's odd output takes the left half of a source, the even one the right half (the next
    // channel).
    void monitorSources()
    {
        // Anchors: each kind's start and the ends, with the unit channel of the left half.
        const std::tuple<int, const char *, const char *, Route> named[] = {
            {0, "MASTER L", "MASTER R", {2, 1}},        {1, "AUX 1", "AUX 2", {5, 1}},
            {7, "COMPUTER 9", "COMPUTER 10", {3, 9}},  {8, "INPUT 1", "INPUT 2", {4, 1}},
            {10, "OPTICAL A1", "OPTICAL A2", {4, 5}},  {14, "OPTICAL B1", "OPTICAL B2", {4, 13}},
            {17, "OPTICAL B7", "OPTICAL B8", {4, 19}}};
        for (const auto &[i, left, right, from] : named) {
            QCOMPARE(mixer::monitorSources().at(size_t(i)).leftText, QLatin1String(left));
            QCOMPARE(mixer::monitorSources().at(size_t(i)).rightText, QLatin1String(right));
            UnitRig rig;
            MonitorModel monitor(rig.settings, rig.dev);
            monitor.setMonitoring(true);
            monitor.selectTarget(2);
            monitor.setLeftSource(2, i);
            monitor.setRightSource(2, i);
            rig.flush();
            QCOMPARE(routeOf(rig.fw.state(), 5), from);
            QCOMPARE(routeOf(rig.fw.state(), 6), Route(from.first, from.second + 1));
        }
    }

    // ---- the pages and the monitor dialog

    void selectorsRouteEveryChoice_data()
    {
        QTest::addColumn<bool>("k1");
        QTest::addColumn<int>("output");
        for (const auto &[k1, output] : {std::pair{false, 1}, {false, 8}, {true, 1}, {true, 2}})
            QTest::addRow("%s out %d", k1 ? "K1" : "K2", output) << k1 << output;
    }
    void selectorsRouteEveryChoice()
    {
        QFETCH(bool, k1);
        QFETCH(int, output);
        Rig rig;
        const QString key = QStringLiteral("LineOut%1").arg(output) + (k1 ? "_K1" : "");
        auto *selector = rig.find<QComboBox>(QString("cB_LineOut%1_%2").arg(output).arg(k1 ? "K1" : "K2"));
        auto *arrow = rig.find<QLabel>(QString("label_LineOut%1_Arrow").arg(output) + (k1 ? "_K1" : ""));
        rig.unit.settings.writeValue(QStringLiteral("LineOutSettings"), key, 9); // the page already shown follows
        rig.section.applyStored(k1);
        QVERIFY(selector && arrow);
        QCOMPARE(selector->currentIndex(), 9);
        QVERIFY(shows(arrow, arrowFile("arrow_AD/arrow_AD-10")));
        QCOMPARE(selector->count(), k1 ? 20 : 36);
        // Backwards, so that every index is a change: each stored, each a route of its own.
        QSet<Route> routes;
        for (int i = selector->count() - 1; i >= 0; --i) {
            selector->setCurrentIndex(i);
            routes << routeOf(rig.state(), output);
            QCOMPARE(rig.unit.settings.value(QStringLiteral("LineOutSettings"), key).toInt(), i);
        }
        QCOMPARE(routes.size(), selector->count());
        for (const Choice &c : k1 ? kK1Choices : kK2Choices) {
            selector->setCurrentIndex(c.index);
            QCOMPARE(selector->itemText(c.index), QLatin1String(c.text));
            QCOMPARE(routeOf(rig.state(), output), c.route);
            QVERIFY2(shows(arrow, arrowFile(c.arrow)), c.text);
        }
    }

    void levelsFromSlidersAndBoxes()
    {
        Rig rig;
        MonitorControl *dialog = rig.open();
        QVERIFY(dialog->isVisible() && dialog->isModal());
        rig.slider("vS_mcMaster")->setValue(0);
        QCOMPARE(rig.box("dSB_mcMasterView")->text(), QStringLiteral("-inf."));
        QCOMPARE(outputLevel(rig.state(), 9), -1270);

        QSlider *slider = rig.slider("vS_mcMono2");
        QDoubleSpinBox *box = rig.box("dSB_mcMono2View");
        typeInto(box, QStringLiteral("-0.3"));
        QCOMPARE(slider->value(), 125);
        QCOMPARE(box->value(), -0.3);
        QCOMPARE(outputLevel(rig.state(), 2), -3);
        QCOMPARE(rig.unit.settings.value(settings::monitorGroup(1), settings::key::moniConMono(2)), -0.3);
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
        // Closed, the monitor drives no output, whoever changes its level (a remote client, say).
        QTest::keyClick(dialog, Qt::Key_Escape);
        const int released = outputLevel(rig.state(), 2);
        rig.section.monitorModel().setRightLevel(0, -10.0);
        QCOMPARE(outputLevel(rig.state(), 2), released);
    }

    void targetSwitchMutesOthersAndRestores()
    {
        Rig rig;
        const QString pair = QStringLiteral("MoniCon OUT5_6");
        for (const auto &[key, value] : {std::pair<const char *, QVariant>{"SOURCE_L", 9}, {"SOURCE_R", 15},
                                          {"Mono1", -6.5}, {"Mono2", -12.3}})
            rig.unit.settings.writeValue(pair, key, value);
        rig.open();
        QCOMPARE(outputLevel(rig.state(), 1), 0);
        QVERIFY(rig.click(QStringLiteral("pB_mcLineOut5_6")));
        const QJsonObject state = rig.state();
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(outputLevel(state, n), n == 5 ? -65 : n == 6 ? -123 : -1270);
        QCOMPARE(routeOf(state, 5), Route(4, 3));
        QCOMPARE(routeOf(state, 6), Route(4, 16));
        QCOMPARE(rig.combo("cB_mcSourceL")->currentIndex(), 9);
        QCOMPARE(rig.combo("cB_mcSourceR")->currentIndex(), 15);
        QCOMPARE(rig.slider("vS_mcMono1")->value(), 98);
        QCOMPARE(rig.box("dSB_mcMono2View")->value(), -12.3);
        QCOMPARE(rig.unit.settings.value(settings::key::MoniConOutput), 2);
        // Levels now go to the new target only.
        rig.slider("vS_mcMono2")->setValue(127);
        QCOMPARE(outputLevel(rig.state(), 6), 0);
        QCOMPARE(outputLevel(rig.state(), 2), -1270);
        // A full load while monitoring (the unit came back) leaves the monitor's routes in place.
        rig.section.applyStored(false);
        QCOMPARE(routeOf(rig.state(), 5), Route(4, 3));
    }

    // Return (or Enter) ends a typed level or a source choice; it never presses a target button.
    void returnKeepsTheTarget()
    {
        Rig rig;
        MonitorControl *dialog = rig.open();
        QVERIFY(QTest::qWaitForWindowActive(dialog) && rig.click(QStringLiteral("pB_mcLineOut5_6")));
        QTest::mouseClick(rig.box("dSB_mcMono1View"), Qt::LeftButton);
        typeInto(rig.box("dSB_mcMono1View"), QStringLiteral("-6"));
        QComboBox *source = rig.combo("cB_mcSourceR");
        source->showPopup();
        QTest::keyClick(source->view(), Qt::Key_Down);
        QTest::keyClick(source->view(), Qt::Key_Return);
        QTest::keyClick(source, Qt::Key_Return);
        QVERIFY(rig.find<QPushButton>(QStringLiteral("pB_mcLineOut5_6"))->isChecked());
        const QJsonObject state = rig.state();
        QCOMPARE(outputLevel(state, 5), -60);
        QCOMPARE(routeOf(state, 6), Route(5, 2)); // AUX 2, the entry below MASTER R
    }

    // Escape takes back a typed level and leaves the dialog open; the next one closes it, and the
    // typed level never went out.
    void escapeTakesBackATypedLevel()
    {
        Rig rig;
        MonitorControl *dialog = rig.open();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        const mixer::MonitorModel &model = rig.section.monitorModel();
        const double before = model.leftLevel(model.target());
        QDoubleSpinBox *box = rig.box("dSB_mcMono1View");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("-1"));
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(model.leftLevel(model.target()), before);
    }

    // Source choices undone one at a time: each side gets back its own source; then the output.
    void sourceChoicesUndone()
    {
        Rig rig;
        UndoHistory history(*rig.unit.controls, rig.unit.settings);
        rig.open();
        QComboBox *left = rig.combo("cB_mcSourceL"), *right = rig.combo("cB_mcSourceR");
        const int leftBefore = left->currentIndex(), rightBefore = right->currentIndex();
        left->setCurrentIndex(leftBefore + 3);
        right->setCurrentIndex(rightBefore + 7);
        history.stack().undo();
        QCOMPARE(right->currentIndex(), rightBefore);
        QCOMPARE(left->currentIndex(), leftBefore + 3);
        history.stack().undo();
        QCOMPARE(left->currentIndex(), leftBefore);
        // The output chosen is a step too: undone, the first pair monitors again.
        QVERIFY(rig.click(QStringLiteral("pB_mcLineOut3_4")));
        QCOMPARE(rig.unit.settings.value(settings::key::MoniConOutput), 1);
        QCOMPARE(history.stack().undoText(), QStringLiteral("Monitor output"));
        history.stack().undo();
        QVERIFY(rig.find<QPushButton>(QStringLiteral("pB_mcLineOut1_2"))->isChecked());
        QCOMPARE(rig.unit.settings.value(settings::key::MoniConOutput), 0);
        // Redone with the dialog closed, the output is only stored: the unit's routes and levels stay.
        QTest::keyClick(rig.section.monitor(), Qt::Key_Escape);
        const QJsonObject closed = rig.state();
        history.stack().redo();
        QCOMPARE(rig.unit.settings.value(settings::key::MoniConOutput), 1);
        QCOMPARE(rig.state(), closed);
    }

    void linkMakesRightFollowLeft()
    {
        Rig rig;
        rig.open();
        QComboBox *left = rig.combo("cB_mcSourceL"), *right = rig.combo("cB_mcSourceR");
        auto *levels = rig.find<QStackedWidget>(QStringLiteral("sW_mcMonoStereo"));
        rig.slider("vS_mcMono1")->setValue(96); // -7.1
        rig.slider("vS_mcMono2")->setValue(20);
        right->setCurrentIndex(12);

        QVERIFY(rig.click(QStringLiteral("pB_mcLink")));
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
        QVERIFY(rig.click(QStringLiteral("pB_mcLineOut3_4")));
        QCOMPARE(outputLevel(rig.state(), 1), -1270);
        rig.unit.settings.writeValue(QStringLiteral("MoniCon OUT1_2"), QStringLiteral("SOURCE_R"), 9);
        QVERIFY(rig.click(QStringLiteral("pB_mcLineOut1_2")));
        QCOMPARE(levels->currentWidget()->objectName(), QStringLiteral("stereo"));
        QCOMPARE(right->currentIndex(), 4);
        QCOMPARE(outputLevel(rig.state(), 1), -200);
        QCOMPARE(outputLevel(rig.state(), 2), -200);

        QVERIFY(rig.click(QStringLiteral("pB_mcLink")));
        QCOMPARE(levels->currentWidget()->objectName(), QStringLiteral("mono"));
        QVERIFY(right->isEnabled());
        QCOMPARE(rig.slider("vS_mcMono2")->value(), 64);
        QVERIFY(!rig.unit.settings.value(settings::monitorGroup(1), settings::key::MoniConLink));
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
        QVERIFY(rig.click(QStringLiteral("pB_mcLineOut7_8")));
        rig.slider("vS_mcMono2")->setValue(30); // -36.7

        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible() && !rig.find<QPushButton>(QStringLiteral("pB_MoniconEnable"))->isChecked());
        const QJsonObject state = rig.state();
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(outputLevel(state, n), 0);
        QCOMPARE(routesOf(state, 8), (QList<Route>{{2, 1}, {2, 2}, {5, 1}, {5, 2}, {5, 3}, {5, 4}, {3, 1}, {3, 10}}));
        for (const char *name : {"vS_mcMaster", "vS_mcMono1", "vS_mcMono2", "vS_mcStereo"})
            QCOMPARE(rig.slider(name)->value(), 127);
        QCOMPARE(rig.unit.settings.value(settings::monitorGroup(1), settings::key::moniConMono(1)), -20.0);
        QCOMPARE(rig.unit.settings.value(settings::key::MoniConMaster), -12.3);

        // Opening again brings the stored target and levels back.
        rig.open();
        QVERIFY(rig.find<QPushButton>(QStringLiteral("pB_mcLineOut7_8"))->isChecked());
        QCOMPARE(outputLevel(rig.state(), 9), -123);
        QCOMPARE(outputLevel(rig.state(), 8), -367);
        QCOMPARE(outputLevel(rig.state(), 1), -1270);
    }

    // A panel that ended while monitoring left the other pairs muted on the unit; the next one sends
    // the levels as it has them, the monitor closed: every line out and the monitor master at 0 dB.
    void startAfterMonitoringEndedUncleanly()
    {
        Rig rig;
        rig.open();
        QVERIFY(rig.click(QStringLiteral("pB_mcLineOut5_6")));
        RoutingSection next(rig.unit.dev, rig.unit.settings, *rig.unit.controls);
        rig.unit.dev.reset_params(); // a new device object knows nothing sent
        next.applyStored(false);
        const QJsonObject state = rig.state();
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(outputLevel(state, n), 0);
    }
};

QTEST_MAIN(TestRouting)
#include "tst_routing.moc"
