#include "cpuwindow.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace bench {

double proc_cpu_ms(qint64 pid, qint64 tid)
{
    const QString process = pid ? QString::number(pid) : QStringLiteral("self");
    QFile f(tid ? QStringLiteral("/proc/%1/task/%2/stat").arg(process).arg(tid)
                : QStringLiteral("/proc/%1/stat").arg(process));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // The command name may hold spaces; fields are counted after its closing parenthesis.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    const double ticks = fields[11].toDouble() + fields[12].toDouble(); // utime, stime
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

qint64 thread_named(qint64 pid, const QString &name)
{
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks + "/" + tid + "/comm");
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name.toUtf8())
            return tid.toLongLong();
    }
    return 0;
}

void CpuWindow::restart()
{
    cpu0_ = proc_cpu_ms(pid_, tid_);
    wall0_ = std::chrono::steady_clock::now();
}

double CpuWindow::wall_ms() const
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall0_).count();
}

double CpuWindow::percent() const
{
    const double now = proc_cpu_ms(pid_, tid_);
    return now < 0 || cpu0_ < 0 ? -1 : 100.0 * (now - cpu0_) / wall_ms();
}

} // namespace bench
