// Faults the control socket arms: each kind spoils the next `count` requests it applies to.
#pragma once

#include <QJsonObject>
#include <QString>

namespace lyntra::fw {

enum class FaultKind { Fail, Short, Garbage, NotReady, Delay };
constexpr int kFaultKinds = 5;

class FaultPlan {
public:
    static constexpr int kDefaultDelayMs = 100;
    static constexpr int kMaxDelayMs = 10000;

    // "fail", "short", "garbage", "notready", "delay" -> kind; false for anything else.
    static bool parseKind(const QString &name, FaultKind *kind);
    static QString name(FaultKind kind);

    // Arms `count` (>= 0; 0 disarms) faults of `kind`; `delayMs` applies to Delay only.
    void arm(FaultKind kind, int count, int delayMs = kDefaultDelayMs);
    // Consumes one fault of `kind` if armed.
    bool take(FaultKind kind);
    int remaining(FaultKind kind) const { return counts_[int(kind)]; }
    int delayMs() const { return delayMs_; }
    void clear();
    QJsonObject toJson() const;

private:
    int counts_[kFaultKinds] = {};
    int delayMs_ = kDefaultDelayMs;
};

} // namespace lyntra::fw
