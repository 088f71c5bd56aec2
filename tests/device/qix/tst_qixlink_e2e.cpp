// The link under stress, end to end: the device object on its worker thread against the real virtual
// unit program, while the unit is unplugged and plugged and while it misbehaves in every way it can.
#include "QIXDevice.h"
#include "QIXDeviceUnit.h"
#include "virtualunit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <sys/resource.h>

using lyntra_test::VirtualUnit;

namespace {

constexpr uint32_t IN = IXMSG_DATA_CH_INPUT;

enum class IoOutcome { Fails, Succeeds, Either };

// Process CPU time (every thread, so the worker counts) against wall time over a window.
class CpuWindow {
public:
    CpuWindow()
    {
        cpu0_ = cpu_ms();
        wall_.start();
    }
    double cpu_ms_used() const { return cpu_ms() - cpu0_; }
    qint64 wall_ms() const { return wall_.elapsed(); }

private:
    static double cpu_ms()
    {
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
               (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    }
    double cpu0_ = 0;
    QElapsedTimer wall_;
};

QJsonValue input_value(const QJsonObject &state, const char *table, int input)
{
    const QJsonValue t = state[QLatin1String(table)];
    const QJsonArray inputs = t.isArray() ? t.toArray() : t.toObject()["input"].toArray();
    return inputs.at(input - 1);
}

// The device object driven the way the main window drives it: a selection check and a request on a
// timer, meter requests chained on every meter value, a fader being dragged, and a deselect whenever
// the unit information goes empty.
class Link {
public:
    Link()
    {
        connect_traffic();
        polls_.start(20);
        fader_.start(7);
    }
    ~Link() { dev_.shutdown(5000); }

    QIXDevice &dev() { return dev_; }
    int resets() const { return resets_; }
    int replies() const { return replies_; }
    void stop_fader() { fader_.stop(); }

private:
    void connect_traffic()
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
                ++resets_;
                dev_.deselect();
            }
        });
        QObject::connect(dev_.unit(), &QIXDeviceUnit::ix_recv_result, &ctx_, [this] { ++replies_; });
    }

    QIXDevice dev_;
    QObject ctx_;
    QTimer polls_;
    QTimer fader_;
    int16_t level_ = -600;
    int resets_ = 0;
    int replies_ = 0;
};

// Settings made now reach the unit: the link carries traffic again.
bool settles(VirtualUnit &unit, QIXDevice &dev, int16_t level)
{
    if (!dev.set_fader(IN, 2, level) || !dev.set_mute(IN, 3, level & 1))
        return false;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        const QJsonObject s = unit.state();
        if (input_value(s, "fader", 2).toInt() == level && input_value(s, "mute", 3).toInt() == (level & 1))
            return true;
        QTest::qWait(20);
    }
    return false;
}

