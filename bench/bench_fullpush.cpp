// A full push of every mixer parameter of a K2, as the window does on reconnection and scene load:
// reset_params, then every setting again. Counts messages and bytes and times the push against the
// lower bound of perfectly packed messages at the bare transport cycle.
#include "qixdevice.h"
#include "benchrig.h"
#include "mixerpush.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdio>

using namespace bench;

namespace {

// Waits until nothing has gone out for `quiet_ms` and every message is acknowledged.
bool settle(const SendLog &log, int quiet_ms, int timeout_ms)
{
    size_t seen = log.messages().size();
    auto since = Clock::now();
    return wait_until(
        [&] {
            if (log.messages().size() != seen) {
                seen = log.messages().size();
                since = Clock::now();
            }
            return log.ack_count() == seen && ms_between(since, Clock::now()) >= quiet_ms;
        },
        timeout_ms);
}

int push(QIXDevice &dev, const std::vector<MixerParam> &params)
{
    int refused = 0;
    for (const MixerParam &p : params)
        refused += p.apply(dev) ? 0 : 1;
    return refused;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    print_machine_load();
    UnitRig rig;
    if (!rig.start())
        return 1;
    const Summary floor = summarize(bare_cycles(300));
    if (floor.n == 0) {
        std::fprintf(stderr, "bare cycles failed\n");
        return 1;
    }

    QIXDevice dev;
    SendLog log(dev);
    // Something else in every field first, so that the unit holding the pushed values proves they came.
    const std::vector<MixerParam> before = k2_mixer_params(0);
    const std::vector<MixerParam> pushed = k2_mixer_params(1);
    int refused = push(dev, before);
    if (!settle(log, 300, 20000) || !missing_fields(before, rig.control("state")).isEmpty()) {
        std::fprintf(stderr, "the first push did not reach the unit\n");
        return 1;
    }

    dev.reset_params();
    const size_t first = log.messages().size();
    const int unit_before = rig.control("state")["messages"].toInt();
    const auto t0 = Clock::now();
    refused += push(dev, pushed);
    const bool settled = settle(log, 300, 30000);
    const auto acks = log.acks();
    const double wall_ms = acks.size() > first ? ms_between(t0, acks.back().at) : 0;
    dev.shutdown(5000);

    const QJsonObject state = rig.control("state");
    const QStringList missing = missing_fields(pushed, state);
    size_t bytes = 0, fields = 0;
    for (size_t i = first; i < log.messages().size(); ++i)
        bytes += size_t(log.messages()[i].size());
    for (const MixerParam &p : pushed)
        fields += p.fields.size();
    const size_t messages = log.messages().size() - first;
    const double bound_messages = std::ceil(double(bytes) / 64.0);

    print_title("Full push of a K2 after reset_params");
    print_row("setting calls", double(pushed.size()), "", 0);
    print_row("values checked in the unit's state", double(fields), "", 0);
    print_row("messages sent by the host", double(messages), "", 0);
    print_row("messages counted by the unit", state["messages"].toInt() - unit_before, "", 0);
    print_row("message bytes (entries)", double(bytes), "bytes", 0);
    print_row("mean fill per message", messages ? double(bytes) / double(messages) : 0, "bytes of 64", 1);
    print_row("wall time, first call to last acknowledgement", wall_ms, "ms", 1);
    print_row("per message", messages ? wall_ms / double(messages) : 0, "ms", 2);
    print_row("lower bound: ceil(bytes / 64)", bound_messages, "messages", 0);
    print_row("lower bound x bare cycle p50", bound_messages * floor.p50, "ms", 1);
    print_row("bare cycle p50", floor.p50, "ms", 3);
    if (refused || !settled || !missing.isEmpty()) {
        std::printf("  PROBLEM: %d calls refused, settled %d, %lld values not held\n", refused,
                    settled ? 1 : 0, static_cast<long long>(missing.size()));
        for (int i = 0; i < missing.size() && i < 10; ++i)
            std::printf("    %s\n", qPrintable(missing[i]));
        return 2;
    }
    std::printf("  the unit holds every pushed value\n");
    return 0;
}
