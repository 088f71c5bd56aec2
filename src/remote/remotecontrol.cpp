#include "remotecontrol.h"

#include "feedback.h"
#include "oscserver.h"

#include <QMetaObject>

#include <cerrno>

namespace remote {
namespace {

// A flood is handed over at most this often; the window's own events come in between.
constexpr int kDrainIntervalMs = 5;

Outgoing toSender(const Request &r, OutMessage m)
{
    return {Outgoing::To::One, r.from, std::move(m)};
}

} // namespace

RemoteControl::RemoteControl(const Mix &mix, QObject *parent) : QObject(parent), mix_(mix)
{
    server_ = std::make_unique<OscServer>(
        [this] { QMetaObject::invokeMethod(this, &RemoteControl::drain, Qt::QueuedConnection); });
    feedback_ = std::make_unique<Feedback>(
        mix_, [this](std::vector<Outgoing> out) { server_->send(std::move(out)); },
        [this] { return server_->subscribers() > 0; });
    meterTimer_.setInterval(kMeterIntervalMs);
    connect(&meterTimer_, &QTimer::timeout, this, &RemoteControl::sendMeters);
    drainLater_.setSingleShot(true);
    connect(&drainLater_, &QTimer::timeout, this, &RemoteControl::drain);
}

RemoteControl::~RemoteControl()
{
    // No announcement may arrive once the object is going.
    server_->stop();
}

void RemoteControl::configure(const Config &config)
{
    config_ = config;
    server_->stop();
    meterTimer_.stop();
    problem_ = 0;
    state_ = State::Off;
    if (config.enabled) {
        problem_ = config.port >= 1 && config.port <= 65535 ? server_->start(uint16_t(config.port), config.network)
                                                            : EINVAL;
        state_ = problem_ == 0 ? State::Listening : State::Failed;
    }
    emit stateChanged();
}

void RemoteControl::scenesChanged()
{
    feedback_->scenesChanged();
}

void RemoteControl::drain()
{
    if (lastDrain_.isValid() && lastDrain_.elapsed() < kDrainIntervalMs) {
        if (!drainLater_.isActive())
            drainLater_.start(int(kDrainIntervalMs - lastDrain_.elapsed()));
        return;
    }
    lastDrain_.start();
    std::vector<Outgoing> out;
    for (const Request &r : server_->take())
        apply(r, out);
    server_->send(std::move(out));
}

void RemoteControl::apply(const Request &r, std::vector<Outgoing> &out)
{
    const std::string path = pathOf(r.address);
    switch (r.kind) {
    case Request::Kind::Dump:
        feedback_->dumpTo(r.from, out);
        return;
    case Request::Kind::Meters:
        r.meters ? meterTimer_.start() : meterTimer_.stop();
        return;
    case Request::Kind::Query:
        if (std::string why = unavailable(mix_, r.address); !why.empty())
            out.push_back(toSender(r, errorMessage(path, why)));
        else
            out.push_back(toSender(r, {path, {param(r.address).get(mix_, r.address)}}));
        return;
    case Request::Kind::Set: {
        std::string why = unavailable(mix_, r.address);
        if (why.empty())
            why = param(r.address).set(mix_, r.address, r.value);
        if (!why.empty())
            out.push_back(toSender(r, errorMessage(path, why)));
        else
            feedback_->changedBy(r.address, r.value, r.from, out);
        return;
    }
    }
}

void RemoteControl::sendMeters()
{
    if (!meters_)
        return;
    OutMessage m{kMetersPath, {}};
    for (float level : meters_())
        m.args.emplace_back(level);
    server_->send({{Outgoing::To::MeterSubscribers, {}, std::move(m)}});
}

} // namespace remote
