// CPU spent and searches for the unit made while no unit is present. Measures the panel program when
// it is built (offscreen, empty runtime directory, no unit selection override), counting the searches
// from the line the panel logs for each one when its "lyntra.link.search" category is enabled, idle
// and after one change in the discovery directory; otherwise, or with --in-process, a device object in
// this process driven by the window's timers, with no unit to find.
#include "qixdevice.h"
#include "qixdeviceunit.h"
#include "benchrig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

using namespace bench;

namespace {

constexpr int kSettleMs = 2000;
constexpr int kWindowMs = 30000;

void print_cpu(const char *label, double cpu_ms, double wall_ms)
{
    print_row(label, cpu_ms, "ms CPU", 1);
    print_row("  share of one core", 100.0 * cpu_ms / wall_ms, "%", 2);
}

// Search lines the panel has logged since the last call.
int searches_logged(QProcess &p)
{
    int n = 0;
    while (p.canReadLine())
        n += p.readLine().contains("lyntra.link.search: searched for the unit") ? 1 : 0;
    return n;
}

int measure_panel(const QString &panel, const QTemporaryDir &scratch)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LYNTRA_UNIT"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("lyntra.link.search.debug=true"));
    const QString runtime = scratch.path() + QStringLiteral("/runtime");
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("HOME"), scratch.path() + QStringLiteral("/home"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch.path() + QStringLiteral("/config"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setReadChannel(QProcess::StandardError);
    p.start(panel, QStringList());
    if (!p.waitForStarted(5000)) {
        std::fprintf(stderr, "%s did not start\n", qPrintable(panel));
        return 1;
    }
    run_events_for(kSettleMs);
    const int atStart = searches_logged(p);
    const CpuWindow panelCpu(p.processId());
    run_events_for(kWindowMs);
    const double end = proc_cpu_ms(p.processId()), cpu = panelCpu.cpu_ms(), wall = panelCpu.wall_ms();
    const int idle = searches_logged(p);
    // One change where virtual units appear: the panel looks again a bounded number of times.
    QDir(runtime).mkpath(QStringLiteral("ixdev"));
    run_events_for(kSettleMs);
    const int afterChange = searches_logged(p);
    p.terminate();
    if (!p.waitForFinished(5000))
        p.kill();
    if (end < 0) {
        std::fprintf(stderr, "the panel ended before the window closed\n");
        return 1;
    }
    print_title("Idle lyntra-panel, no unit (offscreen)");
    print_row("window after start-up", wall / 1000.0, "s");
    print_cpu("panel CPU over the window", cpu, wall);
    print_row("panel CPU including start-up", end, "ms CPU", 1);
    print_row("searches for the unit during start-up", atStart, "", 0);
    print_row("searches per minute, idle", idle * 60000.0 / wall, "/min", 1);
    print_row("searches after the discovery directory appeared", afterChange, "", 0);
    return 0;
}

// The device object under the window's timers: the 1 s status poll, optionally the 100 ms selection
// check as well. Every request finds no unit; the worker reports each search it makes.
void measure_device(bool selection_check)
{
    QIXDevice dev;
    QObject ctx;
    QTimer slow, fast;
    QObject::connect(&slow, &QTimer::timeout, &ctx, [&dev] {
        dev.get_dspmode();
        dev.get_hz();
        dev.get_info();
        dev.get_clocklock();
        dev.get_clocksource();
    });
    QObject::connect(&fast, &QTimer::timeout, &ctx, [&dev] {
        if (dev.is_selected())
            dev.get_meter();
    });
    int searches = 0;
    QObject::connect(dev.unit(), &QIXDeviceUnit::ret_select_default, &ctx, [&searches] { ++searches; });
    slow.start(1000);
    if (selection_check)
        fast.start(100);
    run_events_for(1000);
    const CpuWindow self;
    const int searchesBefore = searches;
    run_events_for(kWindowMs);
    const double cpu = self.cpu_ms(), wall = self.wall_ms();
    slow.stop();
    fast.stop();
    dev.shutdown(5000);
    print_cpu(selection_check ? "1 s poll + 100 ms is_selected" : "1 s poll only", cpu, wall);
    print_row("  searches per minute", (searches - searchesBefore) * 60000.0 / wall, "/min", 1);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    print_machine_load();
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 1;
    for (const char *sub : {"runtime", "home", "config"})
        QDir(scratch.path()).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(scratch.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString panel = QCoreApplication::applicationDirPath() + QStringLiteral("/lyntra-panel");
    const bool in_process = QCoreApplication::arguments().contains(QStringLiteral("--in-process"));
    if (!in_process && QFileInfo(panel).isExecutable())
        return measure_panel(panel, scratch);

    // No panel (or asked for the device alone): the same conditions for a device object in this process.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(scratch.path() + QStringLiteral("/runtime")));
    qunsetenv("LYNTRA_UNIT");
    print_title(in_process ? "Idle CPU of a QIXDevice in this process, no unit"
                           : "Idle CPU of a QIXDevice in this process, no unit (lyntra-panel not built)");
    print_row("window per row", kWindowMs / 1000.0, "s");
    measure_device(false);
    measure_device(true);
    return 0;
}
