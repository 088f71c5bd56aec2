// The link traffic of the meters read as the window reads them while they are on screen (MeterSection
// on a 100 ms tick), for 5 s.
#include "qixdevice.h"
#include "qixdeviceunit.h"
#include "benchrig.h"
#include "metersection.h"

#include <QTimer>

#include <QCoreApplication>

#include <cstdio>

using namespace bench;

namespace {

constexpr int kSeconds = 5;

bool has_meter(const QByteArray &reply)
{
    QByteArray copy(reply.constData(), std::min<int>(reply.size(), IXMSG_CAPACITY));
    ixmsg_buf buf;
    ixmsg_init(&buf, reinterpret_cast<uint8_t *>(copy.data()), static_cast<uint8_t>(copy.size()));
    uint8_t id = 0;
    while (ixmsg_get(&buf, &id, nullptr, nullptr, nullptr, nullptr) == 0)
        if (id == IXMSG_ID_METER)
            return true;
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    print_machine_load();
    UnitRig rig;
    if (!rig.start())
        return 1;

    QIXDevice dev;
    QObject ctx;
    int values = 0, replies = 0, meter_replies = 0, failed = 0, warm_up = 0;
    bool counting = false;
    QObject::connect(&dev, &QIXDevice::sig_recv_meter, &ctx, [&] { (counting ? values : warm_up) += 1; });
    MeterSection section(dev); // no page bound: read on every tick
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &section, &MeterSection::tick);
    tick.start(100);
    QObject::connect(dev.unit(), &QIXDeviceUnit::ix_recv_result, &ctx, [&](bool ok, const QByteArray &bytes) {
        if (!counting)
            return;
        ++replies;
        failed += ok ? 0 : 1;
        meter_replies += ok && has_meter(bytes) ? 1 : 0;
    });
    if (!wait_until([&] { return warm_up > 0; }, 5000)) {
        std::fprintf(stderr, "no meter values from the unit\n");
        return 1;
    }
    run_events_for(500);
    const int unit_before = rig.control("state")["messages"].toInt();
    counting = true;
    const auto t0 = Clock::now();
    run_events_for(kSeconds * 1000);
    counting = false;
    const double s = ms_between(t0, Clock::now()) / 1000.0;
    const int unit_messages = rig.control("state")["messages"].toInt() - unit_before;
    dev.shutdown(5000);

    print_title("Meters read on a 100 ms tick as the window reads them");
    print_row("window", s, "s");
    print_row("replies with meter values", meter_replies / s, "replies/s", 1);
    print_row("all replies read", replies / s, "replies/s", 1);
    print_row("meter values", values / s, "values/s", 1);
    print_row("get_meter messages received by the unit", unit_messages / s, "messages/s", 1);
    print_row("failed reads", failed, "", 0);
    return failed == 0 && meter_replies > 0 ? 0 : 2;
}
