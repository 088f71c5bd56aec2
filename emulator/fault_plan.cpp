#include "fault_plan.h"

#include <algorithm>

namespace lyntra::fw {
namespace {
const char *const kNames[kFaultKinds] = {"fail", "short", "garbage", "notready", "delay"};
}

bool FaultPlan::parseKind(const QString &name, FaultKind *kind)
{
    for (int i = 0; i < kFaultKinds; ++i) {
        if (name == QLatin1String(kNames[i])) {
            *kind = FaultKind(i);
            return true;
        }
    }
    return false;
}

QString FaultPlan::name(FaultKind kind)
{
    return QString::fromLatin1(kNames[int(kind)]);
}

void FaultPlan::arm(FaultKind kind, int count, int delayMs)
{
    counts_[int(kind)] = std::max(0, count);
    if (kind == FaultKind::Delay)
        delayMs_ = std::clamp(delayMs, 0, kMaxDelayMs);
}

bool FaultPlan::take(FaultKind kind)
{
    int &count = counts_[int(kind)];
    if (count <= 0)
        return false;
    --count;
    return true;
}

void FaultPlan::clear()
{
    std::fill(std::begin(counts_), std::end(counts_), 0);
}

QJsonObject FaultPlan::toJson() const
{
    QJsonObject o;
    for (int i = 0; i < kFaultKinds; ++i)
        o.insert(QLatin1String(kNames[i]), counts_[i]);
    o.insert(QStringLiteral("delay_ms"), delayMs_);
    return o;
}

} // namespace lyntra::fw
