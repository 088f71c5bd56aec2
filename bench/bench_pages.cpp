// The window page by page, in this process against a K2 virtual unit, on whatever display Qt is given
// (run it under Xvfb or a desktop session for X figures; offscreen without DISPLAY): the first opening
// of the mixer page, the routing page and the monitor dialog (click to painted), the time from showing
// the mixer page to the first meter request and to the first bar move, the memory with the mixer page
// shown, and the CPU of this process and of the unit per page.
//
//   bench_pages [--seconds N]   N seconds of CPU window per page and round (default 10), three rounds
//   bench_pages --grab FILE     only saves the mixer page as drawn, in a fixed state, to FILE (PNG), so
//                               that two builds can be compared pixel by pixel
#include "qixdevice.h"
#include "panelrig.h"
#include "ixcmd.h"
#include "mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace bench;

namespace {

constexpr int kSettleMs = 1500;
constexpr int kRounds = 3;
constexpr int kPatienceMs = 15000;

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Notes when a watched widget is first painted and when a watched meter bar first moves.
class Watch : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && watched == paintTarget && !painted) {
            // Done once the paint pass that this event belongs to has been flushed to the screen.
            QTimer::singleShot(0, this, [this] {
                painted = true;
                paintedAt = Clock::now();
            });
        } else if ((e->type() == QEvent::Move || e->type() == QEvent::Resize) && watchingBars && !barMoved) {
            barMoved = true;
            barMovedAt = Clock::now();
        }
        return false;
    }
    QObject *paintTarget = nullptr;
    bool painted = false, watchingBars = false, barMoved = false;
    Clock::time_point paintedAt, barMovedAt;
};

bool has_get_meter(const QByteArray &message)
{
    QByteArray copy(message.constData(), std::min<int>(message.size(), IXMSG_CAPACITY));
    ixmsg_buf buf;
    ixmsg_init(&buf, reinterpret_cast<uint8_t *>(copy.data()), static_cast<uint8_t>(copy.size()));
    uint8_t id = 0;
    while (ixmsg_get(&buf, &id, nullptr, nullptr, nullptr, nullptr) == 0)
        if (id == IXMSG_ID_GET_METER)
            return true;
    return false;
}

class Rig {
public:
    Rig(QIXDevice &device, MainWindow &window) : device_(device), window_(window)
    {
        QObject::connect(&device_, &QIXDevice::sig_ix_send, &watch_, [this](const QByteArray &m) {
            if (waitingForRequest_ && has_get_meter(m)) {
                waitingForRequest_ = false;
                requestAt_ = Clock::now();
            }
        });
        for (QLabel *l : window_.findChildren<QLabel *>())
            if (l->objectName().startsWith(QLatin1String("label_LevelMeter")))
                bars_.push_back(l);
    }

    QAbstractButton *button(const char *name) const
    {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *b = top->findChild<QAbstractButton *>(QLatin1String(name)))
                return b;
        return nullptr;
    }

    // Clicks `name` and returns the milliseconds until `shown` was painted, -1 when it never was.
    double click_until_painted(const char *name, const std::function<QWidget *()> &shown,
                               const std::function<void()> &clicked = {})
    {
        QAbstractButton *b = button(name);
        if (!b)
            return -1;
        const auto t0 = Clock::now();
        b->click();
        if (clicked)
            clicked();
        QWidget *target = shown();
        if (!target)
            return -1;
        watch_.painted = false;
        watch_.paintTarget = target;
        target->installEventFilter(&watch_);
        // The click may have painted it already (a synchronous repaint); otherwise wait for the paint.
        wait_until([&] { return watch_.painted; }, kPatienceMs);
        target->removeEventFilter(&watch_);
        return watch_.painted ? ms_between(t0, watch_.paintedAt) : -1;
    }

    // Shows the mixer page from the interface page; the times (ms) to the first meter request handed
    // to the worker and to the first bar move.
    bool resume_meters(double *painted, double *request, double *bar)
    {
        for (QLabel *l : bars_)
            l->installEventFilter(&watch_);
        watch_.barMoved = false;
        waitingForRequest_ = true;
        const auto t0 = Clock::now();
        // Showing the page delivers the moves the bars had while hidden; only later ones count.
        *painted = click_until_painted("pB_ToMixerFromInterface", [this] { return page(0); },
                                       [this] { watch_.watchingBars = true; });
        wait_until([&] { return !waitingForRequest_ && watch_.barMoved; }, kPatienceMs);
        watch_.watchingBars = false;
        for (QLabel *l : bars_)
            l->removeEventFilter(&watch_);
        *request = waitingForRequest_ ? -1 : ms_between(t0, requestAt_);
        *bar = watch_.barMoved ? ms_between(t0, watch_.barMovedAt) : -1;
        waitingForRequest_ = false;
        return *painted >= 0 && *request >= 0 && *bar >= 0;
    }

    QWidget *page(int index) const { return window_.pages()->widget(index); }
    QWidget *top_level(const char *name) const
    {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String(name) && top->isVisible())
                return top;
        return nullptr;
    }

private:
    QIXDevice &device_;
    MainWindow &window_;
    Watch watch_;
    std::vector<QLabel *> bars_;
    bool waitingForRequest_ = false;
    Clock::time_point requestAt_;
};

