// The meters through the window, its real 100 ms timer and device worker, against the virtual unit with
// its signal frozen and inputs set to exact levels; and the window's meter section on its own.
#include "idledevice.h"
#include "ixmsg.h"
#include "qixdevice.h"
#include "mainwindow.h"
#include "meterlabels.h"
#include "metersection.h"
#include "resources.h"
#include "settings.h"
#include "shownboxes.h"
#include "unittrace.h"
#include "virtualunit.h"

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QtTest>

#include <memory>

using namespace lyntra_test;

namespace {

constexpr int kPatience = 15000; // a full fall takes 15 ticks; loaded sanitizer runs are slower

QRect bar(int left, int offset)
{
    return QRect(QPoint(left, 362 + offset), QPoint(left + 5, 468));
}

} // namespace

class TestMetersWindow : public QObject {
    Q_OBJECT

    QLabel *label(const char *name) const { return window_->findChild<QLabel *>(QLatin1String(name)); }
    bool control(const QByteArray &command) const
    {
        return unit_->control(command).value(QStringLiteral("ok")).toBool();
    }
    void click(const char *button) const
    {
        window_->findChild<QAbstractButton *>(QLatin1String(button))->click();
    }

private slots:
    void initTestCase()
    {
        qputenv("LYNTRA_UNIT", "virtual");
        lyntra_init_resources();
        unit_ = std::make_unique<VirtualUnit>();
        QVERIFY(unit_->start({"--model", "K2", "--rate", "48000"}) && control("set freeze on"));
        for (int input = 1; input <= 20; ++input)
            QVERIFY(control("set level " + QByteArray::number(input) + " 0"));
        device_ = std::make_unique<QIXDevice>();
        settings_ = std::make_unique<Settings>();
        settings_->setValue(settings::key::InformationDialog, true);
        window_ = std::make_unique<MainWindow>(*device_, *settings_);
        window_->show();
        // The rate shows once the unit is set up.
        QTRY_VERIFY_WITH_TIMEOUT(!label("label_IntSampleRate")->text().isEmpty(), kPatience);
        click("pB_ToMixerFromInterface"); // meters are read while they are on screen
        auto *master = window_->findChild<QDoubleSpinBox *>(QStringLiteral("dSB_faderDisplayMaster"));
        master->setValue(0.0); // typed in, as a user would; the master starts at -infinity
        emit master->editingFinished();
    }

    // Both displays of an input follow it; a peak lamp lights from -1 dB. (The bars of the other inputs
    // at fixed levels, the linked strips' sides among them, are in the reference pictures.)
    void levelMovesItsBars_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("mono");
        QTest::addColumn<QString>("linked");
        QTest::addColumn<QRect>("monoBar");
        QTest::addColumn<QRect>("linkedBar");
        QTest::addColumn<bool>("peak");
        const struct {
            const char *name, *mono, *linked;
            int input, level, monoLeft, linkedLeft, offset;
        } rows[] = {
            {"odd input at -1 dB", "3", "3_4_L", 3, 29204, 37, 63, 0},
            {"back to silence", "3", "3_4_L", 3, 0, 37, 63, 106},
            // Alone and panned centre, a full-scale input gives each master side -3 dB.
            {"masters", "MasterL", "MasterR", 1, 32768, 51, 59, 6},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.input << r.level << r.mono << r.linked << bar(r.monoLeft, r.offset)
                                  << bar(r.linkedLeft, r.offset) << (r.offset < 2);
    }
    void levelMovesItsBars()
    {
        QFETCH(int, input);
        QFETCH(int, level);
        QFETCH(QString, mono);
        QFETCH(QString, linked);
        QFETCH(QRect, monoBar);
        QFETCH(QRect, linkedBar);
        QFETCH(bool, peak);
        QVERIFY(control("set level " + QByteArray::number(input) + ' ' + QByteArray::number(level)));
        QLabel *monoLabel = label(qPrintable("label_LevelMeter" + mono));
        QLabel *linkedLabel = label(qPrintable("label_LevelMeter" + linked));
        QVERIFY(monoLabel && linkedLabel);
        QTRY_COMPARE_WITH_TIMEOUT(monoLabel->geometry(), monoBar, kPatience);
        QCOMPARE(linkedLabel->geometry(), linkedBar);
        const QLabel *peaks[] = {label(qPrintable("label_Peak" + mono)),
                                 label(qPrintable("label_Peak" + linked))};
        // A lamp lit before goes out a second or two after the level fell.
        QTRY_VERIFY_WITH_TIMEOUT(peaks[0]->isHidden() != peak && peaks[1]->isHidden() != peak, kPatience);
    }

