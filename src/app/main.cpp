// The program entry: one panel per login session and executable; a second start hands over to the
// first and exits.
#include "qixdevice.h"
#include "fileicon.h"
#include "mainwindow.h"
#include "milestones.h"
#include "qtsingleapplication.h"
#include "quitsignals.h"
#include "settings.h"
#include "translations.h"

#include "resources.h"

#include <QLocale>

#include <cstdio>
#include <cstring>

namespace {

constexpr int HandOverTimeoutMs = 5000;

// Answered before any window system or single-instance check, so it works from a terminal, over
// ssh, and while another copy runs.
bool printedVersion(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("lyntra-panel %s\n", MainWindow::SoftwareVersion);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (printedVersion(argc, argv))
        return 0;
    qputenv("QT_AUTO_SCREEN_SCALE_FACTOR", "1");
    // Everything here is painted in software. Unless told otherwise, Qt's X11 backend would load the
    // system's GL stack at start (tens of megabytes and milliseconds) to offer GL nothing here uses.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // Qt 5 draws at 100 % unless told before the application exists; 150 % stays 150 %, not 200 %.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QtSingleApplication app(argc, argv);
    if (app.isRunning())
        return app.sendMessage(QStringLiteral("Already App is Running!"), HandOverTimeoutMs) ? 0 : 1;
    // The one copy running: a lock on the settings now was left by one that died.
    Settings::clearLeftLocks();

    lyntra_init_resources();
    QApplication::setWindowIcon(fileIcon(QStringLiteral(":/Resource/icons/hicolor")));
    installTranslations(app, QLocale());
    QuitSignals quitSignals([] {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    QIXDevice device;
    Settings settings;
    int code = 0;
    {
        MainWindow window(device, settings);
        app.setActivationWindow(&window);
        window.show();
        milestones::mark("window shown");
        code = app.exec();
    }
    // The worker's I/O gives up at once when told to quit, so this wait is short; it must end before
    // anything the worker uses is torn down.
    device.shutdown();
    return code;
}
