// The text commands of the control socket, one line in, one line of JSON out.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace lyntra::fw {

class Firmware;
class FaultPlan;
class TraceLog;

class ControlCommands {
public:
    // plug(true) plugs the unit in, plug(false) pulls it; returns false with an error text. Borrows the
    // collaborators; they must outlive this object. Same thread as the unit server.
    using PlugHook = std::function<bool(bool plug, QString *error)>;
    ControlCommands(Firmware &firmware, FaultPlan &faults, TraceLog &trace, PlugHook plug);

    // Executes one command line (without its newline) and returns compact JSON without a newline.
    // Unknown or malformed commands answer {"error":"..."}; nothing is changed then.
    QByteArray handle(const QString &line);

private:
    QByteArray set(const QStringList &args);
    QByteArray fault(const QStringList &args);
    QByteArray status() const;

    Firmware &firmware_;
    FaultPlan &faults_;
    TraceLog &trace_;
    PlugHook plug_;
    bool plugged_ = true;
};

} // namespace lyntra::fw