    // The bar shows the reduction of the edited channel only (input 20, the last, limited by 30 dB; 4 not):
    // another strip or none puts it out at once; with none, the knobs show what they show at start.
    void grBarFollowsTheSelectedChannel()
    {
        QLabel *gr = label("label_GRMeter");
        QVERIFY(gr && gr->isHidden());
        const QLabel *threshold = label("label_ThresholdKnob");
        const auto knob = [threshold] { return threshold->pixmap(Qt::ReturnByValue).toImage(); };
        const QImage nothingSelected = knob();
        settings_->writeValue(QStringLiteral("Track20"), QStringLiteral("CompThresholdPos"), 20);
        QVERIFY(control("set level 20 32768") && control("set level 4 32768"));
        QVERIFY(device_->set_comp(IXMSG_DATA_CH_INPUT, 20, 1, -30, 255, 0, 0, 0, 0));
        for (const char *then : {"pB_Adat8", "pB_Analog4"}) {
            window_->findChild<QAbstractButton *>(QStringLiteral("pB_Adat8"))->click();
            QVERIFY(knob() != nothingSelected);
            QTRY_VERIFY_WITH_TIMEOUT(!gr->isHidden() && gr->geometry() == QRect(569, 73, 5, 63), kPatience);
            window_->findChild<QAbstractButton *>(QLatin1String(then))->click();
            QVERIFY(gr->isHidden());
            if (then == QLatin1String("pB_Adat8"))
                QCOMPARE(knob(), nothingSelected);
        }
        QTRY_VERIFY_WITH_TIMEOUT(gr->isHidden() && gr->height() == 1, kPatience);
    }

    // Unplugged, the received values are void; the bars keep their place until the unit is back.
    void unplugZeroesTheStore()
    {
        QVERIFY(control("set level 5 20000"));
        const MeterSection &meters = window_->meters();
        QTRY_COMPARE_WITH_TIMEOUT(label("label_LevelMeter5")->geometry(), bar(37, 8), kPatience);
        QVERIFY(control("unplug"));
        QTRY_COMPARE_WITH_TIMEOUT(shown_boxes(QStringLiteral("USB Disconnected")).size(), 1, kPatience);
        QCOMPARE(meters.store().input[4], 0u);
        QCOMPARE(meters.store().gainReduction, 32767u);
        QCOMPARE(label("label_LevelMeter5")->geometry(), bar(37, 8));
        QCOMPARE(label("label_IntSampleRate")->text(), QString());
        QVERIFY(control("plug"));
        QTRY_VERIFY_WITH_TIMEOUT(!label("label_IntSampleRate")->text().isEmpty(), kPatience);
        click("pB_ToMixerFromInterface"); // the lost unit brought the interface page up
        QTRY_COMPARE_WITH_TIMEOUT(meters.store().input[4], 20000u, kPatience);
    }

    // Without the window or the unit: each tick draws one step, as soon as every channel the unit
    // answered last time is in again, without waiting for the read that finds it quiet.
    void oneStepPerTickAsSoonAsAnswered()
    {
        IdleDevice device;
        MeterSection section(device);
        QWidget host;
        QVector<MeterLabels> meters;
        for (int slot = 0; slot < meter::kSlots; ++slot)
            meters << makeMeter(&host, slot, QString(), QString());
        section.bindLevels(meters);
        const auto answer = [&](uint32_t level, bool thenQuiet) {
            section.tick();
            for (int n = 1; n <= meter::kInputs; ++n)
                emit device.sig_recv_meter(IXMSG_DATA_CH_INPUT, uint8_t(n), level);
            for (int n = 1; n <= meter::kMasters; ++n)
                emit device.sig_recv_meter(IXMSG_DATA_CH_MASTER, uint8_t(n), level);
            if (thenQuiet)
                emit device.sig_unit_quiet();
            return meters[0].bar->geometry().top();
        };
        int top = answer(32768, true);
        QList<int> falls;
        for (int step = 0; step < 3; ++step) {
            const int now = answer(0, false);
            falls << now - top;
            top = now;
        }
        QCOMPARE(falls, (QList<int>{8, 8, 8}));
    }

    // Nothing asks the unit for levels while no meter is on screen; showing the mixer page asks at once
    // and the bars show what changed meanwhile. How soon is the bench's figure (bench_pages): a time
    // limit here would fail a loaded machine or be too loose to mean anything, so only the order counts.
    void metersAskedOnlyWhileShown()
    {
        click("pB_ToInterfaceFromMixer");
        QVERIFY(control("set level 7 32768"));
        // A request asked just before the page went may still go out with the next message; after a
        // once-a-second poll has gone out, nothing older is waiting.
        QVERIFY(control("trace clear"));
        QTRY_VERIFY_WITH_TIMEOUT(sentValues(unit_->control("trace"), IXMSG_ID_HZ).size() >= 1, kPatience);
        QVERIFY(control("trace clear"));
        QTRY_VERIFY_WITH_TIMEOUT(sentValues(unit_->control("trace"), IXMSG_ID_HZ).size() >= 2, kPatience);
        const QJsonObject hidden = unit_->control("trace");
        QCOMPARE(sentValues(hidden, IXMSG_ID_GET_METER).size(), 0);
        QCOMPARE(sentValues(hidden, IXMSG_ID_GET_GRMETER).size(), 0);
        QCOMPARE(label("label_LevelMeter7")->geometry(), bar(37, 106)); // the change is not drawn

        click("pB_ToMixerFromInterface");
        QTRY_VERIFY_WITH_TIMEOUT(sentValues(unit_->control("trace"), IXMSG_ID_GET_METER).size() >= 1, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(label("label_LevelMeter7")->geometry(), bar(37, 0), kPatience);
    }

private:
    // Destroyed in reverse: the window before its device, the unit last.
    std::unique_ptr<VirtualUnit> unit_;
    std::unique_ptr<QIXDevice> device_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(TestMetersWindow)
#include "tst_meters_window.moc"
