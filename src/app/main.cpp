// The program entry: one panel per login session and executable; a second start hands over to the
// first and exits.
#include "QIXDevice.h"
#include "mainwindow.h"
#include "qtsingleapplication.h"
#include "quitsignals.h"
#include "settings.h"
#include "milestones.h"

#include "resources.h"

namespace {

constexpr int HandOverTimeoutMs = 5000;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_AUTO_SCREEN_SCALE_FACTOR", "1");
    QtSingleApplication app(argc, argv);
    if (app.isRunning())
        return app.sendMessage(QStringLiteral("Already App is Running!"), HandOverTimeoutMs) ? 0 : 1;

    lyntra_init_resources();
    QuitSignals quitSignals([] {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    QIXDevice device;
    Settings settings;
    int code = 0;
    {
        MainWindow window(device, settings);
        app.setActivationWindow(&window, true);
        QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
        window.show();
        milestones::mark("window shown");
        code = app.exec();
    }
    // The worker's I/O gives up at once when told to quit, so this wait is short; it must end before
    // anything the worker uses is torn down.
    device.shutdown();
    return code;
}
