#include "benchrig.h"

#include "qixdevice.h"
#include "qixdeviceunit.h"
#include "ixcmd.h"
#include "ixctl.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <thread>

namespace bench {

UnitRig::UnitRig()
{
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_.path()));
    qputenv("LYNTRA_UNIT", "virtual");
    if (qEnvironmentVariableIsEmpty("LYNTRA_BIN_DIR"))
        qputenv("LYNTRA_BIN_DIR", QFile::encodeName(QCoreApplication::applicationDirPath()));
}

bool UnitRig::start()
{
    if (!dir_.isValid()) {
        std::fprintf(stderr, "cannot create a temporary runtime directory\n");
        return false;
    }
    if (!lyntra_test::VirtualUnit::available()) {
        std::fprintf(stderr, "%s is not built\n", qPrintable(lyntra_test::VirtualUnit::program()));
        return false;
    }
    unit_ = std::make_unique<lyntra_test::VirtualUnit>(dir_.path() + QStringLiteral("/ixdev"));
    if (!unit_->start({QStringLiteral("--model"), QStringLiteral("K2")})) {
        std::fprintf(stderr, "the virtual unit did not start\n");
        return false;
    }
    return true;
}

QJsonObject UnitRig::control(const QByteArray &command) const
{
    return unit_ ? unit_->control(command) : QJsonObject();
}

qint64 UnitRig::pid() const
{
    return unit_ ? unit_->process().processId() : 0;
}

QString UnitRig::socket_path() const
{
    return unit_ ? unit_->socket_path() : QString();
}

Summary summarize(std::vector<double> samples)
{
    Summary s;
    if (samples.empty())
        return s;
    std::sort(samples.begin(), samples.end());
    const auto rank = [&](double p) {
        const size_t i = static_cast<size_t>(std::ceil(p * double(samples.size())));
        return samples[std::min(samples.size(), std::max<size_t>(i, 1)) - 1];
    };
    s.n = samples.size();
    s.p50 = rank(0.50);
    s.p99 = rank(0.99);
    s.max = samples.back();
    s.mean = std::accumulate(samples.begin(), samples.end(), 0.0) / double(samples.size());
    return s;
}

std::vector<double> bare_cycles(int n)
{
    std::vector<double> out;
    devif_device record;
    std::memset(&record, 0, sizeof record);
    devif_device *selected = nullptr;
    if (ixctl_select(&record, &selected) != 0)
        return out;
    out.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        uint8_t data[IXMSG_CAPACITY];
        ixmsg_buf msg;
        ixmsg_init(&msg, data, IXMSG_CAPACITY);
        ixcmd_set_fader(&msg, IXMSG_DATA_CH_INPUT, 20, static_cast<int16_t>(-1 - i % 1000));
        uint8_t reply[IXMSG_CAPACITY];
        ixmsg_buf in;
        ixmsg_init(&in, reply, IXMSG_CAPACITY);
        const auto t0 = Clock::now();
        if (ixctl_send_msg(selected, &msg) != 0 || ixctl_recv_msg(selected, &in) != 0)
            return {};
        out.push_back(ms_between(t0, Clock::now()));
    }
    return out;
}

bool wait_until(const std::function<bool()> &done, int timeout_ms)
{
    QElapsedTimer t;
    t.start();
    // A real event loop that sleeps between ticks; processEvents() would return at once when idle and
    // turn this into a busy loop that competes with the worker being measured.
    while (!done() && t.elapsed() < timeout_ms) {
        QEventLoop loop;
        QTimer::singleShot(2, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

void run_events_for(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

bool fader_in_message(const QByteArray &message, uint32_t ch_type, uint8_t ch_no, int16_t *level)
{
    QByteArray copy(message.constData(), std::min<int>(message.size(), IXMSG_CAPACITY));
    ixmsg_buf buf;
    ixmsg_init(&buf, reinterpret_cast<uint8_t *>(copy.data()), static_cast<uint8_t>(copy.size()));
    uint8_t id = 0, type = 0;
    uint32_t value = 0, cur_type = 0, cur_no = 0;
    bool found = false;
    while (ixmsg_get(&buf, &id, &type, &value, nullptr, nullptr) == 0) {
        if (id == IXMSG_ID_CH_TYPE)
            cur_type = value;
        else if (id == IXMSG_ID_CH_NO)
            cur_no = value;
        else if (id == IXMSG_ID_FADER && cur_type == ch_type && cur_no == ch_no) {
            *level = static_cast<int16_t>(value);
            found = true;
        }
    }
    return found;
}

SendLog::SendLog(QIXDevice &dev)
{
    connect(&dev, &QIXDevice::sig_ix_send, this, [this](const QByteArray &m) { messages_.push_back(m); });
    // Direct: runs on the worker thread as soon as the OUT request's answer is in.
    connect(
        dev.unit(), &QIXDeviceUnit::ix_send_result, this,
        [this](bool ok) {
            const auto now = Clock::now();
            std::lock_guard<std::mutex> hold(lock_);
            acks_.push_back({now, ok});
        },
        Qt::DirectConnection);
}

std::vector<SendLog::Ack> SendLog::acks() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return acks_;
}

size_t SendLog::ack_count() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return acks_.size();
}

void use_private_home(const QTemporaryDir &home)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path())); // a unit rig points it at its unit later
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
}

bool smaps_mb(const QString &rollup, double *rss, double *priv)
{
    QFile f(rollup);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *rss = *priv = 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2)
            continue;
        if (parts[0] == "Rss:")
            *rss = parts[1].toDouble() / 1024.0;
        else if (parts[0] == "Private_Clean:" || parts[0] == "Private_Dirty:")
            *priv += parts[1].toDouble() / 1024.0;
    }
    return *rss > 0;
}

void print_machine_load()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    const QByteArray load = f.open(QIODevice::ReadOnly) ? f.readLine().trimmed() : QByteArray("unknown");
    std::printf("machine: load average %s, %u cores\n", load.constData(),
                std::thread::hardware_concurrency());
}

void print_title(const char *title)
{
    std::printf("\n%s\n", title);
    for (const char *c = title; *c; ++c)
        std::putchar('-');
    std::putchar('\n');
}

void print_row(const char *label, double value, const char *unit, int decimals)
{
    std::printf("  %-44s %12.*f %s\n", label, decimals, value, unit);
}

void print_summary(const char *label, const Summary &s)
{
    std::printf("  %-28s n=%-6zu p50 %8.3f  p99 %8.3f  max %8.3f  mean %8.3f ms\n", label, s.n, s.p50, s.p99,
                s.max, s.mean);
}

} // namespace bench
