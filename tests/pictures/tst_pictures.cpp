// The window as drawn, compared with reference pictures: every page of both models at two rates, a
// strip in the editor with its curves, meters held at fixed levels with a lit peak lamp, the monitor
// dialog, a question box, the update offer and the Japanese window; and what the screen shows after
// changes, against a fresh drawing. The window runs in-process with its device worker against the real
// virtual unit; nothing is drawn until what it shows has stopped moving.
#include "confighome.h"
#include "qixdevice.h"
#include "downloadwindow.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "pairstrip.h"
#include "informationbox.h"
#include "picturecheck.h"
#include "progresswindow.h"
#include "screenfit.h"
#include "resources.h"
#include "settings.h"
#include "shownboxes.h"
#include "storedmix.h"
#include "tracks.h"
#include "updatetexts.h"
#include "translations.h"
#include "virtualunit.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <algorithm>

using namespace lyntra_test;

namespace {

// What is on screen, grabbed until three grabs in a row, each after at least one more meter tick,
// agree (bars settled, lamps steady).
QImage settled(const std::function<QWidget *()> &shown)
{
    QImage last;
    int same = 0;
    wait_until([&] {
        QWidget *w = shown();
        const QImage now = w ? w->grab().toImage() : QImage();
        same = !now.isNull() && now == last ? same + 1 : 0;
        last = now;
        QTest::qWait(150);
        return same >= 2;
    });
    return same >= 2 ? last : QImage();
}

// What the window system holds of `w`: the sum of the panel's own repaints. A fresh grab() draws
// everything anew, so only this copy shows a part the panel forgot to repaint.
QImage onScreen(QWidget *w)
{
    return w->screen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// Empty once the screen agrees with a fresh drawing of `w` (repaints still due are let through first).
QString screenMismatch(QWidget *w, const QString &name)
{
    const auto fresh = [w] { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    if (wait_until([&] { return onScreen(w) == fresh(); }, 3000))
        return QString();
    return compareImages(onScreen(w), fresh(), name + QStringLiteral("-screen"), QStringLiteral("a fresh drawing"));
}

// The unit's mix once the panel has stopped changing it (the stored mix goes out after set-up).
bool mixSettled(VirtualUnit &unit)
{
    QJsonObject last;
    int same = 0;
    return wait_until([&] {
        QJsonObject now = unit.state();
        now.remove(QStringLiteral("messages"));
        same = now == last ? same + 1 : 0;
        last = now;
        QTest::qWait(300);
        return same >= 3;
    });
}

// The window shown and set up: the rate on show, the stored mix and the panel's clock choice at the unit.
// The offscreen screen is 800 x 600: these pictures are of one with room for the whole window.
bool setUp(MainWindow &window, VirtualUnit &unit)
{
    window.show();
    window.setFixedSize(window.findChild<ScreenFit *>()->natural());
    auto *rate = window.findChild<QLabel *>(QStringLiteral("label_IntSampleRate"));
    return wait_until([&] { return !rate->text().isEmpty(); }) && mixSettled(unit);
}

QWidget *shownDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog *>(w) && w->isVisible())
            return w;
    return nullptr;
}

// Input levels the unit holds still: spread over the inputs, the first over the top (its lamp lit).
int heldLevel(int input)
{
    return input == 1 ? 32768 : 32768 * (21 - input) / 24;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(VirtualUnit::available(), qPrintable(VirtualUnit::program()));
        lyntra_init_resources();
        QApplication::setCursorFlashTime(0); // a blinking caret never settles
        // A painter misused (a restore without its save, painting while inactive) may yet draw the right
        // picture, until the next change draws on its leftovers.
        static const QtMessageHandler next = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext &c,
                                                                       const QString &m) {
            if (m.startsWith(QLatin1String("QPainter")))
                QTest::qFail(qPrintable(m), __FILE__, __LINE__);
            next(t, c, m);
        });
    }
    void init() { lyntra_test::clear_config_home(); }

    // One window per unit, its pictures taken in turn; the name says what is drawn.
    void window_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QStringList>("pictures");
        QTest::newRow("k2-48k") << "K2" << "48000" << QStringList{"interface-k2-48k", "mixer-k2-48k"};
        QTest::newRow("k2-48k-routing") << "K2" << "48000"
                                        << QStringList{"routing-k2-48k", "monitor-k2-48k", "initialize-box"};
        QTest::newRow("k1-192k") << "K1" << "192000" << QStringList{"interface-k1-192k"};
        QTest::newRow("k2-192k") << "K2" << "192000" << QStringList{"mixer-k2-192k"};
        QTest::newRow("k1-48k") << "K1" << "48000"
                                << QStringList{"routing-k1-48k", "mixer-k1-48k-bypass-reverb-off"};
    }
    void window()
    {
        QFETCH(QString, model);
        QFETCH(QString, rate);
        QFETCH(QStringList, pictures);
        draw(model, rate, pictures);
    }

    // Changes while the mixer page is shown, each checked on the screen against a fresh drawing: the
    // curves follow the editor's knobs, and the strips close up or open out when the rate changes at the
    // unit (the blank plate beside them redrawn to its new width).
    void screenFollowsChanges()
    {
        QVERIFY(writeStoredMix());
        Settings().setValue(settings::key::InformationDialog, true);
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2", "--rate", "48000"}));
        QIXDevice device;
        {
            Settings settings;
            MainWindow window(device, settings);
            QVERIFY(setUp(window, unit));
            show(window, QStringLiteral("mixer"));
            for (const char *knob :
                 {"label_LowMidGainKnob", "label_ThresholdKnob", "label_GainKnob", "label_ReverbTimeKnob"}) {
                auto *w = window.findChild<QWidget *>(QLatin1String(knob));
                QTest::keyClick(w, Qt::Key_PageUp);
                const QString stale = screenMismatch(&window, QStringLiteral("mixer-") + QLatin1String(knob));
                QVERIFY2(stale.isEmpty(), qPrintable(stale));
            }
            const QList<PairStrip *> pairs = window.findChildren<PairStrip *>();
            const auto shownPairs = [&] {
                return std::count_if(pairs.begin(), pairs.end(), [](QWidget *p) { return p->isVisible(); });
            };
            for (const auto &[rate, shown] : {std::pair{"96000", 6}, {"192000", 4}, {"96000", 6}, {"48000", 10}}) {
                unit.control(QByteArray("set rate ") + rate);
                QVERIFY2(wait_until([&, shown = shown] { return shownPairs() == shown; }), rate);
                const QString stale = screenMismatch(&window, QStringLiteral("mixer-rate-") + QLatin1String(rate));
                QVERIFY2(stale.isEmpty(), qPrintable(stale));
            }
        }
        QVERIFY(device.shutdown(kPatienceMs));
    }

    // The update offer's box: backdrop, badge, the three lines and the buttons.
    void updateOffer()
    {
        using namespace updatetexts;
        InformationBox box;
        box.firstButton()->setText(text(0, UpdateNow));
        box.secondButton()->setText(text(0, UpdateLater));
        box.checkBox()->setText(text(0, DoNotShowAgain));
        box.setMessage(text(0, NewSoftware) + "<br>" + text(0, CurrentVersion) + "1.0.0<br>" +
                           text(0, LatestVersion) + "1.1.0",
                       InformationBox::OfferLineHeight);
        box.show();
        matches(box, QStringLiteral("update-offer"));
    }

    // The progress window part of the way: backdrop, caption and bar.
    void progressWindow()
    {
        ProgressWindow progress;
        progress.open(QStringLiteral("Scene 1"));
        progress.setRemaining(6);
        matches(progress, QStringLiteral("progress-window"));
    }

    // The download window part of the way: the bar's share of its length.
    void downloadWindow()
    {
        using namespace updatetexts;
        DownloadWindow download(DownloadWindow::Stage::Downloading, text(0, UpdateTitle), text(0, Downloading),
                                text(0, Cancel));
        download.setProgress(40);
        download.show();
        matches(download, QStringLiteral("download-window"));
    }

    // Last: the catalogue stays installed for the rest of the program.
    void japanese()
    {
        QVERIFY(installTranslations(*qApp, QLocale(QLocale::Japanese, QLocale::Japan)));
        draw("K2", "48000", {"ja-interface", "ja-mixer", "ja-routing"});
    }

