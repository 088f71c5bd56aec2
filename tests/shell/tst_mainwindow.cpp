// The window in-process against a device object without worker: start-up dialog, presence as the
// window shows it, the page guard, the stored page, the menus, the progress window and the licence.
#include "QIXDevice.h"
#include "licensedialog.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "recordingboxes.h"
#include "settings.h"
#include "weblinks.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// One window with its collaborators, built the way main() builds them.
struct Rig {
    explicit Rig(bool unitPresent = false)
    {
        device.recv_is_selected(unitPresent);
        window = std::make_unique<MainWindow>(device, settings);
    }
    QLabel *label(const char *name) const { return window->findChild<QLabel *>(QLatin1String(name)); }
    QAbstractButton *button(const char *name) const
    {
        return window->findChild<QAbstractButton *>(QLatin1String(name));
    }
    // The unit reports its name and the presence check runs.
    void identify(const QString &name)
    {
        device.recv_is_selected(true);
        emit device.sig_recv_productname(name);
        window->timerInterrupt_100ms();
    }
    int storedPage() { return settings.value(QStringLiteral("Panel"), QStringLiteral("MainWindowPanel")).toInt(); }

    RecordingBoxes boxes;
    QIXDevice device{QIXDevice::NoWorker{}};
    Settings settings;
    std::unique_ptr<MainWindow> window;
};

