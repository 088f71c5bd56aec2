// Feedback to subscribers: the last value each address was sent with, and which parts of the mix may
// have changed since. Every notice of the models marks its part, whatever made the change (a widget,
// a client, a scene load, a reconnection); shortly after, what differs from the last values sent
// goes to every subscriber. A client's own change goes to the others at once, and back to the client
// only where the panel kept another value than it sent (clamped or snapped).
//
// GUI thread only.
#pragma once

#include "addresstable.h"
#include "oscrequest.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>
#include <set>
#include <vector>

namespace remote {

struct Mix;

class Feedback : public QObject {
    Q_OBJECT

public:
    using Sink = std::function<void(std::vector<Outgoing>)>;
    // Follows the models of `mix` (which must outlive this object). `sink` sends what it gathers;
    // `listening` tells whether anyone is subscribed (when no one is, nothing is gathered).
    Feedback(Mix &mix, Sink sink, std::function<bool()> listening, QObject *parent = nullptr);

    // `from` set `a` to `sent` and the model took it.
    void changedBy(const Address &a, const Arg &sent, const Endpoint &from, std::vector<Outgoing> &out);
    // A new subscriber at `to` hears every value (after the others heard what changed meanwhile).
    void dumpTo(const Endpoint &to, std::vector<Outgoing> &out);
    // The scene names may have changed.
    void scenesChanged() { mark(Scope::Scene); }

private:
    void follow();
    void followStrips();
    void markInput(int input);
    void mark(Scope scope);
    void markAll();
    void collect();
    void gather(std::vector<Outgoing> &out);
    bool dirty(const Address &a) const;
    // The unit has the address's channel (inputs, line outputs, monitor) at all at this rate.
    bool present(const Address &a) const;

    Mix &mix_;
    Sink sink_;
    std::function<bool()> listening_;
    QTimer soon_;
    std::vector<std::optional<Value>> sent_;
    std::array<bool, 21> dirtyInputs_{};
    std::set<Scope> dirtyScopes_;
    // Nobody listened while things changed: the values sent are no guide any more.
    bool stale_ = true;
};

} // namespace remote
