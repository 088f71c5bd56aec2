// Test helper: one process of the single-instance component, driven by its arguments and by commands on
// stdin ("state", "quit"; end of input quits), reporting one line per event on stdout.
// Arguments: <hex message> <timeout ms> <window state> <activate 0|1>
//       second instance: send the message, exit 0 when acknowledged, else 1
//       first instance: "first", then "message <hex>" per message and "state <bits> <active 0|1>"
#include "qtsingleapplication.h"

#include <QSocketNotifier>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

void say(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}

// Calls `onCommand` per stdin line; quits the application at end of input.
void watchStdin(QObject *owner, std::function<void(const QByteArray &)> onCommand)
{
    auto *notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, owner);
    auto pending = std::make_shared<QByteArray>();
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [notifier, pending, onCommand] {
        char buf[256];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            notifier->setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending->append(buf, static_cast<int>(n));
        for (int eol = pending->indexOf('\n'); eol >= 0; eol = pending->indexOf('\n')) {
            const QByteArray line = pending->left(eol).trimmed();
            pending->remove(0, eol + 1);
            if (line == "quit")
                QCoreApplication::quit();
            else
                onCommand(line);
        }
    });
}

int runInstance(QtSingleApplication &app, const QStringList &args)
{
    const QString message = QString::fromUtf8(QByteArray::fromHex(args.value(0).toLatin1()));
    const int timeout = args.value(1).toInt();
    if (app.isRunning())
        return app.sendMessage(message, timeout) ? 0 : 1;

    QWidget window;
    window.setObjectName(QStringLiteral("main"));
    window.setWindowState(Qt::WindowStates(args.value(2).toInt()));
    window.show();
    // Something else has the focus, so that activation by a message is visible.
    QWidget decoy;
    decoy.show();
    decoy.activateWindow();
    app.setActivationWindow(&window, args.value(3) == QLatin1String("1"));
    QObject::connect(&app, &QtSingleApplication::messageReceived, &app,
                     [](const QString &text) { say("message " + text.toUtf8().toHex()); });
    watchStdin(&app, [&window](const QByteArray &command) {
        if (command != "state")
            return;
        QCoreApplication::processEvents();
        say("state " + QByteArray::number(int(window.windowState())) + ' ' +
            QByteArray::number(QApplication::activeWindow() == &window ? 1 : 0));
    });
    say("first");
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QtSingleApplication app(argc, argv);
    return runInstance(app, app.arguments().mid(1));
}
