// What every link benchmark needs: a virtual unit of its own in a private runtime directory, timing
// statistics, the bare transport cycle, and a record of what the device object sent and when the unit
// acknowledged it.
#pragma once

#include "cpuwindow.h"
#include "virtualunit.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QIXDevice;

namespace bench {

using Clock = std::chrono::steady_clock;

inline double ms_between(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A K2 virtual unit in a fresh temporary runtime directory. The constructor points this process's
// discovery at that directory (XDG_RUNTIME_DIR, LYNTRA_UNIT=virtual), so a QIXDevice made afterwards
// finds this unit and nothing else. GUI thread only.
class UnitRig {
public:
    UnitRig();
    // Starts lyntra-virtual-unit from this program's directory; false (with a message on stderr) when
    // it is missing or does not come up.
    bool start();
    // One control-socket command; an empty object when the unit does not answer.
    QJsonObject control(const QByteArray &command) const;
    QString socket_path() const;
    // The unit program's process id, 0 before start().
    qint64 pid() const;

private:
    QTemporaryDir dir_;
    std::unique_ptr<lyntra_test::VirtualUnit> unit_;
};

struct Summary {
    size_t n = 0;
    double p50 = 0, p99 = 0, max = 0, mean = 0;
};
// Nearest-rank percentiles of `samples` (milliseconds); all zero for no samples.
Summary summarize(std::vector<double> samples);

// `n` bare exchanges straight through the transport (one fader message out, one 64-byte read), with
// no device object, worker or sleeps: the floor any link design pays per message. Milliseconds per
// cycle; empty when the unit cannot be selected or a request fails. Calling thread.
std::vector<double> bare_cycles(int n);

// Runs the event loop until `done()` holds or `timeout_ms` passes; returns `done()`.
bool wait_until(const std::function<bool()> &done, int timeout_ms);

// Runs the event loop for `ms` milliseconds without waking up otherwise.
void run_events_for(int ms);

// The fader level of `ch_type`/`ch_no` that `message` carries, if any (the last one wins).
bool fader_in_message(const QByteArray &message, uint32_t ch_type, uint8_t ch_no, int16_t *level);

// Every message the device object hands to its worker (taken on the GUI thread when sent) and every
// send outcome, timestamped on the worker thread the moment the unit's answer to the OUT request came
// back. The unit answers only after applying the message, so an acknowledgement time is an upper bound
// of when the unit held the message's values. The worker handles sends in order, so the i-th outcome
// belongs to the i-th message.
class SendLog : public QObject {
public:
    struct Ack {
        Clock::time_point at;
        bool ok;
    };
    explicit SendLog(QIXDevice &dev);

    const std::vector<QByteArray> &messages() const { return messages_; }
    std::vector<Ack> acks() const;
    size_t ack_count() const;

private:
    std::vector<QByteArray> messages_;
    mutable std::mutex lock_;
    std::vector<Ack> acks_;
};

// For a window built in this process: offscreen unless a display is set, no GL stack (as the panel's
// main() does), and HOME, XDG_RUNTIME_DIR and XDG_CONFIG_HOME (`home`/config) in `home`, so that no
// setting of the user's is read or written. Before the QApplication is made.
void use_private_home(const QTemporaryDir &home);

// Rss and private (clean + dirty) memory in MB from an smaps_rollup file ("/proc/self/smaps_rollup",
// "/proc/<pid>/smaps_rollup"); false when it cannot be read.
bool smaps_mb(const QString &rollup, double *rss, double *priv);

// One line with the machine's load average and core count: figures from a busy machine read
// differently.
void print_machine_load();

// Table output: a title line, then aligned "label  value  unit" rows.
void print_title(const char *title);
void print_row(const char *label, double value, const char *unit, int decimals = 2);
void print_summary(const char *label, const Summary &s);

} // namespace bench