// Waits, with the event loop running, until the unit has used up its faults of `kind`. On failure
// `last` holds the last status answer, for the message.
bool faults_used_up(VirtualUnit &unit, const QString &kind, int timeout_ms, QJsonObject *last)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeout_ms) {
        *last = unit.control("status");
        const QJsonValue left = (*last)["faults"].toObject()[kind];
        if (left.isDouble() && left.toInt() == 0)
            return true;
        QTest::qWait(20);
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(IoOutcome)

class TestQixLinkE2E : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (!VirtualUnit::available())
            QSKIP("lyntra-virtual-unit is not built");
        qputenv("LYNTRA_UNIT", "virtual");
    }

    void unplug_and_plug_mid_traffic()
    {
        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2"}));
        Link link;
        QTRY_VERIFY_WITH_TIMEOUT(input_value(unit.state(), "fader", 1).isDouble(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(link.dev().is_selected(), 2000);

        QCOMPARE(unit.control("unplug")["ok"].toBool(), true);
        CpuWindow window;
        // Failed I/O resets the unit information; the deselect that follows makes selection fail.
        QTRY_VERIFY_WITH_TIMEOUT(link.resets() > 0, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!link.dev().is_selected(), 3000);
        const QJsonObject before = unit.state();
        QTest::qWait(500);
        const QJsonObject after = unit.state();
        QVERIFY(!before.isEmpty() && !after.isEmpty());
        QCOMPARE(after["messages"].toInt(), before["messages"].toInt());
        // Retrying a missing unit must not spin.
        QVERIFY2(
            window.cpu_ms_used() < 0.5 * window.wall_ms(),
            qPrintable(QStringLiteral("%1 ms CPU in %2 ms").arg(window.cpu_ms_used()).arg(window.wall_ms())));

        QCOMPARE(unit.control("plug")["ok"].toBool(), true);
        QTRY_VERIFY_WITH_TIMEOUT(link.dev().is_selected(), 5000);
        link.stop_fader();
        QVERIFY(settles(unit, link.dev(), -321));
        // The dragged fader resumes too: the value sent last is what the unit holds.
        QVERIFY(link.dev().set_fader(IN, 1, -7));
        QTRY_COMPARE_WITH_TIMEOUT(input_value(unit.state(), "fader", 1).toInt(), -7, 5000);
    }

    void fault_then_recovery_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("delay_ms");
        // Whether the host sees the fault as failed I/O (unit information reset).
        QTest::addColumn<IoOutcome>("io");

        QTest::newRow("fail") << QByteArray("fail") << 40 << 0 << IoOutcome::Fails;
        QTest::newRow("short") << QByteArray("short") << 40 << 0 << IoOutcome::Fails;
        QTest::newRow("garbage") << QByteArray("garbage") << 40 << 0 << IoOutcome::Succeeds;
        QTest::newRow("notready") << QByteArray("notready") << 40 << 0 << IoOutcome::Succeeds;
        QTest::newRow("delay") << QByteArray("delay") << 4 << 200 << IoOutcome::Succeeds;
        // Longer than the transport waits for an answer: a timed-out read fails, a timed-out send is
        // retried, whichever the delay happens to hit; the late answer goes to a closed connection.
        QTest::newRow("delay past timeout") << QByteArray("delay") << 2 << 1500 << IoOutcome::Either;
    }

    void fault_then_recovery()
    {
        QFETCH(QByteArray, kind);
        QFETCH(int, count);
        QFETCH(int, delay_ms);
        QFETCH(IoOutcome, io);

        VirtualUnit unit;
        QVERIFY(unit.start({"--model", "K2"}));
        Link link;
        QTRY_VERIFY_WITH_TIMEOUT(input_value(unit.state(), "fader", 1).isDouble(), 5000);
        const int resets_before = link.resets();

        QByteArray command = "fault " + kind + ' ' + QByteArray::number(count);
        if (delay_ms > 0)
            command += ' ' + QByteArray::number(delay_ms);
        QCOMPARE(unit.control(command)["ok"].toBool(), true);
        CpuWindow window;
        const int replies_before = link.replies();
        QJsonObject status;
        const bool used_up = faults_used_up(unit, QString::fromLatin1(kind), 15000, &status);
        QVERIFY2(
            used_up,
            qPrintable(QStringLiteral("faults not used up; replies %1 -> %2, unit status %3")
                           .arg(replies_before)
                           .arg(link.replies())
                           .arg(QString::fromUtf8(QJsonDocument(status).toJson(QJsonDocument::Compact)))));
        QVERIFY2(
            window.cpu_ms_used() < 0.5 * window.wall_ms(),
            qPrintable(QStringLiteral("%1 ms CPU in %2 ms").arg(window.cpu_ms_used()).arg(window.wall_ms())));
        // The worker kept reading throughout (no hang) ...
        QVERIFY(link.replies() > replies_before);
        // ... and failed I/O was reported as such, while a bad or unready reply is not a failure.
        if (io != IoOutcome::Either)
            QCOMPARE(link.resets() > resets_before, io == IoOutcome::Fails);

        link.stop_fader();
        QTRY_VERIFY_WITH_TIMEOUT(link.dev().is_selected(), 5000);
        QVERIFY(settles(unit, link.dev(), -400 - count));
        QVERIFY(link.dev().shutdown(5000));
    }
};

QTEST_GUILESS_MAIN(TestQixLinkE2E)
#include "tst_qixlink_e2e.moc"