// The mixer page with still levels and every seventh button pressed, saved to `file`.
bool grab(UnitRig &unit, Rig &rig, const QString &file)
{
    unit.control("set freeze on");
    for (int input = 1; input <= 20; ++input)
        unit.control("set level " + QByteArray::number(input) + ' ' + QByteArray::number(input * 1500));
    rig.button("pB_ToMixerFromInterface")->click();
    const QList<QPushButton *> buttons = rig.page(0)->findChildren<QPushButton *>();
    for (int i = 0; i < buttons.size(); i += 7)
        if (buttons.at(i)->isVisible() && !buttons.at(i)->objectName().startsWith(QLatin1String("pB_To")))
            buttons.at(i)->click();
    run_events_for(3000); // bars settle, peak lamps go out
    return rig.page(0)->grab().save(file);
}

struct PageCpu {
    const char *name;
    const char *button; // shows the page from the one before it in the cycle
    std::vector<double> panel, unit;
};

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    use_private_home(home);
    QApplication app(argc, argv);
    int seconds = 10;
    const QStringList args = QCoreApplication::arguments();
    if (const int i = int(args.indexOf(QStringLiteral("--seconds"))); i > 0 && i + 1 < args.size())
        seconds = std::max(1, args.at(i + 1).toInt());
    print_machine_load();
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    PanelRig panel(home);
    if (!panel.start())
        return 1;
    UnitRig &unit = panel.unit();
    QIXDevice &device = panel.device();
    MainWindow &window = panel.window();
    run_events_for(kSettleMs);
    Rig rig(device, window);
    if (const int g = int(args.indexOf(QStringLiteral("--grab"))); g > 0 && g + 1 < args.size())
        return grab(unit, rig, args.at(g + 1)) ? 0 : 1;

    print_title("First openings (click to painted)");
    std::vector<double> requests, bars;
    double mixer = 0, request = 0, bar = 0;
    if (!rig.resume_meters(&mixer, &request, &bar)) {
        std::fprintf(stderr, "the mixer page did not come up with moving meters\n");
        return 1;
    }
    requests.push_back(request);
    bars.push_back(bar);
    run_events_for(kSettleMs);
    double rss = 0, priv = 0;
    const bool memory = smaps_mb(QStringLiteral("/proc/self/smaps_rollup"), &rss, &priv);
    const double routing = rig.click_until_painted("pB_ToOutputFromMixer", [&] { return rig.page(3); });
    const double monitor =
        rig.click_until_painted("pB_MoniconEnable", [&] { return rig.top_level("MonitorControl"); });
    print_row("mixer page (from the interface page)", mixer, "ms", 1);
    print_row("routing page", routing, "ms", 1);
    print_row("monitor dialog", monitor, "ms", 1);
    if (QWidget *dialog = rig.top_level("MonitorControl"))
        dialog->close();
    run_events_for(kSettleMs);

    // Mixer, interface, routing, in the order the buttons lead; the mixer is entered from the interface
    // page on the next round, which times the meters' return once more.
    PageCpu pages[] = {{"mixer page, meters moving", "pB_ToMixerFromRoutingK2", {}, {}},
                       {"interface page", "pB_ToInterfaceFromMixer", {}, {}},
                       {"routing page", "pB_ToOutputFromInterface", {}, {}}};
    for (int round = 0; round < kRounds; ++round) {
        for (PageCpu &p : pages) {
            if (round > 0 && &p == &pages[0]) {
                // Back to the interface page first so that the mixer page is entered as a user would.
                rig.click_until_painted("pB_ToInformationFromRoutingK2", [&] { return rig.page(1); });
                run_events_for(kSettleMs);
                double painted = 0;
                if (rig.resume_meters(&painted, &request, &bar)) {
                    requests.push_back(request);
                    bars.push_back(bar);
                }
            } else if (!rig.button(p.button)) {
                std::fprintf(stderr, "no button %s\n", p.button);
                return 1;
            } else {
                rig.button(p.button)->click();
            }
            run_events_for(kSettleMs);
            const CpuWindow self, unitCpu(unit.pid());
            run_events_for(seconds * 1000);
            p.panel.push_back(self.percent());
            p.unit.push_back(unitCpu.percent());
        }
    }
    print_title("Interface page to mixer page (median over the rounds)");
    print_row("show to first meter request", median(requests), "ms", 1);
    print_row("show to first bar move", median(bars), "ms", 1);
    print_row("  slowest of them", *std::max_element(bars.begin(), bars.end()), "ms", 1);

    if (memory) {
        print_title("Memory with the mixer page shown (smaps_rollup of this process)");
        print_row("Rss", rss, "MB", 1);
        print_row("private (clean + dirty)", priv, "MB", 1);
    }
    char title[96];
    std::snprintf(title, sizeof title, "CPU per page (%d s windows, median of %d rounds)", seconds, kRounds);
    print_title(title);
    for (const PageCpu &p : pages) {
        char label[96];
        std::snprintf(label, sizeof label, "panel, %s", p.name);
        print_row(label, median(p.panel), "% of one core");
        std::snprintf(label, sizeof label, "  virtual unit meanwhile");
        print_row(label, median(p.unit), "% of one core");
        std::printf("    rounds:");
        for (double v : p.panel)
            std::printf(" %.2f", v);
        std::printf("\n");
    }
    return 0;
}