private:
    void draw(const QString &model, const QString &rate, const QStringList &pictures)
    {
        QVERIFY(writeStoredMix());
        Settings().setValue(settings::key::InformationDialog, true);
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", model, "--rate", rate}));
        QIXDevice device;
        {
            Settings settings;
            MainWindow window(device, settings);
            QVERIFY(setUp(window, unit));
            unit.control("set freeze on");
            for (int input = 1; input <= 20; ++input)
                unit.control("set level " + QByteArray::number(input) + ' ' + QByteArray::number(heldLevel(input)));
            for (const QString &name : pictures) {
                // The bars follow the held levels only once the unit has answered with them.
                QSignalSpy answers(&device, &QIXDevice::sig_recv_meter);
                show(window, name);
                // The bars show the held levels once the unit has answered with them a few times over.
                QVERIFY(!name.contains(QLatin1String("mixer")) || wait_until([&] { return answers.count() >= 50; }));
                const bool dialog = name.startsWith(QLatin1String("monitor")) || name == QLatin1String("initialize-box");
                const QImage drawn = settled([&]() -> QWidget * { return dialog ? shownDialog() : &window; });
                QVERIFY2(!drawn.isNull(), "the picture never stopped moving");
                const QString mismatch = comparePicture(drawn, name);
                QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
                const QString stale = screenMismatch(dialog ? shownDialog() : &window, name);
                QVERIFY2(stale.isEmpty(), qPrintable(stale));
                if (QWidget *d = shownDialog())
                    d->close();
            }
        }
        QVERIFY(device.shutdown(kPatienceMs));
    }

    // Gets the window to what `name` shows as a user would (the interface page is where it starts): the
    // pages through the menu, the monitor dialog from its routing page, the question from the menu.
    static void matches(QWidget &shown, const QString &name)
    {
        const QImage drawn = settled([&] { return &shown; });
        QVERIFY2(!drawn.isNull(), "the picture never stopped moving");
        const QString mismatch = comparePicture(drawn, name);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    static void show(MainWindow &window, const QString &name)
    {
        const auto click = [&](const QString &button) { window.findChild<QAbstractButton *>(button)->click(); };
        if (name.contains(QLatin1String("mixer"))) {
            window.menus().mixerPage->trigger();
            // The stored mix links inputs 1-2 with a compressor and EQ set up: the editor draws both curves.
            click(mixer::widgetName(mixer::WidgetKind::Select, mixer::pairRef(1)));
        }
        if (name.contains(QLatin1String("bypass"))) { // the editor's titles instead of curves
            click(QStringLiteral("pB_Analog5"));
            click(QStringLiteral("pB_Bypass5"));
        }
        if (name.endsWith(QLatin1String("reverb-off"))) // the diagram drawn inactive
            click(QStringLiteral("pB_masterReverb"));
        if (name.contains(QLatin1String("routing")))
            window.menus().routingPage->trigger();
        if (name.startsWith(QLatin1String("monitor")))
            click(QStringLiteral("pB_MoniconEnable"));
        if (name == QLatin1String("initialize-box"))
            window.menus().initialize->trigger();
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
