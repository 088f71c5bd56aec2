// The window in-process against a device object without worker, and the unit status behind it: start-up dialog, set-up and disconnection, the page guard, the stored page, menus, the progress
// window, web links and the licence.
#include "confighome.h"
#include "fileicon.h"
#include "idledevice.h"
#include "licensedialog.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "monitormodel.h"
#include "oscclient.h"
#include "remotecontrol.h"
#include "routingsection.h"
#include "scenestore.h"
#include "settings.h"
#include "shownboxes.h"
#include "translations.h"
#include "unitstatus.h"
#include "urlrecorder.h"
#include "weblinks.h"
#include "windowrig.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QScrollArea>
#include <QScrollBar>
#include <QScopeGuard>
#include <QSlider>
#include <QStackedWidget>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

#include <memory>

using lyntra_test::shown_boxes;

namespace {

struct Rig : WindowRig {
    QLabel *label(const char *name) const { return find<QLabel>(QLatin1String(name)); }
    void tick(bool present)
    {
        device.recv_is_selected(present);
        window->timerInterrupt_100ms();
    }
    int page() const { return window->pages()->currentIndex(); }
    int storedPage() { return settings.value(QStringLiteral("Panel"), QStringLiteral("MainWindowPanel")).toInt(); }
};

// Script letters: A absent tick, P present tick, N product name "LYNTRA K2", E empty name.
void play(QIXDevice &device, mixer::UnitStatus &unit, const QString &script)
{
    for (const QChar step : script) {
        if (step == 'A' || step == 'P')
            unit.presenceTick(step == 'P');
        else
            emit device.sig_recv_productname(step == 'N' ? QStringLiteral("LYNTRA K2") : QString());
    }
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (qstrcmp(QTest::currentTestFunction(), "pageGuard") != 0)
            guarded_.reset();
        else if (guarded_)
            return; // the rows' window keeps its settings
        lyntra_test::clear_config_home();
    }

    // ---- presence