// Entry texts of `menu` in order, "-" for a separator, submenus as "<title>>".
QStringList entries(const QMenu *menu)
{
    QStringList out;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            out << QStringLiteral("-");
        else if (action->menu())
            out << action->text() + QLatin1Char('>');
        else
            out << action->text();
    }
    return out;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        // Every case starts from empty stores.
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/AVENOR")
            .removeRecursively();
    }

    void informationDialog_data()
    {
        QTest::addColumn<bool>("suppressed");
        QTest::addColumn<bool>("answerChecked");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<bool>("storedAfter");
        QTest::newRow("first start, dismissed") << false << false << 1 << false;
        QTest::newRow("first start, do not show again") << false << true << 1 << true;
        QTest::newRow("suppressed") << true << false << 0 << true;
    }
    void informationDialog()
    {
        QFETCH(bool, suppressed);
        QFETCH(bool, answerChecked);
        QFETCH(int, boxes);
        QFETCH(bool, storedAfter);
        {
            Settings before;
            before.setInformationDialog(suppressed);
        }
        RecordingBoxes recorded;
        recorded.checkAnswer = answerChecked;
        QIXDevice device{QIXDevice::NoWorker{}};
        Settings settings;
        MainWindow window(device, settings);
        QCOMPARE(recorded.titles.count(), boxes);
        if (boxes) {
            QCOMPARE(recorded.titles.first(), QStringLiteral("AVENOR LYNTRA K1/K2 Information"));
            QCOMPARE(recorded.checkLabels.first(), QStringLiteral("Do not show again"));
            QVERIFY(recorded.texts.first().contains(
                weblinks::pageUrl(weblinks::Page::Faq, true, false).toString()));
        }
        QCOMPARE(settings.informationDialog(), storedAfter);
    }

    void startUpState()
    {
        Rig rig;
        QCOMPARE(rig.window->pages()->currentIndex(), 1);
        QCOMPARE(rig.window->pages()->count(), 4);
        QCOMPARE(rig.label("label_IntDriverVersion")->text(), QStringLiteral("1.00 0059"));
        QCOMPARE(rig.window->windowTitle(), QStringLiteral("AVENOR LYNTRA K1/K2 Settings Panel"));
        QCOMPARE(rig.window->minimumSize(), rig.window->maximumSize());
    }

    // Start without a unit is silent; one box per disconnection, however many ticks it lasts.
    void disconnectBoxes_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("boxes");
        QTest::newRow("never connected") << "AAAAAA" << 0;
        QTest::newRow("unplugged once") << "NAAAAAA" << 1;
        QTest::newRow("unplugged, back, unplugged") << "NAAANAA" << 2;
        QTest::newRow("back but unnamed, still away") << "NAAPPAA" << 1;
    }
    void disconnectBoxes()
    {
        QFETCH(QString, script);
        QFETCH(int, boxes);
        Rig rig;
        rig.boxes.clear(); // the start-up information box
        for (const QChar step : script) {
            if (step == QLatin1Char('N')) {
                rig.identify(QStringLiteral("LYNTRA K2"));
            } else {
                rig.device.recv_is_selected(step == QLatin1Char('P'));
                rig.window->timerInterrupt_100ms();
            }
        }
        QCOMPARE(rig.boxes.titles.count(), boxes);
        for (int i = 0; i < boxes; ++i) {
            QCOMPARE(rig.boxes.titles.at(i), QStringLiteral("USB Disconnected"));
            QCOMPARE(rig.boxes.texts.at(i), QStringLiteral("- LYNTRA K1/K2 -\n Please insert USB cable"));
        }
    }

    void disconnectedLook()
    {
        Rig rig;
        rig.identify(QStringLiteral("LYNTRA K2"));
        rig.window->pages()->setCurrentIndex(0);
        rig.device.recv_is_selected(false);
        rig.window->timerInterrupt_100ms();
        QCOMPARE(rig.window->pages()->currentIndex(), 1);
        QCOMPARE(rig.label("label_IntDevice")->text(), QStringLiteral("No Device"));
        QCOMPARE(rig.label("label_IntSampleRate")->text(), QString());
        for (const char *name :
             {"label_IntClockSourceStatus", "label_IntOptAInputStatus", "label_IntOptBInputStatus"}) {
            QCOMPARE(rig.label(name)->text(), QStringLiteral("----------"));
            QCOMPARE(rig.label(name)->styleSheet(),
                     QStringLiteral("QLabel{color : gray; font-size: 18px; font-family: Arial}"));
        }
        QCOMPARE(int(rig.window->state().identification), 0);
    }

    // The field is written once per change: a repeat leaves whatever is shown alone.
    void firmwareFieldRepeat()
    {
        Rig rig;
        QLabel *field = rig.label("label_IntFirmVersion");
        emit rig.device.sig_recv_version(102);
        emit rig.device.sig_recv_build(34);
        QCOMPARE(field->text(), QStringLiteral("1.02 0034"));
        field->setText(QStringLiteral("untouched"));
        emit rig.device.sig_recv_version(102);
        emit rig.device.sig_recv_build(34);
        QCOMPARE(field->text(), QStringLiteral("untouched"));
        emit rig.device.sig_recv_version(0);
        QCOMPARE(field->text(), QStringLiteral("No Device"));
    }

    void pageGuard_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("warned");
        QTest::newRow("mixer, no unit") << "pB_ToMixerFromInterface"
                                        << "" << false << false << 1 << true;
        QTest::newRow("mixer, no unit, Shift") << "pB_ToMixerFromInterface"
                                               << "" << false << true << 0 << false;
        QTest::newRow("mixer, unit") << "pB_ToMixerFromInterface"
                                     << "LYNTRA K2" << true << false << 0 << false;
        QTest::newRow("routing, no unit") << "pB_ToOutputFromInterface"
                                          << "" << false << false << 1 << true;
        QTest::newRow("routing, no unit, Shift") << "pB_ToOutputFromInterface"
                                                 << "" << false << true << 3 << false;
        QTest::newRow("routing K1") << "pB_ToOutputFromInterface"
                                    << "LYNTRA K1" << true << false << 2 << false;
        QTest::newRow("routing K2") << "pB_ToOutputFromInterface"
                                    << "LYNTRA K2" << true << false << 3 << false;
    }
    void pageGuard()
    {
        QFETCH(QString, button);
        QFETCH(QString, device);
        QFETCH(bool, present);
        QFETCH(bool, shift);
        QFETCH(int, page);
        QFETCH(bool, warned);
        Rig rig;
        rig.boxes.clear();
        if (!device.isEmpty())
            rig.identify(device);
        rig.device.recv_is_selected(present);
        if (shift)
            QTest::keyPress(rig.window.get(), Qt::Key_Shift);
        rig.button(button.toLatin1().constData())->click();
        QCOMPARE(rig.window->pages()->currentIndex(), page);
        QCOMPARE(rig.boxes.titles, warned ? QStringList{"AVENOR LYNTRA Settings Panel"} : QStringList{});
        if (warned)
            QCOMPARE(rig.boxes.texts.first(), QStringLiteral("Please connect the device."));
        QCOMPARE(rig.storedPage(), warned ? 365 : page);
        if (shift) {
            QTest::keyRelease(rig.window.get(), Qt::Key_Shift);
            QVERIFY(!rig.window->state().shift_held);
        }
    }

    // The other pages' buttons need no unit; every change is recorded.
    void navigationStored_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("K2 round") << "LYNTRA K2"
                                  << QStringList{"pB_ToOutputFromMixer", "pB_ToMixerFromRoutingK2",
                                                 "pB_ToOutputFromMixer", "pB_ToInformationFromRoutingK2"}
                                  << QList<int>{3, 0, 3, 1};
        QTest::newRow("K1 round") << "LYNTRA K1"
                                  << QStringList{"pB_ToOutputFromMixer", "pB_ToMixerFromRoutingK1",
                                                 "pB_ToInterfaceFromMixer"}
                                  << QList<int>{2, 0, 1};
    }
    void navigationStored()
    {
        QFETCH(QString, model);
        QFETCH(QStringList, presses);
        QFETCH(QList<int>, pages);
        Rig rig;
        rig.identify(model);
        rig.device.recv_is_selected(false); // these buttons do not ask
        rig.window->pages()->setCurrentIndex(0);
        for (int i = 0; i < presses.size(); ++i) {
            rig.button(presses.at(i).toLatin1().constData())->click();
            QCOMPARE(rig.window->pages()->currentIndex(), pages.at(i));
            QCOMPARE(rig.storedPage(), pages.at(i));
        }
    }

    void menus_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("bar") << "" << QStringList{"View>", "SceneMemory>", "Help>"};
        QTest::newRow("View") << "View"
                              << QStringList{"Initialize", "Initialize Reverb", "-", "Minimize", "Close"};
        QStringList scenes;
        for (int n = 1; n <= 10; ++n)
            scenes << QStringLiteral("SceneMemory%1>").arg(n);
        scenes << "-"
               << "Initialize Memory"
               << "-"
               << "Save into the unit";
        QTest::newRow("SceneMemory") << "SceneMemory" << scenes;
        QTest::newRow("a scene") << "SceneMemory/SceneMemory7" << QStringList{"Save", "Load", "-", "Rename"};
        QTest::newRow("Help") << "Help" << QStringList{"- AVENOR Website>", "- Update", "- About ...>"};
        QTest::newRow("Website") << "Help/- AVENOR Website" << QStringList{"Product Information", "FAQs"};
        QTest::newRow("About") << "Help/- About ..." << QStringList{"License"};
    }
    void menus()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, expected);
        Rig rig;
        QMenuBar *bar = rig.window->menuBar();
        if (path.isEmpty()) {
            QStringList titles;
            for (const QAction *a : bar->actions())
                titles << a->text() + QLatin1Char('>');
            QCOMPARE(titles, expected);
            return;
        }
        QList<QAction *> level = bar->actions();
        const QMenu *menu = nullptr;
        for (const QString &title : path.split(QLatin1Char('/'))) {
            menu = nullptr;
            for (QAction *a : level)
                if (a->text() == title)
                    menu = a->menu();
            QVERIFY2(menu, qPrintable(title));
            level = menu->actions();
        }
        QCOMPARE(entries(menu), expected);
    }

    void progressWindow()
    {
        Rig rig;
        rig.window->openProgressWindow(QStringLiteral("Now Loading..."));
        QWidget *shown = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("progressWindow"))
                shown = w;
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->windowTitle(), QStringLiteral("Now Loading..."));
        QCOMPARE(shown->size(), QSize(250, 100));
        QVERIFY(!rig.window->menuBar()->isEnabled());
        auto *bar = shown->findChild<QProgressBar *>();
        for (int second = 1; second <= 9; ++second) {
            rig.window->timerInterrupt_1000ms();
            QCOMPARE(bar->value(), second);
            QVERIFY(shown->isVisible());
        }
        rig.window->timerInterrupt_1000ms();
        QVERIFY(!shown->isVisible());
        QVERIFY(rig.window->menuBar()->isEnabled());
        QCOMPARE(int(rig.window->state().progress_countdown), 0);
    }

    void doUpdate()
    {
        Rig rig;
        rig.settings.setUpdateText(QStringLiteral("SoftDialog"), QStringLiteral("1.01"));
        rig.settings.setUpdateText(QStringLiteral("FirmDialog"), QStringLiteral("2.00"));
        rig.window->menus().update->setEnabled(true);
        QSignalSpy check(rig.window.get(), &MainWindow::sig_updateCheckRequested);
        rig.window->menus().update->trigger();
        QCOMPARE(check.count(), 1);
        QVERIFY(!rig.window->menus().update->isEnabled());
        QCOMPARE(rig.settings.updateText(QStringLiteral("SoftDialog")), QString());
        QCOMPARE(rig.settings.updateText(QStringLiteral("FirmDialog")), QString());
    }

    void webLinks_data()
    {
        QTest::addColumn<bool>("product");
        QTest::addColumn<bool>("small");
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("path");
        QTest::newRow("K1 product int") << true << true << false << "/int/product/LYNTRA_K1/top";
        QTest::newRow("K1 product jp") << true << true << true << "/jp/product/LYNTRA_K1/top";
        QTest::newRow("K2 product int") << true << false << false << "/int/product/LYNTRA_K2/top";
        QTest::newRow("K2 faq jp") << false << false << true << "/jp/product/LYNTRA_K2/faq";
        QTest::newRow("K1 faq int") << false << true << false << "/int/product/LYNTRA_K1/faq";
    }
    void webLinks()
    {
        QFETCH(bool, product);
        QFETCH(bool, small);
        QFETCH(bool, japanese);
        QFETCH(QString, path);
        const QUrl url =
            weblinks::pageUrl(product ? weblinks::Page::Product : weblinks::Page::Faq, small, japanese);
        QCOMPARE(url.path(), path);
        QCOMPARE(url.scheme() + "://" + url.host(), QString::fromLatin1(weblinks::MakerHost));
    }

    void licenseText_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("Terms") << "Terms";
        QTest::newRow("form feeds removed") << QByteArray("A\fB\n\fC\f") << "AB\nC";
        QTest::newRow("utf-8") << QByteArray("\xc2\xa9 AVENOR") << QString::fromUtf8("\xc2\xa9 AVENOR");
    }
    void licenseText()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, text);
        QTemporaryDir dir;
        QFile file(dir.filePath("LICENSE.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QString loaded;
        QVERIFY(LicenseDialog::loadText(file.fileName(), loaded));
        QCOMPARE(loaded, text);
    }

    void licenseMissing()
    {
        RecordingBoxes boxes;
        LicenseDialog::present(nullptr, QStringLiteral(":/Resource/no-such-licence.txt"));
        QCOMPARE(boxes.titles, QStringList{"File Missing!"});
        QCOMPARE(boxes.texts, QStringList{"There is a possibility that the file has been moved or deleted."});
    }

    void geometrySavedAtExit()
    {
        {
            Rig rig;
        }
        QSettings native(QStringLiteral("AVENOR"), QStringLiteral("DUOMIX"));
        QVERIFY(!native.value(QStringLiteral("Window/geometry")).toByteArray().isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
