// The mixer page with moving meters: the window in this process, on the mixer page, against a virtual
// unit playing its test signal on every input. For 20 s (or --seconds N): CPU of this process (GUI thread, device
// worker and the probes) and of the unit, meter sets received and display frames per second, and the
// delay from a level change at the unit to the first move of that input's bar.
#include "qixdevice.h"
#include "panelrig.h"
#include "mainwindow.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QLabel>
#include <QRandomGenerator>
#include <QStackedWidget>

#include <cstdio>

using namespace bench;

namespace {

constexpr int kWindowMs = 20000;
constexpr int kProbeEveryMs = 2000; // a full bar needs 1.5 s to fall back
constexpr int kProbeInput = 20;
constexpr const char *kProbeBar = "label_LevelMeterAdat8";

// Counts display frames (bursts of bar moves within one tick) and notes the probe bar's first move.
class BarWatch : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::Move && e->type() != QEvent::Resize)
            return false;
        const auto now = Clock::now();
        if (counting && (frames == 0 || ms_between(lastMove, now) > 20))
            ++frames;
        lastMove = now;
        if (watched == probe && probeSent && !probeSeen) {
            probeSeen = true;
            delays.push_back(ms_between(sentAt, now));
        }
        return false;
    }

    QObject *probe = nullptr;
    bool counting = false;
    int frames = 0;
    Clock::time_point lastMove;
    bool probeSent = false, probeSeen = false;
    Clock::time_point sentAt;
    std::vector<double> delays;
};

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    use_private_home(home);
    QApplication app(argc, argv);
    int windowMs = kWindowMs;
    const QStringList args = QCoreApplication::arguments();
    if (const int i = int(args.indexOf(QStringLiteral("--seconds"))); i > 0 && i + 1 < args.size())
        windowMs = std::max(kProbeEveryMs, args.at(i + 1).toInt() * 1000);
    print_machine_load();
    PanelRig panel(home);
    if (!panel.start())
        return 1;
    UnitRig &rig = panel.unit();
    QIXDevice &device = panel.device();
    MainWindow &window = panel.window();
    window.pages()->setCurrentIndex(0);

    BarWatch watch;
    for (QLabel *l : window.findChildren<QLabel *>())
        if (l->objectName().startsWith(QLatin1String("label_LevelMeter")))
            l->installEventFilter(&watch);
    watch.probe = window.findChild<QLabel *>(QLatin1String(kProbeBar));
    int values = 0;
    QObject::connect(&device, &QIXDevice::sig_recv_meter, &watch, [&] { values += watch.counting ? 1 : 0; });
    run_events_for(1000);

    const CpuWindow self, unitCpu(rig.pid());
    const auto t0 = Clock::now();
    watch.counting = true;
    bool up = true;
    QRandomGenerator rng(27);
    while (ms_between(t0, Clock::now()) < windowMs) {
        watch.probeSeen = false;
        watch.sentAt = Clock::now();
        watch.probeSent = true;
        rig.control(QByteArray("set level ") + QByteArray::number(kProbeInput) + (up ? " 32768" : " 0"));
        up = !up;
        // Off the tick's beat: probes a whole number of ticks apart would all meet the tick at one phase.
        run_events_for(kProbeEveryMs + int(rng.bounded(100)));
        watch.probeSent = false;
    }
    watch.counting = false;
    const double wall = ms_between(t0, Clock::now());
    const Summary delay = summarize(watch.delays);
    const QJsonObject status = rig.control("status");

    print_title("Mixer page with moving meters (window in-process, K2 virtual unit, test signal)");
    print_row("window", wall / 1000.0, "s");
    print_row("panel CPU (GUI, worker, probes)", self.percent(), "% of one core");
    print_row("virtual unit CPU", unitCpu.percent(), "% of one core");
    print_row("meter sets received (22 values)", values / 22.0 / (wall / 1000.0), "sets/s", 1);
    print_row("display frames", watch.frames / (wall / 1000.0), "frames/s", 1);
    print_summary("level change to bar move", delay);
    print_row("answers the unit dropped (queue full)",
              status.value(QStringLiteral("dropped_answers")).toDouble(), "", 0);
    if (delay.n < size_t(windowMs / (kProbeEveryMs + 100)) - 1) {
        std::fprintf(stderr, "only %zu of the probes moved the bar\n", delay.n);
        return 2;
    }
    return 0;
}
