// The link end to end: the device object on its worker thread against the real virtual unit program,
// while the unit is unplugged and plugged, and while it misbehaves.
#include "qixdevice.h"
#include "qixdeviceunit.h"
#include "datarow.h"
#include "virtualunit.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using lyntra_test::VirtualUnit;
using lyntra_test::wait_until;

namespace {

constexpr uint32_t IN = IXMSG_DATA_CH_INPUT;

enum class IoOutcome { Fails, Succeeds, Either };

// Reads asked of the worker (polls, and the read after every send) against reads it answered, as the
// device object sees them: an answer counts when it reaches this thread, just before the device
// object's own slot (connected again after the ledger's), so a request that follows the answer never
// counts it as outstanding, and one made while the answer is still on its way does.
struct ReadLedger {
    int answered = 0, asked = 0, worst = 0;
    QObject context;

    explicit ReadLedger(QIXDevice &dev)
    {
        QVERIFY(QObject::disconnect(dev.unit(), &QIXDeviceUnit::ix_recv_result, &dev,
                                    &QIXDevice::recv_ix_recv_result));
        QObject::connect(dev.unit(), &QIXDeviceUnit::ix_recv_result, &context,
                         [this](bool, const QByteArray &) { ++answered; }, Qt::QueuedConnection);
        QObject::connect(dev.unit(), &QIXDeviceUnit::ix_recv_result, &dev, &QIXDevice::recv_ix_recv_result);
        const auto ask = [this] {
            ++asked;
            worst = std::max(worst, asked - answered);
        };
        QObject::connect(&dev, &QIXDevice::sig_ix_recv, &context, ask);
        QObject::connect(&dev, &QIXDevice::sig_ix_send, &context, ask);
    }
};

// The device object driven the way the main window drives it: a selection check and a request on a
// timer, meter requests chained on every meter value, a fader being dragged, and a deselect whenever
// the unit information goes empty.
class Link {
public:
    Link()
    {
        QObject::connect(&polls_, &QTimer::timeout, &ctx_, [this] {
            if (dev_.is_selected())
                dev_.get_meter();
            dev_.get_hz();
        });
        QObject::connect(&fader_, &QTimer::timeout, &ctx_, [this] {
            level_ = level_ >= -1 ? -600 : level_ + 1;
            dev_.set_fader(IN, 1, level_);
        });
        QObject::connect(&dev_, &QIXDevice::sig_recv_meter, &ctx_, [this] { dev_.get_meter(); });
        QObject::connect(&dev_, &QIXDevice::sig_recv_productname, &ctx_, [this](const QString &name) {
            if (name.isEmpty()) {
                ++resets;
                dev_.deselect();
            }
        });
        // Queued to this thread, so no counter is shared with the worker.
        QObject::connect(dev_.unit(), &QIXDeviceUnit::ix_recv_result, &ctx_, [this] { ++replies; });
        QObject::connect(dev_.unit(), &QIXDeviceUnit::ret_select_default, &ctx_, [this] { ++enumerations; });
        for (auto signal : {&QIXDevice::sig_is_selected, &QIXDevice::sig_ix_recv, &QIXDevice::sig_deselect})
            QObject::connect(&dev_, signal, &ctx_, [this] { ++requests; });
        QObject::connect(&dev_, &QIXDevice::sig_ix_send, &ctx_, [this] { ++requests; });
        polls_.start(20);
        fader_.start(7);
    }
    ~Link() { dev_.shutdown(lyntra_test::kPatienceMs); }

    QIXDevice &dev() { return dev_; }
    void stop_fader() { fader_.stop(); }

    int resets = 0, replies = 0, enumerations = 0;
    int requests = 0; // everything asked of the worker

private:
    QIXDevice dev_;

public:
    ReadLedger reads{dev_}; // after the device it watches

private:
    QObject ctx_;
    QTimer polls_, fader_;
    int16_t level_ = -600;
};

// Settings made now reach the unit: the link carries traffic again.
bool settles(VirtualUnit &unit, QIXDevice &dev, int16_t level)
{
    return dev.set_fader(IN, 2, level) && dev.set_mute(IN, 3, level & 1) &&
           unit.await("fader.input.1", level) && unit.await("mute.input.2", level & 1);
}

} // namespace

Q_DECLARE_METATYPE(IoOutcome)

class TestLinkE2E : public QObject {
    Q_OBJECT

private slots:
    void init() { qputenv("LYNTRA_UNIT", "virtual"); }

