// The window with its device worker against the real virtual unit, edited as a user edits: a fader drag,
// a mute, a solo, the low-cut filter, a link and a scene load undone and redone (each checked at the unit
// and in the store, and named in the Edit menu); a scene exported and imported into an empty panel;
// damaged and foreign scene files refused without a change, and the groups outside the mix left out of an
// import.
#include "confighome.h"
#include "idledevice.h"
#include "qixdevice.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "resources.h"
#include "routingsection.h"
#include "scenefiles.h"
#include "settings.h"
#include "shownboxes.h"
#include "storedmix.h"
#include "tracks.h"
#include "undohistory.h"
#include "virtualunit.h"

#include <QAbstractButton>
#include <QAction>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace lyntra_test;

namespace {

const QString kImportTitle = QStringLiteral("Import Scene");

// A fresh unit and the window talking to it through the device worker, set up and on the mixer page.
struct Rig {
    VirtualUnit unit;
    QIXDevice device;
    Settings settings;
    std::unique_ptr<MainWindow> window;

    bool start()
    {
        settings.setValue(settings::key::InformationDialog, true);
        if (!unit.start({"--model", "K2", "--rate", "48000"}))
            return false;
        window = std::make_unique<MainWindow>(device, settings);
        window->show();
        const auto *rate = window->findChild<QLabel *>(QStringLiteral("label_IntSampleRate"));
        // Set up once the rate shows and the stored mix has reached the unit.
        return wait_until([&] { return !rate->text().isEmpty() && unit.at("fader.input.0").isDouble(); });
    }
    ~Rig()
    {
        window.reset();
        device.shutdown(kPatienceMs);
    }

    template <typename W = QWidget> W *find(const QString &name) const
    {
        W *w = window->findChild<W *>(name);
        if (!w)
            qWarning("no widget %s", qPrintable(name));
        return w;
    }
    MainMenus &menus() { return window->menus(); }
    QUndoStack &steps() { return window->history().stack(); }
    SceneFiles &files() { return *window->findChild<SceneFiles *>(); }
    QVariant stored(const char *group, const char *key)
    {
        return settings.value(QLatin1String(group), QLatin1String(key));
    }
    // The slider dragged as the mouse drags it: pressed, moved through `positions`, released.
    void drag(const QString &slider, const QList<int> &positions)
    {
        auto *s = find<QSlider>(slider);
        s->setSliderDown(true);
        for (int p : positions)
            s->setSliderPosition(p);
        s->setSliderDown(false);
    }
};

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

} // namespace

