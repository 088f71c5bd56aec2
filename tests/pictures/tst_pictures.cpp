// The window as drawn, compared with reference pictures: every page of both models at two rates, a
// strip in the editor with its curves, meters held at fixed levels with a lit peak lamp, the monitor
// dialog, a box, and the Japanese window. The window runs in-process with its device worker against the
// real virtual unit; nothing is drawn until what it shows has stopped moving.
#include "qixdevice.h"
#include "mainmenus.h"
#include "mainwindow.h"
#include "picturecheck.h"
#include "resources.h"
#include "settings.h"
#include "shownboxes.h"
#include "storedmix.h"
#include "tracks.h"
#include "translations.h"
#include "virtualunit.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QStackedWidget>
#include <QtTest>

using namespace lyntra_test;

enum class Shows { Interface, Mixer, Routing, Monitor, InitializeBox };
Q_DECLARE_METATYPE(Shows)

namespace {


// The pages a fresh window reaches from the interface page, by the buttons a user clicks.
const char *pageButton(Shows shows)
{
    return shows == Shows::Interface ? nullptr
           : shows == Shows::Mixer   ? "pB_ToMixerFromInterface"
                                     : "pB_ToOutputFromInterface";
}

// What is on screen, grabbed until three grabs in a row agree (bars settled, lamps steady).
QImage settled(const std::function<QWidget *()> &shown)
{
    QImage last;
    int same = 0;
    wait_until([&] {
        QWidget *w = shown();
        const QImage now = w ? w->grab().toImage() : QImage();
        same = !now.isNull() && now == last ? same + 1 : 0;
        last = now;
        QTest::qWait(400);
        return same >= 2;
    });
    return same >= 2 ? last : QImage();
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

QWidget *shownDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog *>(w) && w->isVisible())
            return w;
    return nullptr;
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
    }
    void init() { QDir(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))).removeRecursively(); }

    void window_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<Shows>("shows");
        QTest::newRow("interface-k2-48k") << "K2" << "48000" << Shows::Interface;
        QTest::newRow("interface-k1-192k") << "K1" << "192000" << Shows::Interface;
        QTest::newRow("mixer-k2-48k") << "K2" << "48000" << Shows::Mixer;
        QTest::newRow("mixer-k2-192k") << "K2" << "192000" << Shows::Mixer;
        QTest::newRow("mixer-k1-48k-reverb-off") << "K1" << "48000" << Shows::Mixer;
        QTest::newRow("routing-k2-48k") << "K2" << "48000" << Shows::Routing;
        QTest::newRow("routing-k1-48k") << "K1" << "48000" << Shows::Routing;
        QTest::newRow("monitor-k2-48k") << "K2" << "48000" << Shows::Monitor;
        QTest::newRow("initialize-box") << "K2" << "48000" << Shows::InitializeBox;
    }
    void window() { draw(QTest::currentDataTag()); }

    // Last: the catalogue stays installed for the rest of the program.
    void japanese()
    {
        QVERIFY(installTranslations(*qApp, QLocale(QLocale::Japanese, QLocale::Japan)));
        draw(QStringLiteral("ja-interface"), "K2", "48000", Shows::Interface);
        draw(QStringLiteral("ja-mixer"), "K2", "48000", Shows::Mixer);
        draw(QStringLiteral("ja-routing"), "K2", "48000", Shows::Routing);
    }

private:
    void draw(const QString &name)
    {
        QFETCH(QString, model);
        QFETCH(QString, rate);
        QFETCH(Shows, shows);
        draw(name, model, rate, shows);
    }

    void draw(const QString &name, const QString &model, const QString &rate, Shows shows)
    {
        QVERIFY(writeStoredMix());
        Settings().setValue(settings::key::InformationDialog, true);
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", model, "--rate", rate}));
        QIXDevice device;
        {
            Settings settings;
            MainWindow window(device, settings);
            window.show();
            auto *rateLabel = window.findChild<QLabel *>(QStringLiteral("label_IntSampleRate"));
            QVERIFY(wait_until([&] { return !rateLabel->text().isEmpty(); }));
            QVERIFY(mixSettled(unit));
            holdMeters(unit);
            if (const char *button = pageButton(shows))
                window.findChild<QAbstractButton *>(QLatin1String(button))->click();
            if (shows == Shows::Mixer)
                selectLinkedPair(window);
            if (name.endsWith(QLatin1String("reverb-off"))) // the diagram drawn inactive
                window.findChild<QAbstractButton *>(QStringLiteral("pB_masterReverb"))->click();
            if (shows == Shows::Monitor)
                window.findChild<QAbstractButton *>(QStringLiteral("pB_MoniconEnable"))->click();
            if (shows == Shows::InitializeBox)
                window.menus().initialize->trigger();
            const bool dialog = shows == Shows::Monitor || shows == Shows::InitializeBox;
            const QImage drawn = settled([&]() -> QWidget * { return dialog ? shownDialog() : &window; });
            QVERIFY2(!drawn.isNull(), "the picture never stopped moving");
            const QString mismatch = comparePicture(drawn, name);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
            if (QWidget *d = shownDialog())
                d->close();
        }
        QVERIFY(device.shutdown(kPatienceMs));
    }

    // Levels spread over the inputs, the first over the top (its peak lamp lit), and nothing moves.
    static void holdMeters(VirtualUnit &unit)
    {
        unit.control("set freeze on");
        for (int input = 1; input <= 20; ++input) {
            const int level = input == 1 ? 32768 : 32768 * (21 - input) / 24;
            unit.control("set level " + QByteArray::number(input) + ' ' + QByteArray::number(level));
        }
    }

    // The stored mix links inputs 1-2 with a compressor and EQ set up: the editor draws both curves.
    static void selectLinkedPair(MainWindow &window)
    {
        const QString select = mixer::widgetName(mixer::WidgetKind::Select, mixer::pairRef(1));
        window.findChild<QAbstractButton *>(select)->click();
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
