#include "feedback.h"

#include "lineouts.h"
#include "mixaccess.h"
#include "mixermodel.h"
#include "monitormodel.h"
#include "unitstatus.h"

#include <cmath>

namespace remote {
namespace {

// A switch took what was sent when it reads as sent (0.7 is on); any other whole number when equal.
bool sameAsSent(const Value &now, const Arg &sent, Form form)
{
    if (const auto *i = std::get_if<int32_t>(&now))
        return sent.kind == Arg::Kind::Number
               && *i == (form == Form::Switch ? (sent.number >= 0.5 ? 1 : 0) : sent.number);
    if (const auto *f = std::get_if<float>(&now))
        return sent.kind == Arg::Kind::Number && *f == float(sent.number);
    return sent.kind == Arg::Kind::Text && std::get<std::string>(now) == sent.text;
}

Outgoing toAll(const Address &a, const Value &v, const Endpoint &except = {})
{
    return {Outgoing::To::Subscribers, except, {pathOf(a), {v}}};
}

// Connects every signal in `notices` of `from` to `slot`, whatever their arguments.
template <typename Source, typename... Signals>
void onAny(const Source *from, QObject *context, const std::function<void()> &slot, Signals... notices)
{
    (QObject::connect(from, notices, context, slot), ...);
}

} // namespace

Feedback::Feedback(Mix &mix, Sink sink, std::function<bool()> listening, QObject *parent)
    : QObject(parent), mix_(mix), sink_(std::move(sink)), listening_(std::move(listening)),
      sent_(allAddresses().size())
{
    soon_.setSingleShot(true);
    soon_.setInterval(0);
    connect(&soon_, &QTimer::timeout, this, &Feedback::collect);
    follow();
}

void Feedback::follow()
{
    followStrips();
    mixer::DynamicsModel *dyn = &mix_.mixer.dynamics();
    // A low cut switched comes with its low gain's knob change.
    connect(dyn, &mixer::DynamicsModel::knobChanged, this, [this](mixer::StripRef s) {
        for (int channel : mixer::channelsOf(s))
            markInput(channel);
    });
    const mixer::ReverbModel *reverb = &mix_.mixer.reverb();
    onAny(reverb, this, [this] { mark(Scope::Reverb); }, &mixer::ReverbModel::typeChanged,
          &mixer::ReverbModel::paramsChanged, &mixer::ReverbModel::onChanged, &mixer::ReverbModel::returnChanged);
    onAny(&mix_.mixer, this, [this] { markAll(); }, &mixer::MixerModel::loaded,
          &mixer::MixerModel::visibleChannelsChanged);
    connect(&mix_.lineOuts, &mixer::LineOutModel::choiceApplied, this, [this] { mark(Scope::LineOut); });
    onAny(&mix_.monitor, this, [this] { mark(Scope::Monitor); }, &mixer::MonitorModel::masterLevelChanged,
          &mixer::MonitorModel::levelChanged);
    // A new name may be a new model: everything it has and has not follows.
    connect(&mix_.unit, &mixer::UnitStatus::productNameChanged, this, [this] { markAll(); });
    onAny(&mix_.unit, this, [this] { mark(Scope::Status); }, &mixer::UnitStatus::sampleRateChanged,
          &mixer::UnitStatus::clockSourceReported, &mixer::UnitStatus::lockReported);
}

void Feedback::followStrips()
{
    using E = mixer::StripEvents;
    const auto strip = [this](mixer::StripRef ref, const std::function<void()> &mark) {
        onAny(&mix_.mixer.events(ref), this, mark, &E::phaseChanged, &E::eqChanged, &E::compChanged,
              &E::muteChanged, &E::soloChanged, &E::trueBypassChanged, &E::linkChanged, &E::sendPointChanged,
              &E::faderChanged, &E::panChanged, &E::sendChanged, &E::nameChanged);
    };
    for (int n = 1; n <= mixer::kTracks; ++n)
        strip(mixer::monoRef(n), [this, n] { markInput(n); });
    for (int p = 1; p <= mixer::kPairs; ++p)
        strip(mixer::pairRef(p), [this, p] {
            markInput(2 * p - 1);
            markInput(2 * p);
        });
    // The master's send 0 is the reverb return.
    strip(mixer::masterRef(), [this] {
        mark(Scope::Master);
        mark(Scope::Reverb);
    });
}

void Feedback::markInput(int input)
{
    if (input >= 1 && input <= mixer::kTracks)
        dirtyInputs_[size_t(input)] = true;
    soon_.start();
}

void Feedback::mark(Scope scope)
{
    dirtyScopes_.insert(scope);
    soon_.start();
}

void Feedback::markAll()
{
    dirtyInputs_.fill(true);
    for (Scope s : {Scope::Master, Scope::Reverb, Scope::LineOut, Scope::Monitor, Scope::Scene, Scope::Status})
        dirtyScopes_.insert(s);
    soon_.start();
}

bool Feedback::dirty(const Address &a) const
{
    const Scope scope = param(a).scope;
    return scope == Scope::Input ? dirtyInputs_[size_t(a.index)] : dirtyScopes_.count(scope) > 0;
}

bool Feedback::present(const Address &a) const
{
    switch (param(a).scope) {
    case Scope::Input:
        return mix_.mixer.pairVisible((a.index + 1) / 2);
    case Scope::LineOut:
    case Scope::Monitor:
        return unavailable(mix_, a).empty();
    default:
        return true;
    }
}

void Feedback::collect()
{
    std::vector<Outgoing> out;
    gather(out);
    if (!out.empty())
        sink_(std::move(out));
}

void Feedback::gather(std::vector<Outgoing> &out)
{
    if (!listening_()) {
        stale_ = true;
    } else if (!stale_) {
        for (const Address &a : allAddresses()) {
            if (!param(a).get || !dirty(a))
                continue;
            std::optional<Value> &last = sent_[ordinal(a)];
            if (!present(a)) {
                last.reset(); // heard of again, whole, when it comes back
                continue;
            }
            const Value now = param(a).get(mix_, a);
            if (last != now)
                out.push_back(toAll(a, now));
            last = now;
        }
    }
    dirtyInputs_.fill(false);
    dirtyScopes_.clear();
}

void Feedback::changedBy(const Address &a, const Arg &sent, const Endpoint &from, std::vector<Outgoing> &out)
{
    if (!param(a).get)
        return;
    const Value now = param(a).get(mix_, a);
    std::optional<Value> &last = sent_[ordinal(a)];
    if (!stale_ && last != now)
        out.push_back(toAll(a, now, from));
    last = now;
    if (!sameAsSent(now, sent, param(a).form))
        out.push_back({Outgoing::To::One, from, {pathOf(a), {now}}});
}

void Feedback::dumpTo(const Endpoint &to, std::vector<Outgoing> &out)
{
    gather(out);
    for (const Address &a : allAddresses()) {
        if (!param(a).get)
            continue;
        std::optional<Value> &last = sent_[ordinal(a)];
        if (!present(a)) {
            last.reset();
            continue;
        }
        last = param(a).get(mix_, a);
        out.push_back({Outgoing::To::One, to, {pathOf(a), {*last}}});
    }
    stale_ = false;
}

} // namespace remote
