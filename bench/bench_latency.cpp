// Latency from a fader change to the unit holding it, with and without the meters being read as the
// window reads them while they are on screen (MeterSection on a 100 ms tick), and the floor: one bare
// send+read cycle through the transport.
//
// A change counts as held when the unit has acknowledged a message carrying that value or a newer one
// (a value overtaken while waiting for readiness is coalesced away by design and never sent; the user
// sees the newer one). Acknowledgement times are taken on the worker thread (SendLog).
#include "qixdevice.h"
#include "benchrig.h"
#include "metersection.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QTimer>

#include <cstdio>
#include <random>

using namespace bench;

namespace {

constexpr int kChanges = 1000;
constexpr uint32_t IN = IXMSG_DATA_CH_INPUT;

struct RunResult {
    std::vector<double> latencies;
    int coalesced = 0;
    size_t messages = 0;
    int failed_sends = 0;
    int unit_messages = 0;
    int unit_reads = 0;
    double seconds = 0;
    bool complete = false;
};

int16_t level_of(int change)
{
    return static_cast<int16_t>(-1 - change);
}

// Pairs each change with the first acknowledged message that carries it or a later change.
void match(const std::vector<Clock::time_point> &calls, const SendLog &log, RunResult *r)
{
    const auto acks = log.acks();
    const auto &messages = log.messages();
    int next = 0;
    for (size_t i = 0; i < messages.size() && i < acks.size(); ++i) {
        r->failed_sends += acks[i].ok ? 0 : 1;
        int16_t level = 0;
        if (!acks[i].ok || !fader_in_message(messages[i], IN, 1, &level))
            continue;
        const int change = -1 - level;
        if (change < next || change >= int(calls.size()))
            continue;
        for (int c = next; c <= change; ++c)
            r->latencies.push_back(ms_between(calls[size_t(c)], acks[i].at));
        r->coalesced += change - next;
        next = change + 1;
    }
    r->complete = next == int(calls.size());
}

RunResult run(UnitRig &rig, bool meters)
{
    RunResult r;
    QIXDevice dev;
    SendLog log(dev);
    QObject ctx;
    // No page bound: the section reads the meters on every tick, as it does while they are shown.
    MeterSection section(dev);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &section, &MeterSection::tick);
    if (meters)
        tick.start(100);
    // Warm up: the unit is selected and a first fader message went through.
    dev.set_fader(IN, 1, 10);
    wait_until([&] { return log.ack_count() >= 1 && log.ack_count() == log.messages().size(); }, 5000);
    run_events_for(200);
    const int unit_before = rig.control("state")["messages"].toInt();
    const size_t sent_before = log.messages().size();
    rig.control("trace clear");

    std::vector<Clock::time_point> calls;
    calls.reserve(kChanges);
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> gap_ms(2, 22); // a hand on a fader: uneven, about 80 per second
    QTimer pace;
    pace.setSingleShot(true);
    pace.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pace, &QTimer::timeout, &ctx, [&] {
        calls.push_back(Clock::now());
        dev.set_fader(IN, 1, level_of(int(calls.size()) - 1));
        if (calls.size() < size_t(kChanges))
            pace.start(gap_ms(rng));
    });
    const auto t0 = Clock::now();
    pace.start(0);
    wait_until(
        [&] {
            int16_t level = 0;
            return calls.size() == size_t(kChanges) && log.ack_count() == log.messages().size() &&
                   !log.messages().empty() && fader_in_message(log.messages().back(), IN, 1, &level) &&
                   level == level_of(kChanges - 1);
        },
        60000);
    r.seconds = ms_between(t0, Clock::now()) / 1000.0;
    tick.stop();
    dev.shutdown(5000);
    match(calls, log, &r);
    r.messages = log.messages().size() - sent_before;
    r.unit_messages = rig.control("state")["messages"].toInt() - unit_before;
    // The unit's trace tells how many reads the link spent per message.
    for (const QJsonValue e : rig.control("trace")["trace"].toArray())
        r.unit_reads += e.toObject()["dir"].toString() == QLatin1String("in") ? 1 : 0;
    return r;
}

void report(const char *title, const RunResult &r)
{
    print_title(title);
    print_summary("change -> unit holds it", summarize(r.latencies));
    print_row("changes made", kChanges, "", 0);
    print_row("changes overtaken before sending (coalesced)", r.coalesced, "", 0);
    print_row("messages sent by the host", double(r.messages), "", 0);
    print_row("messages counted by the unit", r.unit_messages, "", 0);
    print_row("reads served by the unit", r.unit_reads, "", 0);
    print_row("reads per message", r.unit_messages ? double(r.unit_reads) / r.unit_messages : 0, "", 2);
    print_row("failed sends", r.failed_sends, "", 0);
    print_row("run time", r.seconds, "s");
    if (!r.complete)
        std::printf("  INCOMPLETE: not every change reached the unit\n");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    print_machine_load();
    UnitRig rig;
    if (!rig.start())
        return 1;

    const std::vector<double> floor = bare_cycles(kChanges);
    if (floor.empty()) {
        std::fprintf(stderr, "bare cycles failed\n");
        return 1;
    }
    print_title("Floor: one ixctl_send_msg + ixctl_recv_msg, no worker");
    print_summary("send+read cycle", summarize(floor));

    const RunResult quiet = run(rig, false);
    report("Fader change to unit, no meter polling", quiet);
    const RunResult busy = run(rig, true);
    report("Fader change to unit, meters read on the window's 100 ms tick", busy);
    return quiet.complete && busy.complete ? 0 : 2;
}