    // Script letters: A absent tick, P present tick, N product name, E empty name. What the unit status
    // tells, in order: the device field's name, "load" and "clock" (each with whether a rate report would
    // show then), "lost", "deselect"; and whether a rate report shows afterwards.
    void presence_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<bool>("setUp");
        const QStringList up{"LYNTRA K2", "load held", "clock shown"}, lost{"", "lost"};
        QTest::newRow("never there") << "AAAAA" << QStringList{} << false;
        QTest::newRow("present but never named") << "PPPP" << QStringList{} << false;
        QTest::newRow("named while present") << "PPNP" << up << true;
        QTest::newRow("named first") << "NPPPP" << up << true;
        QTest::newRow("lost once, however long") << "NPAAAAAA" << up + lost << false;
        QTest::newRow("back but unnamed") << "NPAAPPP" << up + lost << false;
        QTest::newRow("lost and back twice") << "NPAANPAANP" << up + lost + up + lost + up << true;
        QTest::newRow("named then absent before set-up") << "PNAAA" << QStringList{"LYNTRA K2"} << false;
        QTest::newRow("named, absent, present") << "PNAAAP" << up << true;
        QTest::newRow("empty names") << "EPEP" << QStringList{"", "deselect", "", "deselect"} << false;
        QTest::newRow("names again change nothing") << "NPNNPP" << up + QStringList{"LYNTRA K2", "LYNTRA K2"} << true;
        QTest::newRow("lost, then an empty name") << "NPAE" << up + lost + QStringList{"", "deselect"} << false;
    }
    void presence()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, told);
        QFETCH(bool, setUp);
        IdleDevice device;
        mixer::UnitStatus unit(device);
        QStringList seen;
        QSignalSpy shown(&unit, &mixer::UnitStatus::sampleRateChanged);
        const auto rateShown = [&](uint32_t hz) {
            const int before = shown.count();
            emit device.sig_recv_hz(hz);
            return shown.count() > before;
        };
        connect(&unit, &mixer::UnitStatus::loadStoredState, this,
                [&] { seen << (rateShown(96000) ? "load shown" : "load held"); });
        connect(&unit, &mixer::UnitStatus::restoreClock, this,
                [&] { seen << (rateShown(96000) ? "clock shown" : "clock held"); });
        connect(&unit, &mixer::UnitStatus::unitLost, this, [&] { seen << "lost"; });
        connect(&unit, &mixer::UnitStatus::productNameChanged, this, [&](const QString &t) { seen << t; });
        connect(&device, &QIXDevice::sig_deselect, this, [&] { seen << "deselect"; });
        play(device, unit, script);
        QCOMPARE(seen, told);
        QCOMPARE(rateShown(44100), setUp);
    }

    // ---- the window

    // Suppressed, or shown with "Do not show again" left alone or ticked; the box opens once the event
    // loop runs and waits for nothing.
    void informationDialog_data()
    {
        QTest::addColumn<int>("answer"); // -1: suppressed before, 0: dismissed, 1: ticked
        QTest::newRow("suppressed") << -1;
        QTest::newRow("dismissed") << 0;
        QTest::newRow("do not show again") << 1;
    }
    void informationDialog()
    {
        QFETCH(int, answer);
        const bool suppressed = answer < 0, storedAfter = answer != 0;
        const QString title = QStringLiteral("AVENOR LYNTRA K1/K2 Information");
        Settings().setValue(settings::key::InformationDialog, suppressed);
        IdleDevice device;
        Settings settings;
        MainWindow window(device, settings);
        QCoreApplication::processEvents();
        const QList<QMessageBox *> boxes = shown_boxes(title);
        QCOMPARE(boxes.size(), suppressed ? 0 : 1);
        if (!suppressed) {
            QMessageBox *box = boxes.first();
            QCOMPARE(box->checkBox()->text(), QStringLiteral("Do not show again"));
            QVERIFY(box->text().contains(QLatin1String(weblinks::MakerHost) + "/int/product/LYNTRA_K1/faq"));
            QCOMPARE(settings.value(settings::key::InformationDialog), false);
            box->checkBox()->setChecked(answer == 1);
            QCOMPARE(lyntra_test::press_ok(title), 1);
        }
        QCOMPARE(settings.value(settings::key::InformationDialog), storedAfter);
        QCOMPARE(window.pages()->currentIndex(), 1);
    }

    // Start without a unit is silent; one box per disconnection, however many ticks it lasts, closed
    // by the window itself once the unit is back and set up.
    void disconnection_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("open");
        QTest::newRow("never connected") << "AAAAAA" << 0 << 0;
        QTest::newRow("unplugged once") << "NAAAAAA" << 1 << 1;
        QTest::newRow("unplugged, back, unplugged") << "NAAANAA" << 2 << 1;
        QTest::newRow("back but unnamed, still away") << "NAAPPAA" << 1 << 1;
        QTest::newRow("back and set up") << "NAAN" << 1 << 0;
    }
    void disconnection()
    {
        QFETCH(QString, script);
        QFETCH(int, boxes);
        QFETCH(int, open);
        const QString title = QStringLiteral("USB Disconnected");
        Rig rig;
        QSet<QMessageBox *> seen;
        for (const QChar step : script) {
            if (step == 'N') {
                rig.identify(QStringLiteral("LYNTRA K2"));
                rig.window->pages()->setCurrentIndex(0);
                emit rig.device.sig_recv_clocklock(IXMSG_DATA_CLOCKSOURCE_OPTICAL_B, IXMSG_DATA_CLOCKLOCK_GOOD);
            } else {
                rig.tick(step == 'P');
            }
            for (QMessageBox *box : shown_boxes(title)) {
                QCOMPARE(box->text(), QStringLiteral("- LYNTRA K1/K2 -\n Please insert USB cable"));
                seen << box;
            }
        }
        QCOMPARE(seen.size(), boxes);
        QCOMPARE(shown_boxes(title).size(), open);
        if (open) { // back on the interface page, showing no unit and no input's lock
            QCOMPARE(rig.page(), 1);
            QCOMPARE(rig.label("label_IntDevice")->text(), QStringLiteral("No Device"));
            QCOMPARE(rig.label("label_IntOptBInputStatus")->text(), QStringLiteral("----------"));
        }
    }

    void firmwareField()
    {
        Rig rig;
        emit rig.device.sig_recv_version(102);
        emit rig.device.sig_recv_build(34);
        QCOMPARE(rig.label("label_IntFirmVersion")->text(), QStringLiteral("1.02 0034"));
        emit rig.device.sig_recv_version(0);
        QCOMPARE(rig.label("label_IntFirmVersion")->text(), QStringLiteral("No Device"));
    }

    // Leaving the interface page needs a named unit, unless Shift is held. One window for the rows, in
    // this order: the unit is named in the last.
    void pageGuard_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("model"); // empty: never named
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("page"); // afterwards
        QTest::addColumn<bool>("warned");
        const QString mixer = "pB_ToMixerFromInterface", output = "pB_ToOutputFromInterface";
        QTest::newRow("mixer, no unit") << mixer << "" << false << 1 << true;
        QTest::newRow("output, no unit") << output << "" << false << 1 << true;
        QTest::newRow("mixer, no unit, Shift") << mixer << "" << true << 0 << false;
        QTest::newRow("output, no unit, Shift") << output << "" << true << 3 << false;
        QTest::newRow("mixer, K2") << mixer << "K2" << false << 0 << false;
    }
    void pageGuard()
    {
        QFETCH(QString, button);
        QFETCH(QString, model);
        QFETCH(bool, shift);
        QFETCH(int, page);
        QFETCH(bool, warned);
        if (!guarded_)
            guarded_ = std::make_unique<Rig>();
        Rig &rig = *guarded_;
        rig.window->pages()->setCurrentIndex(1);
        if (!model.isEmpty())
            rig.identify("LYNTRA " + model);
        rig.device.recv_is_selected(!model.isEmpty());
        if (shift)
            QTest::keyPress(rig.window.get(), Qt::Key_Shift, Qt::ShiftModifier);
        rig.window->findChild<QAbstractButton *>(button)->click();
        QTest::keyRelease(rig.window.get(), Qt::Key_Shift);
        QCOMPARE(rig.page(), page);
        const QList<QMessageBox *> boxes = shown_boxes(QStringLiteral("AVENOR LYNTRA Settings Panel"));
        QCOMPARE(boxes.size(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(boxes.first()->text(), QStringLiteral("Please connect the device."));
            QCOMPARE(lyntra_test::press_ok(QStringLiteral("AVENOR LYNTRA Settings Panel")), 1);
        }
        QCOMPARE(rig.storedPage(), warned ? 365 : page);
    }

    // The offscreen screen (800 x 600) has no room for the window: it takes the screen's room, still of
    // a fixed size, and the page shown scrolls as far as that page needs; Tab to a control out of
    // sight brings it into view.
    void smallScreenScrolls()
    {
        Rig rig;
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        const QSize room = rig.window->screen()->availableGeometry().size();
        QVERIFY(rig.window->width() <= room.width() && rig.window->height() <= room.height());
        QCOMPARE(rig.window->minimumSize(), rig.window->maximumSize());
        auto *area = rig.window->findChild<QScrollArea *>();
        const auto reach = [&](int index, const char *shown) {
            rig.window->pages()->setCurrentIndex(index);
            QApplication::processEvents();
            // The page itself, of a fixed size, not the frame of the same name that centres it.
            QSize fixed;
            for (const QWidget *w : rig.window->findChildren<QWidget *>(QLatin1String(shown)))
                if (w->minimumSize() == w->maximumSize())
                    fixed = w->size();
            return QSize(area->horizontalScrollBar()->maximum() + area->viewport()->width(),
                         area->verticalScrollBar()->maximum() + area->viewport()->height()) == fixed;
        };
        QVERIFY(reach(1, "Interface") && reach(0, "Mixer"));
        rig.window->findChild<QWidget *>(QStringLiteral("label_ReverbDiffKnob"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget *next = QApplication::focusWidget();
        QCOMPARE(next->objectName(), QStringLiteral("pB_ToInterfaceFromMixer"));
        const QRect seen(next->mapTo(area->viewport(), QPoint(0, 0)), next->size());
        QVERIFY(area->viewport()->rect().contains(seen));
        // Round the whole chain and back: the area itself is never a stop.
        int stops = 0;
        do {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != area);
        } while (QApplication::focusWidget() != next && ++stops < 1000);
        QVERIFY(stops < 1000);
    }

    // Shift pressed in the panel and let go in another window: a fader let go afterwards keeps its
    // level, and the interface page still wants a unit.
    void shiftLetGoElsewhere()
    {
        Rig rig;
        QWidget other;
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        QTest::keyPress(rig.window.get(), Qt::Key_Shift, Qt::ShiftModifier);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTest::keyRelease(&other, Qt::Key_Shift);
        rig.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        rig.window->findChild<QAbstractButton *>("pB_ToMixerFromInterface")->click();
        QCOMPARE(rig.page(), 1);
        QCOMPARE(lyntra_test::press_ok(QStringLiteral("AVENOR LYNTRA Settings Panel")), 1);
        rig.window->pages()->setCurrentIndex(0);
        auto *fader = rig.window->findChild<QSlider *>("vS_FaderKnob3");
        fader->setSliderDown(true);
        fader->setSliderPosition(40);
        fader->setSliderDown(false);
        QCOMPARE(rig.window->findChild<QDoubleSpinBox *>("dSB_faderDisplay3")->value(), -19.3);
    }

    // The unit unplugged under a hand on a send knob, then on a fader: the box that comes takes the
    // mouse, so its release never reaches them. The drags end when the box comes: the send's value
    // display goes and the fader is let go.
    void dragCutShortByABox()
    {
        Rig rig;
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        const auto unplugged = [&] {
            for (int tick = 0; tick < 6; ++tick)
                rig.tick(false);
            return shown_boxes(QStringLiteral("USB Disconnected")).size() == 1;
        };
        rig.identify(QStringLiteral("LYNTRA K2"));
        rig.window->pages()->setCurrentIndex(0);
        const mixer::StripRef in1 = mixer::monoRef(1);
        auto *knob = rig.find(mixer::widgetName(mixer::WidgetKind::SendKnob, in1, 1));
        auto *display = rig.find(mixer::widgetName(mixer::WidgetKind::SendDisplay, in1, 1));
        QTest::mousePress(knob, Qt::LeftButton);
        QVERIFY(!display->isHidden() && display->y() > knob->y()); // under its knob, not at the strip's corner
        QVERIFY(unplugged() && display->isHidden());

        rig.identify(QStringLiteral("LYNTRA K2"));
        rig.window->pages()->setCurrentIndex(0);
        auto *fader = rig.find<QSlider>("vS_FaderKnob3");
        QStyleOptionSlider handle;
        handle.initFrom(fader);
        handle.orientation = fader->orientation();
        handle.maximum = fader->maximum();
        handle.sliderPosition = fader->sliderPosition();
        handle.upsideDown = true;
        QTest::mousePress(fader, Qt::LeftButton, {},
                          fader->style()->subControlRect(QStyle::CC_Slider, &handle, QStyle::SC_SliderHandle, fader).center());
        QVERIFY(fader->isSliderDown() && unplugged() && !fader->isSliderDown());
    }

    // The other pages' buttons need no unit; every change is stored.
    void navigation_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QList<int>>("pages");
        // clang-format off
        QTest::newRow("K2 round") << "LYNTRA K2" << QStringList{"pB_ToOutputFromMixer", "pB_ToMixerFromRoutingK2", "pB_ToOutputFromMixer", "pB_ToInformationFromRoutingK2"} << QList<int>{3, 0, 3, 1};
        QTest::newRow("K1 round") << "LYNTRA K1" << QStringList{"pB_ToOutputFromMixer", "pB_ToMixerFromRoutingK1", "pB_ToInterfaceFromMixer"} << QList<int>{2, 0, 1};
        // clang-format on
    }
    void navigation()
    {
        QFETCH(QString, model);
        QFETCH(QStringList, presses);
        QFETCH(QList<int>, pages);
        Rig rig;
        rig.identify(model);
        rig.device.recv_is_selected(false);
        rig.window->pages()->setCurrentIndex(0);
        for (int i = 0; i < presses.size(); ++i) {
            rig.window->findChild<QAbstractButton *>(presses.at(i))->click();
            QCOMPARE(rig.page(), pages.at(i));
            QCOMPARE(rig.storedPage(), pages.at(i));
        }
    }

    // The locale's language where the panel has a catalogue; otherwise English throughout, Qt's own
    // texts included.
    void language_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("device");
        QTest::newRow("Japanese") << "ja_JP" << QStringLiteral("AVENOR LYNTRA K1/K2 設定パネル")
                                  << QStringLiteral("未接続");
        QTest::newRow("C") << "C" << "AVENOR LYNTRA K1/K2 Settings Panel" << "No Device";
        QTest::newRow("no catalogue") << "de_DE" << "AVENOR LYNTRA K1/K2 Settings Panel" << "No Device";
    }
    void language()
    {
        QFETCH(QString, locale);
        QFETCH(QString, title);
        QFETCH(QString, device);
        const bool installed = installTranslations(*qApp, QLocale(locale));
        const auto uninstall = qScopeGuard([] { qDeleteAll(qApp->findChildren<QTranslator *>()); });
        QCOMPARE(installed, locale == "ja_JP");
        QCOMPARE(qApp->findChildren<QTranslator *>().isEmpty(), !installed);
        Rig rig;
        QCOMPARE(rig.window->windowTitle(), title);
        QCOMPARE(rig.label("label_IntDevice")->text(), device);
    }

    // Menu entries in order, "-" for a separator, submenus as "<title>>", "~" after an entry that is off; the
    // remote one opens its dialog, where turning remote control on applies at once and is stored.
    void menus()
    {
        Rig rig;
        QMap<QString, QString> found;
        std::function<void(const QString &, const QList<QAction *> &)> walk =
            [&](const QString &path, const QList<QAction *> &actions) {
                QStringList entries;
                for (QAction *a : actions) {
                    entries << (a->isSeparator() ? "-" : a->text() + (a->menu() ? ">" : a->isEnabled() ? "" : "~"));
                    if (a->menu())
                        walk(path + '/' + QString(a->text()).remove('&'), a->menu()->actions());
                }
                found.insert(path, entries.join('|'));
            };
        walk(QString(), rig.window->menuBar()->actions()); // the bar itself is in the reference pictures
        QCOMPARE(found.value("/View"),
                 QStringLiteral("Initialize|Initialize Reverb|-|Mixer|Routing|Interface|-|Remote Control...|-|Minimize|Close"));
        QCOMPARE(found.value("/Edit"), QStringLiteral("Undo~|Redo~")); // nothing done yet
        QVERIFY(found.value("/SceneMemory")
                    .endsWith("SceneMemory10>|-|Export Scene...|Import Scene...|-|Initialize Memory|-|Save into the unit"));
        QCOMPARE(found.value("/Help"), QStringLiteral("- AVENOR Website>|- Update~|- About ...>")); // until checked
        rig.window->menus().remoteControl->trigger();
        const auto *remote = rig.window->findChild<QDialog *>(QStringLiteral("RemoteDialog"));
        QVERIFY(remote && remote->isVisible());
        remote->findChild<QCheckBox *>()->click(); // on at once, and kept: listening, or the port is in use
        QVERIFY(rig.settings.value(settings::key::OscEnabled) && rig.label("label_RemoteState")->text() != "Off.");
        remote->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close)->click();
        QVERIFY(!remote->isVisible());
        // The window's own entries: the licence, Minimize and Close.
        rig.window->menus().license->trigger();
        QVERIFY(qobject_cast<LicenseDialog *>(QApplication::activeModalWidget()));
        rig.window->menus().minimize->trigger();
        QVERIFY(rig.window->isMinimized());
        rig.window->menus().close->trigger();
        QVERIFY(!rig.window->isVisible());
    }

    // Without a unit: each question cancelled changes no file; "Initialize Memory" empties every slot
    // and name; renaming names the submenu, an empty field "Empty Name", a closed dialog nothing; a new
    // window starts with the stored names, and the one that went left its geometry in the native store.
    void sceneMenus()
    {
        const QString panel = QStringLiteral("AVENOR LYNTRA Settings Panel");
        const auto shownText = [](const QString &title) {
            const QList<QMessageBox *> boxes = shown_boxes(title);
            return boxes.size() == 1 ? boxes.first()->text() : QStringLiteral("%1 boxes").arg(boxes.size());
        };
        auto rig = std::make_unique<Rig>();
        MainMenus &menus = rig->window->menus();
        rig->settings.setValue(QStringLiteral("Track2"), settings::key::Mute, true);
        menus.scenes[1].save->trigger();
        const auto rename = [&](int slot, const QString &typed, bool confirm) {
            menus.scenes[slot - 1].rename->trigger();
            auto *dialog = rig->window->findChild<QDialog *>(QStringLiteral("SceneMemoryDialog"));
            QVERIFY(dialog && dialog->isVisible());
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Rename the SceneMemory"));
            dialog->findChild<QLineEdit *>()->setText(typed);
            if (confirm)
                dialog->findChild<QPushButton *>()->click();
            else
                dialog->close();
            QTRY_VERIFY_WITH_TIMEOUT(!rig->window->findChild<QDialog *>(QStringLiteral("SceneMemoryDialog")),
                                     20000);
        };
        // A client subscribed to the remote control hears the new name.
        const int port = lyntra_test::freePort();
        rig->window->findChild<remote::RemoteControl *>()->configure({true, port, false});
        lyntra_test::OscClient client(port);
        client.send("/lyntra/subscribe", {client.port()});
        QTRY_COMPARE(client.count("/lyntra/scene/2/name"), 1);
        rename(2, QStringLiteral("Verse"), true);
        QTRY_COMPARE(client.count("/lyntra/scene/2/name"), 2);
        QCOMPARE(client.last("/lyntra/scene/2/name").args, (QVariantList{"Verse"}));
        const auto files = [] {
            QMap<QString, QByteArray> found;
            const QDir dir(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/AVENOR"));
            for (const QFileInfo &f : dir.entryInfoList(QDir::Files)) {
                QFile file(f.filePath());
                found.insert(f.fileName(), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?"));
            }
            return found;
        };
        const QMap<QString, QByteArray> before = files();
        QVERIFY(before.contains("DUOMIX_sm2.ini") && before.contains("DUOMIX_SceneMemory.ini"));
        const struct {
            QAction *action;
            QString title, text;
        } questions[] = { // "Initialize" asks as its reference picture shows
            {menus.initialize, panel, QString()},
            {menus.initializeMemory, panel,
             "This operation initializes ALL Scene Memories.<br>Are you sure?"},
            {menus.initializeReverb, panel, "This operation initializes Reverb Parameters.<br>Are you sure?"},
            {menus.saveIntoUnit, QString(),
             "Save mixer settings?<p>Current Mixer Configuration and levels will be saved into the unit."},
        };
        for (const auto &q : questions) {
            q.action->trigger();
            const QList<QMessageBox *> asked = shown_boxes(q.title);
            QCOMPARE(asked.size(), 1);
            if (!q.text.isEmpty()) {
                QCOMPARE(asked.first()->text(), q.text);
                QCOMPARE(asked.first()->defaultButton(), asked.first()->button(QMessageBox::Cancel));
            }
            QCOMPARE(lyntra_test::press(q.title, QMessageBox::Cancel), 1);
        }
        QCOMPARE(files(), before);
        QVERIFY(rig->window->menuBar()->isEnabled());
        QCOMPARE(menus.scenes[1].menu->title(), QStringLiteral("Verse"));

        menus.initializeMemory->trigger();
        QCOMPARE(lyntra_test::press_ok(panel), 1);
        QCOMPARE(shownText(QString()), QStringLiteral("Scene Memory file has been initialized."));
        QCOMPARE(lyntra_test::press_ok(QString()), 1);
        for (int slot = 1; slot <= 10; ++slot) {
            QCOMPARE(menus.scenes[slot - 1].menu->title(), QStringLiteral("SceneMemory%1").arg(slot));
            menus.scenes[slot - 1].load->trigger();
            QCOMPARE(shownText(QString()), QStringLiteral("This scene memory does not exist."));
            QCOMPARE(lyntra_test::press_ok(QString()), 1);
        }
        QMap<QString, QByteArray> kept = before;
        kept.remove("DUOMIX_sm2.ini");
        kept.remove("DUOMIX_SceneMemory.ini");
        QCOMPARE(files(), kept);
        QVERIFY(rig->settings.value(QStringLiteral("Track2"), settings::key::Mute));

        rename(4, QString(), true);
        QCOMPARE(shownText(QStringLiteral("Enpty Field")), QStringLiteral("Please enter the name"));
        QCOMPARE(lyntra_test::press_ok(QStringLiteral("Enpty Field")), 1);
        QCOMPARE(menus.scenes[3].menu->title(), QStringLiteral("Empty Name"));
        rename(10, QStringLiteral("Drums & Bass"), true); // the last slot
        rename(5, QStringLiteral("Sunday service, band and choir on radios"), true);
        QCOMPARE(menus.scenes[4].menu->title(), QStringLiteral("Sunday service, band and choir o"));
        rename(6, QStringLiteral("Not taken"), false);

        // A slot that cannot be written or read says so.
        QVERIFY(QDir().mkpath(SceneStore(rig->settings).slotPath(8) + "/in-the-way"));
        menus.scenes[7].save->trigger();
        QVERIFY(shownText(panel).startsWith("The scene memory could not be saved."));
        QCOMPARE(lyntra_test::press_ok(panel), 1);
        QFile huge(SceneStore(rig->settings).slotPath(9));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(17 * 1024 * 1024));
        huge.close();
        menus.scenes[8].load->trigger();
        QVERIFY(shownText(panel).startsWith("The scene memory could not be loaded."));
        QCOMPARE(lyntra_test::press_ok(panel), 1);
        // Nor can a mix whose own file cannot be read take a scene.
        menus.scenes[1].save->trigger();
        const QString main = rig->settings.mainFilePath();
        QVERIFY(QFile::remove(main) && QDir().mkpath(main + "/in-the-way"));
        menus.scenes[1].load->trigger();
        QVERIFY(shownText(panel).startsWith("The scene memory could not be loaded.\n"));
        QCOMPARE(lyntra_test::press_ok(panel), 1);
        const QByteArray shape = rig->window->saveGeometry(); // kept by the window as it goes
        rig.reset();
        QCOMPARE(QSettings("AVENOR", "DUOMIX").value("Window/geometry").toByteArray(), shape);
        rig = std::make_unique<Rig>();
        for (const auto &[slot, title] : {std::pair<int, const char *>{4, "Empty Name"}, {6, "SceneMemory6"},
                                          {10, "Drums && Bass"}})
            QCOMPARE(rig->window->menus().scenes[slot - 1].menu->title(), QLatin1String(title));
        // One that cannot be erased is named; the others go.
        rig->window->menus().initializeMemory->trigger();
        QCOMPARE(lyntra_test::press_ok(panel), 1);
        QVERIFY(shownText(panel).startsWith("Some scene memories could not be erased.\nDUOMIX_sm8.ini: "));
        QCOMPARE(lyntra_test::press_ok(panel), 1);
        QCOMPARE(rig->window->menus().scenes[3].menu->title(), QStringLiteral("SceneMemory4"));
    }

    // A level changed elsewhere (undo, a remote client) moves the monitor dialog's fader for the
    // target it shows, and a change to another target does not.
    void monitorDialogShowsItsTargetOnly()
    {
        Rig rig;
        auto *routing = rig.window->findChild<RoutingSection *>();
        routing->on_pB_MoniconEnable_released();
        mixer::MonitorModel &model = routing->monitorModel();
        auto *box = routing->monitor()->findChild<QDoubleSpinBox *>(QStringLiteral("dSB_mcMono1View"));
        const int shown = model.target();
        model.setLeftLevel(shown == 0 ? 1 : 0, -20.0);
        QCOMPARE(box->value(), 0.0);
        model.setLeftLevel(shown, -31.0);
        QCOMPARE(box->value(), -31.0);
        // Another target taken shows its own link and levels.
        model.setLink(shown == 0 ? 1 : 0, true);
        model.selectTarget(shown == 0 ? 1 : 0);
        const auto *link = routing->monitor()->findChild<QPushButton *>(QStringLiteral("pB_mcLink"));
        QVERIFY(link->isChecked());
        QCOMPARE(box->value(), -20.0);
        // A link changed elsewhere (undo, a scene, remote control) shows for the shown target only.
        model.setLink(model.target(), false);
        QVERIFY(!link->isChecked());
        model.setLink(shown, true);
        QVERIFY(!link->isChecked());
    }

    // The Help menu's pages open in the browser for the model in use.
    void helpPages()
    {
        Rig rig;
        rig.identify(QStringLiteral("LYNTRA K2"));
        lyntra_test::UrlRecorder browser;
        rig.window->menus().productInformation->trigger();
        rig.window->menus().faqs->trigger();
        QCOMPARE(browser.urls.size(), 2);
        QCOMPARE(browser.urls.at(0).path(), QStringLiteral("/int/product/LYNTRA_K2/top"));
        QCOMPARE(browser.urls.at(1).path(), QStringLiteral("/int/product/LYNTRA_K2/faq"));
    }

    void progressWindow()
    {
        Rig rig;
        rig.window->openProgressWindow(QStringLiteral("Now Loading..."));
        QWidget *shown = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("progressWindow"))
                shown = w;
        QVERIFY(shown && shown->isVisible() && !rig.window->menuBar()->isEnabled());
        auto *bar = shown->findChild<QProgressBar *>();
        for (int second = 1; second <= 9; ++second) {
            rig.window->timerInterrupt_1000ms();
            QCOMPARE(bar->value(), second);
            QVERIFY(shown->isVisible());
        }
        rig.window->timerInterrupt_1000ms();
        QVERIFY(!shown->isVisible() && rig.window->menuBar()->isEnabled());
    }

    void updateRequest()
    {
        Rig rig;
        rig.settings.setValue(settings::key::SoftDialog, QStringLiteral("1.01"));
        rig.settings.setValue(settings::key::FirmDialog, QStringLiteral("2.00"));
        rig.window->menus().update->setEnabled(true);
        QSignalSpy check(rig.window.get(), &MainWindow::sig_updateCheckRequested);
        rig.window->menus().update->trigger();
        QCOMPARE(check.count(), 1);
        QVERIFY(!rig.window->menus().update->isEnabled());
        QCOMPARE(rig.settings.value(settings::key::SoftDialog), QString());
        QCOMPARE(rig.settings.value(settings::key::FirmDialog), QString());
    }

    void licence()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("LICENSE.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xc2\xa9 A\fB\n\fC\f");
        file.close();
        QString loaded;
        QVERIFY(LicenseDialog::loadText(file.fileName(), loaded));
        QCOMPARE(loaded, QString::fromUtf8("\xc2\xa9 AB\nC")); // form feeds removed
        // The text fills the window, whatever its length.
        QPointer<LicenseDialog> shown = LicenseDialog::present(nullptr, file.fileName());
        QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
        QCOMPARE(QApplication::activeModalWidget(), shown.data()); // the panel waits until it is closed
        auto *text = shown->findChild<QTextEdit *>("licenseText");
        QVERIFY(text && shown->rect().marginsRemoved(QMargins(12, 12, 12, 12)).intersected(text->geometry()) ==
                            shown->rect().marginsRemoved(QMargins(12, 12, 12, 12)));
        // It is there to be read: keys change nothing.
        QTest::keyClicks(text, "xy");
        QTest::keyClick(text, Qt::Key_Backspace);
        QCOMPARE(text->toPlainText(), loaded);
        shown->close(); // and gone once closed, however often it is opened
        QTRY_VERIFY(shown.isNull());
        QCOMPARE(LicenseDialog::present(nullptr, QStringLiteral(":/Resource/no-such-licence.txt")), nullptr);
        const QList<QMessageBox *> boxes = shown_boxes(QStringLiteral("File Missing!"));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first()->text(),
                 QStringLiteral("There is a possibility that the file has been moved or deleted."));
        QCOMPARE(lyntra_test::press_ok(QStringLiteral("File Missing!")), 1);
    }

    // Drawings by their side and colour; "@2x" files are finer drawings of the size in their name.
    void applicationIcon_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("side");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("its own size") << 16 << 16 << QColor(Qt::red);
        QTest::newRow("drawn for it beats an enlargement") << 32 << 32 << QColor(Qt::green);
        QTest::newRow("only a finer drawing has it") << 64 << 64 << QColor(Qt::yellow);
        QTest::newRow("between sizes: the next larger, reduced") << 24 << 24 << QColor(Qt::green);
        QTest::newRow("below all") << 8 << 8 << QColor(Qt::red);
        QTest::newRow("beyond all: the largest, enlarged") << 100 << 100 << QColor(Qt::yellow);
    }
    void applicationIcon()
    {
        QFETCH(int, asked);
        QFETCH(int, side);
        QFETCH(QColor, colour);
        QTemporaryDir dir;
        const auto draw = [&](const QString &name, int pixels, Qt::GlobalColor c) {
            QImage image(pixels, pixels, QImage::Format_ARGB32);
            image.fill(c);
            return QDir(dir.path()).mkpath(QFileInfo(name).path()) && image.save(dir.filePath(name));
        };
        QVERIFY(draw("16/a.png", 16, Qt::red) && draw("32/a.png", 32, Qt::green));
        QVERIFY(draw("16/a@2x.png", 32, Qt::blue) && draw("32/a@2x.png", 64, Qt::yellow));
        const QIcon icon = fileIcon(dir.path());
        // The window system is offered the drawn sizes only, each as often as it is drawn.
        QList<QSize> offered = icon.availableSizes();
        std::sort(offered.begin(), offered.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(offered, (QList<QSize>{{16, 16}, {32, 32}}));
        const QImage got = icon.pixmap(asked, asked).toImage();
        QCOMPARE(got.size(), QSize(side, side));
        QCOMPARE(got.pixelColor(side / 2, side / 2), colour);
    }

private:
    std::unique_ptr<Rig> guarded_; // the window of pageGuard's rows
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
