// Remote control through the real panel: a liblo client sends fader values in dB to lyntra-panel
// (offscreen, remote control on) running against the virtual unit; a change counts as arrived when the
// unit's state, read on its control socket, shows it. Beside it the measure to judge it by: the device
// worker's send+read cycle (its two pauses and one bare exchange). Then the CPU of the panel and of its OSC thread, at idle and under 100
// messages a second.
//   bench_remote [--changes N]   N changes (default 300)
#include "benchrig.h"
#include "qixdeviceunit.h"
#include "settings.h"

#include <lo/lo.h>

#include <QCoreApplication>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>

#include <arpa/inet.h>
#include <climits>
#include <cstdio>
#include <random>
#include <sys/socket.h>
#include <unistd.h>

using namespace bench;

namespace {

constexpr int kLoadSeconds = 10;
constexpr int kInput = 3;

int free_port()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

// The panel in a private home whose settings turn the remote control on at `port`.
bool start_panel(QProcess &panel, const QString &home, int port)
{
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
    {
        Settings s;
        s.setValue(settings::key::InformationDialog, true);
        s.setValue(settings::key::OscEnabled, true);
        s.setValue(settings::key::OscPort, port);
        s.sync();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("lyntra.milestone.info=true"));
    env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{category}: %{message}"));
    panel.setProcessEnvironment(env);
    panel.setReadChannel(QProcess::StandardError);
    panel.start(QCoreApplication::applicationDirPath() + QStringLiteral("/lyntra-panel"), QStringList());
    bool up = false;
    wait_until(
        [&] {
            while (!up && panel.canReadLine())
                up = panel.readLine().trimmed() == "lyntra.milestone: unit set up";
            return up || panel.state() == QProcess::NotRunning;
        },
        15000);
    return up;
}

void send_fader(lo_address to, double db)
{
    lo_send(to, "/lyntra/input/3/fader", "f", float(db));
}

// The unit's fader of input kInput in tenths of a dB (its wire value); `read_ms` what the read took.
int unit_fader(const UnitRig &unit, double *read_ms)
{
    const auto t0 = Clock::now();
    const QJsonValue v = lyntra_test::json_at(unit.control("state"), QStringLiteral("fader.input.%1").arg(kInput - 1));
    *read_ms = ms_between(t0, Clock::now());
    return v.isDouble() ? v.toInt() : INT32_MIN;
}

// Sends `n` changes, each after the previous arrived and a random pause, and times each until the
// unit shows it.
bool measure_latency(const UnitRig &unit, lo_address to, int n, std::vector<double> *latency,
                     std::vector<double> *reads)
{
    double read = 0;
    // The server may still be opening its port: a first value, sent until it arrives.
    if (!wait_until([&] { send_fader(to, -50.0); return unit_fader(unit, &read) == -500; }, 10000))
        return false;
    std::mt19937 rng(25);
    for (int i = 0; i < n; ++i) {
        const int tenths = -10 - (i * 7) % 500;
        const auto t0 = Clock::now();
        send_fader(to, tenths / 10.0);
        while (unit_fader(unit, &read) != tenths) {
            reads->push_back(read);
            if (ms_between(t0, Clock::now()) > 5000) {
                std::fprintf(stderr, "bench_remote: change %d never reached the unit\n", i);
                return false;
            }
        }
        latency->push_back(ms_between(t0, Clock::now()));
        run_events_for(5 + int(rng() % 20));
    }
    return true;
}

// CPU of the panel and of its OSC thread over kLoadSeconds, with `per_second` fader messages meanwhile.
void measure_cpu(const char *label, qint64 pid, lo_address to, int per_second)
{
    QTimer sender;
    int sent = 0;
    QObject::connect(&sender, &QTimer::timeout, [&] { send_fader(to, -20.0 - (sent++ % 100) / 10.0); });
    if (per_second)
        sender.start(1000 / per_second);
    const CpuWindow panel(pid), osc(pid, thread_named(pid, QStringLiteral("lyntra-osc")));
    run_events_for(kLoadSeconds * 1000);
    sender.stop();
    char line[96];
    std::snprintf(line, sizeof line, "panel, %s", label);
    print_row(line, panel.percent(), "% of one core");
    print_row("  its OSC thread", osc.percent(), "% of one core");
    if (per_second)
        print_row("  messages sent", sent * 1000.0 / panel.wall_ms(), "/s", 1);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int at = int(args.indexOf(QStringLiteral("--changes")));
    const int changes = at > 0 && at + 1 < args.size() ? args[at + 1].toInt() : 300;
    print_machine_load();
    UnitRig unit;
    if (!unit.start())
        return 1;
    // The floor, before the panel takes the unit.
    const Summary cycle = summarize(bare_cycles(500));
    QTemporaryDir home;
    QProcess panel;
    const int port = free_port();
    if (!home.isValid() || !start_panel(panel, home.path(), port)) {
        std::fprintf(stderr, "bench_remote: the panel did not come up\n");
        return 1;
    }
    lo_address to = lo_address_new("127.0.0.1", QByteArray::number(port).constData());
    std::vector<double> latency, reads;
    const bool complete = measure_latency(unit, to, changes, &latency, &reads);
    print_title("Remote change (OSC fader, liblo) to the unit holding it, through lyntra-panel");
    print_summary("bare send+read cycle", cycle);
    print_summary("OSC send to unit state", summarize(latency));
    print_summary("  one state read (resolution)", summarize(reads));
    // The device worker pauses after every send and every read, so its cycle is two pauses plus the
    // bare exchange; that is the pace every change to the unit waits on, whatever made it.
    const double workerCycle = 2 * QIXDeviceUnit::kSleepMs + cycle.p50;
    print_row("worker's send+read cycle (2 pauses + bare p50)", workerCycle, "ms", 2);
    print_row("p99 in worker cycles", summarize(latency).p99 / workerCycle, "", 2);

    print_title("CPU with the OSC server on (10 s windows)");
    measure_cpu("idle", panel.processId(), to, 0);
    measure_cpu("100 messages a second", panel.processId(), to, 100);
    lo_address_free(to);
    panel.terminate();
    panel.waitForFinished(5000);
    return complete ? 0 : 2;
}
