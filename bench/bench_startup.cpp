// Start-up time of the real panel (process start to window shown, and to the unit identified and
// set up) against a virtual unit, and the panel's CPU use and memory while it sits idle on its first
// page with the unit connected. Offscreen; with --display on the display of the environment (X).
#include "benchrig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int Runs = 5;
constexpr int IdleSeconds = 10;
constexpr int SettleSeconds = 2;

class PanelRun {
public:
    PanelRun(const QTemporaryDir &home, bool display)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *var : {"HOME", "XDG_CONFIG_HOME", "TMPDIR"})
            env.insert(QLatin1String(var), home.path());
        if (!display)
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("lyntra.milestone.info=true"));
        env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{category}: %{message}"));
        process_.setProcessEnvironment(env);
        process_.setReadChannel(QProcess::StandardError);
    }
    ~PanelRun()
    {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // Starts the panel; the times (ms) at which it printed its two markers, or -1 when it did not
    // within 15 s.
    bool start(double &shownMs, double &setUpMs)
    {
        QElapsedTimer clock;
        clock.start();
        process_.start(QCoreApplication::applicationDirPath() + QStringLiteral("/lyntra-panel"),
                       QStringList());
        shownMs = setUpMs = -1;
        while (setUpMs < 0 && clock.elapsed() < 15000 && process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(5);
            while (process_.canReadLine()) {
                const QByteArray line = process_.readLine().trimmed();
                if (line == "lyntra.milestone: window shown") {
                    shownMs = double(clock.nsecsElapsed()) / 1e6;
                    shownCpuMs = bench::proc_cpu_ms(process_.processId());
                }
                else if (line == "lyntra.milestone: unit set up")
                    setUpMs = double(clock.nsecsElapsed()) / 1e6;
            }
        }
        return shownMs >= 0 && setUpMs >= 0;
    }

    qint64 pid() const { return process_.processId(); }
    // The panel's own CPU time (ms) when its "window shown" line was read: less sensitive to a busy
    // machine than the wall-clock times.
    double shownCpuMs = -1;

private:
    QProcess process_;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool display = QCoreApplication::arguments().contains(QStringLiteral("--display"));
    bench::print_machine_load();
    bench::UnitRig unit;
    if (!unit.start())
        return 1;
    QTemporaryDir home;
    if (!home.isValid())
        return 1;

    std::vector<double> shown, setUp, shownCpu;
    for (int i = 0; i < Runs; ++i) {
        PanelRun run(home, display);
        double s = 0, u = 0;
        if (!run.start(s, u)) {
            std::fprintf(stderr, "bench_startup: the panel did not come up (run %d)\n", i + 1);
            return 1;
        }
        shown.push_back(s);
        setUp.push_back(u);
        shownCpu.push_back(run.shownCpuMs);
    }
    const bench::Summary sw = bench::summarize(shown);
    const bench::Summary su = bench::summarize(setUp);
    std::printf(
        "panel start-up over %d runs (ms): window shown p50 %.1f max %.1f; unit set up p50 %.1f max %.1f\n",
        Runs, sw.p50, sw.max, su.p50, su.max);
    std::printf("panel CPU time until the window was shown (ms): p50 %.1f\n", bench::summarize(shownCpu).p50);

    PanelRun idle(home, display);
    double s = 0, u = 0;
    if (!idle.start(s, u))
        return 1;
    // The mixer page is built in the second after set-up: start-up work, not idling.
    bench::wait_until([] { return false; }, SettleSeconds * 1000);
    const bench::CpuWindow window(idle.pid());
    bench::wait_until([] { return false; }, IdleSeconds * 1000);
    if (window.percent() < 0) {
        std::fprintf(stderr, "bench_startup: cannot read the panel's CPU time\n");
        return 1;
    }
    std::printf("panel idle with the unit connected: %.2f s CPU over %.1f s wall (%.2f%% of one core)\n",
                window.cpu_ms() / 1000.0, window.wall_ms() / 1000.0, window.percent());
    double rss = 0, priv = 0;
    if (bench::smaps_mb(QStringLiteral("/proc/%1/smaps_rollup").arg(idle.pid()), &rss, &priv))
        std::printf("panel memory on its first page: Rss %.1f MB, private %.1f MB\n", rss, priv);
    return 0;
}
