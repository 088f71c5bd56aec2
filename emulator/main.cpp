// lyntra-virtual-unit: the firmware model behind a unit socket and a control socket.
#include "control_commands.h"
#include "control_server.h"
#include "fault_plan.h"
#include "firmware.h"
#include "signal_watch.h"
#include "trace_log.h"
#include "unit_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace lyntra::fw;

namespace {

QString defaultDir()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return QDir(QString::fromLocal8Bit(runtime)).filePath(QStringLiteral("ixdev"));
    return QStringLiteral("/tmp/ixdev-%1").arg(::getuid());
}

bool makeDir(const QString &path)
{
    if (!QDir().mkpath(path))
        return false;
    return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

int fail(const QString &text)
{
    std::fprintf(stderr, "lyntra-virtual-unit: %s\n", qPrintable(text));
    return 1;
}

bool parseNumber(const QString &text, qulonglong max, qulonglong *out)
{
    bool good = false;
    *out = text.toULongLong(&good, 0);
    return good && *out <= max;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lyntra-virtual-unit"));
    std::signal(SIGPIPE, SIG_IGN); // a client that vanished must not end the unit

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Virtual LYNTRA unit on a Unix socket"));
    parser.addHelpOption();
    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("K1 or K2 (default K2)"),
                                   QStringLiteral("model"), QStringLiteral("K2"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("firmware version"),
                                     QStringLiteral("N"));
    const QCommandLineOption build(QStringLiteral("build"), QStringLiteral("firmware build"),
                                   QStringLiteral("N"));
    const QCommandLineOption rate(QStringLiteral("rate"), QStringLiteral("sample rate in Hz"),
                                  QStringLiteral("HZ"));
    const QCommandLineOption dir(QStringLiteral("dir"), QStringLiteral("socket directory"),
                                 QStringLiteral("PATH"), defaultDir());
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("socket name"),
                                  QStringLiteral("NAME"), QStringLiteral("lyntra0"));
    parser.addOptions({model, version, build, rate, dir, name});
    parser.process(app);

    Firmware firmware;
    const QString modelName = parser.value(model);
    if (modelName != QLatin1String("K1") && modelName != QLatin1String("K2"))
        return fail(QStringLiteral("--model must be K1 or K2"));
    firmware.setModel(modelName == QLatin1String("K1") ? Model::K1 : Model::K2);
    qulonglong n = 0;
    if (parser.isSet(version)) {
        if (!parseNumber(parser.value(version), 0xFFFF, &n))
            return fail(QStringLiteral("--version takes 0-65535"));
        firmware.setVersion(static_cast<uint16_t>(n));
    }
    if (parser.isSet(build)) {
        if (!parseNumber(parser.value(build), 0xFFFF, &n))
            return fail(QStringLiteral("--build takes 0-65535"));
        firmware.setBuild(static_cast<uint16_t>(n));
    }
    if (parser.isSet(rate)) {
        if (!parseNumber(parser.value(rate), 0xFFFFFFFFu, &n))
            return fail(QStringLiteral("--rate takes a rate in Hz"));
        firmware.setRate(static_cast<uint32_t>(n));
    }
    const QString socketName = parser.value(name);
    if (socketName.isEmpty() || socketName.contains(QLatin1Char('/')) ||
        socketName.endsWith(QLatin1String(".ctl")))
        return fail(QStringLiteral("--name must be a plain file name not ending in .ctl"));
    const QString directory = parser.value(dir);
    if (!makeDir(directory))
        return fail(QStringLiteral("cannot create %1").arg(directory));

    FaultPlan faults;
    TraceLog trace;
    UnitServer unit(firmware, faults, trace);
    ControlCommands commands(firmware, faults, trace, [&unit](bool plug, QString *error) {
        if (plug)
            return unit.plug(error);
        unit.unplug();
        return true;
    });
    ControlServer control(commands);
    SignalWatch signals_;
    QObject::connect(&signals_, &SignalWatch::terminationRequested, &app, [] { QCoreApplication::quit(); });

    const QString unitPath = QDir(directory).filePath(socketName);
    QString error;
    if (!unit.listen(unitPath, &error))
        return fail(error);
    if (!control.listen(unitPath + QStringLiteral(".ctl"), &error))
        return fail(error);
    std::printf("%s\n", qPrintable(unitPath));
    std::fflush(stdout);

    const int result = app.exec();
    control.close();
    unit.unplug();
    return result;
}