    void unplug_and_plug_mid_traffic()
    {
        VirtualUnit unit;
        QVERIFY(unit.start());
        Link link;
        QVERIFY(wait_until([&] { return unit.at("fader.input.0").isDouble() && link.dev().is_selected(); }));
        // A burst faster than the link on top of the meters and the dragged fader.
        int made = 0;
        QTimer burst;
        connect(&burst, &QTimer::timeout, &burst, [&] {
            link.dev().set_fader(IN, 4, int16_t(-made));
            if (++made == 400)
                burst.stop();
        });
        burst.start(0);
        QVERIFY(unit.await("fader.input.3", -399));
        // However much is queued, the unit gets its 10 ms pause after every write and every read (times in µs).
        const QJsonArray trace = unit.control("trace")["trace"].toArray();
        for (int i = 1; i < trace.size(); ++i)
            QVERIFY(trace[i].toObject()["t"].toInt() - trace[i - 1].toObject()["t"].toInt() >= 10000);

        QCOMPARE(unit.control("unplug")["ok"].toBool(), true);
        // Failed I/O resets the unit information; the deselect that follows makes selection fail.
        QVERIFY(wait_until([&] { return link.resets > 0 && !link.dev().is_selected(); }));
        const int messages = unit.state()["messages"].toInt();
        const int enumerations = link.enumerations, requests = link.requests;
        QVERIFY(wait_until([&] { return link.requests > requests + 100; }));
        QCOMPARE(unit.state()["messages"].toInt(), messages);
        // Looking for a missing unit follows the requests; it never runs on by itself.
        const int searched = link.enumerations - enumerations, asked = link.requests - requests;
        QVERIFY2(searched <= 2 * asked, qPrintable(QString("%1 searches for %2 requests").arg(searched).arg(asked)));

        QCOMPARE(unit.control("plug")["ok"].toBool(), true);
        QVERIFY(wait_until([&] { return link.dev().is_selected(); }));
        link.stop_fader();
        QVERIFY(settles(unit, link.dev(), -321));
        // The dragged fader resumes too: the value sent last is what the unit holds.
        QVERIFY(link.dev().set_fader(IN, 1, -7) && unit.await("fader.input.0", -7));
        QCOMPARE(link.reads.worst, 1); // however busy, at most one read outstanding
    }

    void fault_then_recovery_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("delay_ms");
        QTest::addColumn<IoOutcome>("io"); // whether the host sees failed I/O (unit information reset)

        row("fail", QByteArray("fail"), 40, 0, IoOutcome::Fails);
        row("short", QByteArray("short"), 40, 0, IoOutcome::Fails);
        row("garbage", QByteArray("garbage"), 40, 0, IoOutcome::Succeeds);
        row("notready", QByteArray("notready"), 40, 0, IoOutcome::Succeeds);
        row("delay", QByteArray("delay"), 4, 200, IoOutcome::Succeeds);
        // Longer than the transport waits: a timed-out read fails, a timed-out send is retried, whichever
        // the delay happens to hit; the late answer goes to a closed connection.
        row("delay past timeout", QByteArray("delay"), 2, 1500, IoOutcome::Either);
    }
    void fault_then_recovery()
    {
        QFETCH(QByteArray, kind);
        QFETCH(int, count);
        QFETCH(int, delay_ms);
        QFETCH(IoOutcome, io);

        VirtualUnit unit;
        QVERIFY(unit.start());
        Link link;
        QVERIFY(wait_until([&] { return unit.at("fader.input.0").isDouble(); }));
        const int resets = link.resets;
        const QByteArray delay = delay_ms > 0 ? ' ' + QByteArray::number(delay_ms) : QByteArray();
        QCOMPARE(unit.control("fault " + kind + ' ' + QByteArray::number(count) + delay)["ok"].toBool(), true);
        const int replies = link.replies;
        QVERIFY2(wait_until([&] { return unit.control("status")["faults"].toObject()[kind].toInt(-1) == 0; },
                            3 * lyntra_test::kPatienceMs),
                 "the faults were never used up");
        QVERIFY(link.replies > replies); // the worker kept reading throughout
        if (io != IoOutcome::Either)
            QCOMPARE(link.resets > resets, io == IoOutcome::Fails);

        link.stop_fader();
        QVERIFY(wait_until([&] { return link.dev().is_selected(); }));
        QVERIFY(settles(unit, link.dev(), int16_t(-400 - count)));
    }

    // Quitting while the unit is slow to answer ends the worker's thread at once, well before the
    // transport would give the answer up.
    void quit_cuts_a_slow_answer_short()
    {
        VirtualUnit unit;
        QVERIFY(unit.start());
        Link link;
        QVERIFY(wait_until([&] { return unit.at("fader.input.0").isDouble(); }));
        QVERIFY(unit.control("fault delay 1 5000")["ok"].toBool());
        QVERIFY(wait_until([&] { return unit.control("status")["faults"].toObject()["delay"].toInt(-1) == 0; }));
        QVERIFY(link.dev().shutdown(DEVIF_SOCKET_TIMEOUT_MS / 2));
    }
};

QTEST_GUILESS_MAIN(TestLinkE2E)
#include "tst_link_e2e.moc"