class TestEditing : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(VirtualUnit::available(), qPrintable(VirtualUnit::program()));
        qputenv("LYNTRA_UNIT", "virtual");
        lyntra_init_resources();
    }

    // One drag through several positions is one step; undo and redo take the unit, the store and the
    // slider back and forth; the Edit menu names the step and a drag back to the start leaves none.
    void faderDragUndoneAndRedone()
    {
        Rig &rig = shared();
        QVERIFY(rig.window);
        const int before = rig.steps().count();
        rig.drag("vS_FaderKnob3", {75, 66, 60, 55}); // 55: -9.1 dB
        QVERIFY(rig.unit.await("fader.input.2", -91));
        QCOMPARE(rig.steps().count(), before + 1);
        QCOMPARE(rig.menus().undo->text(), QStringLiteral("Undo IN 3 fader"));
        QVERIFY(!rig.menus().redo->isEnabled());

        rig.menus().undo->trigger();
        QVERIFY(rig.unit.await("fader.input.2", 0));
        QCOMPARE(rig.stored("Track3", "Fader").toDouble(), 0.0);
        QCOMPARE(rig.find<QSlider>("vS_FaderKnob3")->value(), 80);
        QCOMPARE(rig.menus().redo->text(), QStringLiteral("Redo IN 3 fader"));

        rig.menus().redo->trigger();
        QVERIFY(rig.unit.await("fader.input.2", -91));
        QCOMPARE(rig.stored("Track3", "Fader").toDouble(), -9.1);
        QCOMPARE(rig.find<QDoubleSpinBox>("dSB_faderDisplay3")->value(), -9.1);

        // Two drags are two steps; a drag that ends where it began is none.
        rig.drag("vS_FaderKnob3", {40});
        rig.drag("vS_FaderKnob4", {70, 80});
        QCOMPARE(rig.steps().count(), before + 2);
        QCOMPARE(rig.steps().undoText(), QStringLiteral("IN 3 fader"));

        // One drag however long the hand rests mid-drag, on a strip as in the monitor dialog; a key after
        // the drag is a step of its own.
        auto *routing = rig.window->findChild<RoutingSection *>();
        QVERIFY(routing);
        routing->on_pB_MoniconEnable_released();
        auto *monitor = routing->monitor()->findChild<QSlider *>(QStringLiteral("vS_mcStereo"));
        QVERIFY(monitor);
        int steps = before + 2;
        for (QSlider *fader : {rig.find<QSlider>("vS_FaderKnob5"), monitor}) {
            fader->setSliderDown(true);
            fader->setSliderPosition(70);
            QTest::qWait(UndoHistory::kBurstIdleMs + 100);
            fader->setSliderPosition(50);
            fader->setSliderDown(false);
            QCOMPARE(rig.steps().count(), ++steps);
            QTest::keyClick(fader, Qt::Key_Up);
            QCOMPARE(rig.steps().count(), ++steps);
        }
        // Redone, the drag of both sides together leaves the right one where it ended, not where it rested.
        for (QAction *step : {rig.menus().undo, rig.menus().undo, rig.menus().redo})
            step->trigger();
        QCOMPARE(routing->monitor()->findChild<QSlider *>(QStringLiteral("vS_mcMono2"))->value(), 50);
    }

    // A knob turned with the mouse is one step from press to release, and a key pressed on it just
    // before or afterwards is a step of its own: a release that left the gesture open would fold it in. So
    // is an EQ gain's reset by a double-click, which a key's burst must not take in.
    void knobKeyDragKeyAreThreeSteps_data()
    {
        QTest::addColumn<QString>("knob");
        QTest::addColumn<QPoint>("move"); // away from where the knob starts
        QTest::addColumn<int>("key");     // onwards the same way
        QTest::addColumn<QString>("step");
        QTest::newRow("editor") << "label_HighGainKnob" << QPoint(0, 10) << int(Qt::Key_Down) << "IN 1 EQ high gain";
        QTest::newRow("reverb") << "label_ReverbTimeKnob" << QPoint(0, -10) << int(Qt::Key_Up) << "Reverb time";
        QTest::newRow("send") << "label_Send2Knob5" << QPoint(0, -10) << int(Qt::Key_Up) << "IN 5 aux 2 send";
        QTest::newRow("pan") << "label_panKnob4" << QPoint(3, 0) << int(Qt::Key_Right) << "IN 4 pan";
    }
    void knobKeyDragKeyAreThreeSteps()
    {
        QFETCH(QString, knob);
        QFETCH(QPoint, move);
        QFETCH(int, key);
        QFETCH(QString, step);
        Rig &rig = shared();
        QVERIFY(rig.window);
        rig.menus().mixerPage->trigger();
        // The editor's knobs work on a selected strip.
        rig.find<QAbstractButton>(mixer::widgetName(mixer::WidgetKind::Select, mixer::monoRef(1)))->click();
        QWidget *w = rig.find(knob);
        QVERIFY(w);
        const int before = rig.steps().index();
        QTest::keyClick(w, Qt::Key(key));
        QPoint at = w->rect().center();
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        for (int moves = 0; moves < 3; ++moves) {
            at += move;
            QMouseEvent event(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(w, &event);
        }
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
        QCOMPARE(rig.steps().index(), before + 2);
        QCOMPARE(rig.steps().undoText(), step);
        QTest::keyClick(w, Qt::Key(key));
        const bool gain = knob == "label_HighGainKnob";
        if (gain)
            QTest::mouseDClick(w, Qt::LeftButton);
        QCOMPARE(rig.steps().index(), before + 3 + int(gain));
        for (int steps = 3 + int(gain); steps > 0; --steps)
            rig.menus().undo->trigger();
    }

    // A switch is a step by itself; a solo's undo brings back every mute it changed.
    void switchesUndoneAndRedone()
    {
        Rig &rig = shared();
        QVERIFY(rig.window);
        auto *mute5 = rig.find<QAbstractButton>("pB_Mute5");
        mute5->click();
        QVERIFY(rig.unit.await("mute.input.4", 1));
        QCOMPARE(rig.menus().undo->text(), QStringLiteral("Undo IN 5 mute"));
        rig.find<QAbstractButton>("pB_Solo3")->click();
        QVERIFY(rig.unit.await("mute.input.0", 1));
        QCOMPARE(rig.menus().undo->text(), QStringLiteral("Undo IN 3 solo"));

        rig.menus().undo->trigger(); // the solo: every track as before it, track 5 still muted
        QVERIFY(rig.unit.await("mute.input.0", 0));
        for (int track = 1; track <= 20; ++track) {
            const int muted = track == 5 ? 1 : 0;
            QVERIFY2(rig.unit.await(QStringLiteral("mute.input.%1").arg(track - 1), muted), qPrintable(QString::number(track)));
            QCOMPARE(rig.settings.value(QStringLiteral("Track%1").arg(track), QStringLiteral("Mute")).toBool(),
                     bool(muted));
        }
        QVERIFY(!rig.find<QAbstractButton>("pB_Solo3")->isChecked());
        rig.menus().undo->trigger(); // the mute
        QVERIFY(rig.unit.await("mute.input.4", 0) && !mute5->isChecked() && !rig.stored("Track5", "Mute").toBool());
        rig.menus().redo->trigger();
        QVERIFY(rig.unit.await("mute.input.4", 1) && mute5->isChecked() && rig.stored("Track5", "Mute").toBool());

        // The low-cut filter's undo brings back the low gain the filter replaced.
        rig.find<QAbstractButton>("pB_EQ6")->click();
        rig.find<QAbstractButton>("pB_Analog6")->click();
        const QJsonValue flat = rig.unit.at("eq.5.0.gain");
        QTest::keyClick(rig.find("label_LowGainKnob"), Qt::Key_PageUp);
        QVERIFY(wait_until([&] { return rig.unit.at("eq.5.0.gain") != flat; }));
        const QJsonValue raised = rig.unit.at("eq.5.0.gain");
        rig.find<QAbstractButton>("pB_LowCutFilter")->click();
        QVERIFY(rig.unit.await("eq.5.0.gain", 255));
        rig.menus().undo->trigger();
        QVERIFY(rig.unit.await("eq.5.0.gain", raised.toInt()));
        QVERIFY(!rig.find<QAbstractButton>("pB_LowCutFilter")->isChecked());
        QVERIFY(!rig.stored("Track6", "EqLowCutFilter").toBool());
        rig.menus().redo->trigger();
        QVERIFY(rig.unit.await("eq.5.0.gain", 255));
        rig.find<QAbstractButton>("pB_LowCutFilter")->click(); // off again: the low gain at its bottom
        QVERIFY(rig.unit.await("eq.5.0.gain", 0));
        rig.menus().undo->trigger();
        QVERIFY(rig.unit.await("eq.5.0.gain", 255));
    }

    // Linking copies the odd side's fader to the even one; undone, both sides are as they were.
    void linkUndoneWithTheEvenSide()
    {
        Rig &rig = shared();
        rig.drag("vS_FaderKnob8", {55}); // -9.1 dB; IN 7 stays at 0 dB
        QVERIFY(rig.unit.await("fader.input.7", -91));
        rig.find<QAbstractButton>("pB_LinkOn7_8")->click();
        QVERIFY(rig.unit.await("fader.input.7", 0));
        QCOMPARE(rig.menus().undo->text(), QStringLiteral("Undo IN 7-8 link"));
        rig.menus().undo->trigger();
        QVERIFY(rig.unit.await("fader.input.7", -91));
        QVERIFY(!rig.stored("Track7_8", "Link").toBool() && !rig.find<QAbstractButton>("pB_LinkOn7_8")->isChecked());
        QCOMPARE(rig.find<QDoubleSpinBox>("dSB_faderDisplay8")->value(), -9.1);
    }

    // A scene load is one step: undo puts the mix from before it into the unit and the store, redo the
    // scene again.
    void sceneLoadUndoneAndRedone()
    {
        Rig &rig = shared();
        QVERIFY(rig.window);
        rig.find<QAbstractButton>("pB_Phase7")->click();
        rig.drag("vS_FaderKnob1", {55});
        rig.menus().scenes[1].save->trigger();
        rig.menus().undo->trigger();
        rig.menus().undo->trigger();
        rig.find<QAbstractButton>("pB_Mute2")->click();
        QVERIFY(rig.unit.await("mute.input.1", 1));
        const int before = rig.steps().count();

        rig.menus().scenes[1].load->trigger();
        QCOMPARE(rig.steps().count(), before + 1);
        QCOMPARE(rig.menus().undo->text(), QStringLiteral("Undo Load SceneMemory2"));
        const auto scene = [&] {
            return rig.unit.await("fader.input.0", -91) && rig.unit.await("phase.6", 1) &&
                   rig.unit.await("mute.input.1", 0) && rig.stored("Track1", "Fader").toDouble() == -9.1 &&
                   !rig.stored("Track2", "Mute").toBool();
        };
        QVERIFY(scene());
        for (int second = 0; second < 10; ++second)
            rig.window->timerInterrupt_1000ms();
        QVERIFY(rig.window->menuBar()->isEnabled());
        rig.menus().undo->trigger();
        // Putting the old mix back settles like a load: the menus wait for it.
        QVERIFY(!rig.window->menuBar()->isEnabled());
        QVERIFY(rig.unit.await("fader.input.0", 0) && rig.unit.await("phase.6", 0) &&
                rig.unit.await("mute.input.1", 1));
        QCOMPARE(rig.stored("Track1", "Fader").toDouble(), 0.0);
        QVERIFY(rig.stored("Track2", "Mute").toBool() && rig.find<QAbstractButton>("pB_Mute2")->isChecked());
        rig.menus().redo->trigger();
        QVERIFY(scene() && !rig.find<QAbstractButton>("pB_Mute2")->isChecked());
    }

    // Files that are no scene of this panel: refused with a box that says why; the main file, the unit
    // and the undo history stay as they were.
    void damagedOrForeignFilesRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("why");
        QTest::newRow("empty") << QByteArray("\n  \n") << "It is empty.";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "not a text file";
        QTest::newRow("prose") << QByteArray("[Track3]\nFader=-3\nDear friend, here is my mix\n")
                               << "Line 3 is not a setting";
        QTest::newRow("another program's settings")
            << QByteArray("[General]\nfoo=bar\n[Update]\nJsonUrl=http://example.invalid/\n")
            << "It holds no mix of this panel.";
        QTest::newRow("a value of the wrong kind") << QByteArray("[Track3]\nMute=true\nFader=loud\n")
                                                   << "It is damaged: Track3/Fader holds \"loud\".";
        QTest::newRow("a key the reader refuses") << QByteArray("[Track3]\nMute\\=true\n")
                                                  << "It is damaged.";
        QTest::newRow("far too large") << QByteArray("[Track3]\n") + QByteArray(1100 * 1024, ';')
                                       << "It is far too large to be a scene.";
        QTest::newRow("damaged in its last byte at the size limit") // read to its end, not one byte short
            << QByteArray("[Track3]\n" + QByteArray(1024 * 1024 - 19, ';') + "\nFader=-3x") << "holds \"-3x\".";
    }
    void damagedOrForeignFilesRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("friend.lyntrascene"));
        QVERIFY(writeFile(path, content));
        Rig &rig = shared();
        QVERIFY(rig.window);
        rig.settings.sync();
        const QByteArray main = fileBytes(rig.settings.mainFilePath());
        const int steps = rig.steps().count();
        // What the unit holds of track 3 once the panel's start has reached it.
        QVERIFY(!beforeRefused_.isEmpty() || wait_until([&] {
            beforeRefused_ = rig.unit.state();
            return json_at(beforeRefused_, "fader.input.2").isDouble() && json_at(beforeRefused_, "mute.input.2").isDouble();
        }));

        QVERIFY(!rig.files().importFrom(path));
        const QList<QMessageBox *> boxes = shown_boxes(kImportTitle);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0]->text().contains(QStringLiteral("friend.lyntrascene cannot be imported.")) &&
                     boxes[0]->text().contains(why),
                 qPrintable(boxes[0]->text()));
        QCOMPARE(press_ok(kImportTitle), 1);
        QCOMPARE(rig.steps().count(), steps);
        rig.settings.sync();
        QCOMPARE(fileBytes(rig.settings.mainFilePath()), main);
    }
    // None of them sent anything: the link goes on polling, and the unit holds what it held before.
    void refusedFilesReachNothing()
    {
        Rig &rig = shared();
        const int messages = rig.unit.at("messages").toInt();
        QVERIFY(wait_until([&] { return rig.unit.at("messages").toInt() > messages + 5; }));
        // The files hold track 3's fader and mute.
        for (const char *key : {"mute.input.2", "fader.input.2"})
            QCOMPARE(rig.unit.at(QLatin1String(key)), json_at(beforeRefused_, QLatin1String(key)));
    }

    // A file with groups outside the mix: its mix is taken, the update address, the remembered answers,
    // the clock and anything else in it are not, and what the panel holds of those stays.
    void groupsOutsideTheMixLeftOut()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mixed.lyntrascene"));
        QVERIFY(writeFile(path, "[Update]\nJsonUrl=http://example.invalid/evil.json\n"
                                "[Misc]\nInformation_Dialog=false\n"
                                "[Remote]\nEnabled=true\nPort=9000\n"
                                "[Interface]\nSampleClockSourceId=3\n"
                                "[Track3]\nFader=-12.5\nMute=true\n"));
        Rig &rig = shared();
        QVERIFY(rig.window);
        rig.settings.writeClock(QStringLiteral("SampleClockSourceId"), 1);
        rig.settings.sync();
        const QString clockFile =
            QFileInfo(rig.settings.mainFilePath()).absolutePath() + QStringLiteral("/DUOMIX_Setting_ClockSource.ini");
        const QByteArray clock = fileBytes(clockFile);
        QVERIFY(rig.files().importFrom(path));
        QVERIFY(rig.unit.await("fader.input.2", -125) && rig.unit.await("mute.input.2", 1));
        rig.settings.sync();
        const QSettings main(rig.settings.mainFilePath(), QSettings::IniFormat);
        for (const char *key : {"Update/JsonUrl", "Remote/Enabled", "Remote/Port", "Interface/SampleClockSourceId"})
            QVERIFY2(!main.contains(QLatin1String(key)), key);
        QCOMPARE(main.value(QStringLiteral("Misc/Information_Dialog")).toBool(), true);
        QCOMPARE(fileBytes(clockFile), clock);
        QCOMPARE(rig.unit.at("clock_source").toInt(), 1);
    }

    // The stored mix exported, then imported into a panel that starts empty on a fresh unit: the unit
    // holds it value for value and the window shows it; the import is one step, undone to the defaults.
    // Last: panels of their own, the shared one gone.
    void exportImportedIntoAnEmptyPanel()
    {
        shared_.reset();
        lyntra_test::clear_config_home();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("gig.lyntrascene"));
        QVERIFY(writeStoredMix());
        { // the mix is the panel's from its start; no unit is needed to save it
            IdleDevice device;
            Settings settings;
            MainWindow window(device, settings);
            // Through the dialog: the home without Documents, a name to keep, the suffix added to
            // the one typed; the next dialog opens where the file went, or above it once that is gone.
            const auto dialog = [&](const char *action) {
                if (!QTest::qWaitFor([&] { return !window.findChild<QFileDialog *>(); }))
                    return static_cast<QFileDialog *>(nullptr);
                window.findChild<QAction *>(QLatin1String(action))->trigger();
                QFileDialog *shown = window.findChild<QFileDialog *>();
                return shown && shown->isVisible() ? shown : nullptr;
            };
            QFileDialog *save = dialog("actionExportScene");
            QVERIFY(save);
            QCOMPARE(save->selectedFiles(), QStringList{QDir::home().filePath(QStringLiteral("Scene.lyntrascene"))});
            const QString sub = dir.filePath(QStringLiteral("sub"));
            QVERIFY(QDir().mkdir(sub));
            save->setDirectory(sub);
            save->selectFile(QStringLiteral("gig"));
            static_cast<QDialog *>(save)->accept();
            QVERIFY(QFile::copy(sub + QStringLiteral("/gig.lyntrascene"), path));
            // Saved again under that name: the file is replaced only once the user says so.
            QFileDialog *over = dialog("actionExportScene");
            int asked = 0; // the file dialog's own question, gone only when the dialog's wait for it ends
            QTimer::singleShot(0, [&] { asked = shown_boxes(over->windowTitle()).size(); });
            QTimer::singleShot(0, [&] { press(over->windowTitle(), QMessageBox::No); });
            over->selectFile(QStringLiteral("gig"));
            static_cast<QDialog *>(over)->accept();
            QCOMPARE(asked, 1);
            over->reject();
            QFileDialog *again = dialog("actionImportScene");
            QCOMPARE(again->directory().absolutePath(), sub);
            again->reject();
            QVERIFY(QDir(sub).removeRecursively());
            QFileDialog *above = dialog("actionImportScene");
            QCOMPARE(above->directory().absolutePath(), dir.path());
            QCOMPARE(above->selectedFiles(), QStringList());
        }
        lyntra_test::clear_config_home();
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(!rig.menus().undo->isEnabled() && !rig.menus().redo->isEnabled()); // nothing done yet
        rig.menus().importScene->trigger(); // the file chosen in the dialog is the one imported
        auto *open = rig.window->findChild<QFileDialog *>();
        QVERIFY(open);
        open->selectFile(path);
        static_cast<QDialog *>(open)->accept();
        QCOMPARE(rig.steps().count(), 1);
        QVERIFY(!rig.window->menuBar()->isEnabled()); // held by the progress window while the mix goes out
        QCOMPARE(rig.menus().undo->text(), QStringLiteral("Undo Import gig"));
        QString missing;
        QVERIFY2(wait_until([&] { return (missing = storedMixMissing(rig.unit.state())).isEmpty(); }),
                 qPrintable(missing));
        QCOMPARE(storedMixNotShown(*rig.window), QString());
        rig.menus().undo->trigger();
        QVERIFY(rig.unit.await("fader.input.0", 0) && rig.unit.await("mute.master.0", 0));
    }

private:
    // One panel for the edits, each starting from what the one before left; started on first use.
    Rig &shared()
    {
        if (!shared_) {
            shared_ = std::make_unique<Rig>();
            if (!shared_->start())
                shared_->window.reset();
        }
        return *shared_;
    }
    std::unique_ptr<Rig> shared_;
    QJsonObject beforeRefused_; // the unit before the first refused file
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
