// CPU time of a process, or of one of its threads, read from the kernel, and its share of one core over
// a window of wall time.
#pragma once

#include <QString>

#include <chrono>

namespace bench {

// User + system CPU time in milliseconds of process `pid` (0: this one), or of its thread `tid`; -1
// when it cannot be read.
double proc_cpu_ms(qint64 pid, qint64 tid = 0);
// The id of the thread of `pid` named `name`, 0 when it has none.
qint64 thread_named(qint64 pid, const QString &name);

// CPU spent from construction (or restart()) on.
class CpuWindow {
public:
    explicit CpuWindow(qint64 pid = 0, qint64 tid = 0) : pid_(pid), tid_(tid) { restart(); }
    void restart();
    double cpu_ms() const { return proc_cpu_ms(pid_, tid_) - cpu0_; }
    double wall_ms() const;
    // Percent of one core; negative when the process went away.
    double percent() const;

private:
    qint64 pid_, tid_;
    double cpu0_ = 0;
    std::chrono::steady_clock::time_point wall0_;
};

} // namespace bench
