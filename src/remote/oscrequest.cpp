#include "oscrequest.h"

#include <cmath>

namespace remote {
namespace {

Parsed failed(std::string why)
{
    Parsed p;
    p.error = std::move(why);
    return p;
}

bool isNumber(const Arg &a)
{
    return a.kind == Arg::Kind::Number;
}

// "/lyntra/subscribe [port [meters]]" and "/lyntra/unsubscribe [port]": no port is the sender's own.
Parsed subscription(const wire::InMessage &m, const Endpoint &from, bool subscribe)
{
    const size_t most = subscribe ? 2 : 1;
    if (m.args.size() > most)
        return failed(subscribe ? "expects a port and, for meters, 1" : "expects a port");
    for (const Arg &a : m.args)
        if (!isNumber(a) || std::isnan(a.number))
            return failed("expects numbers");
    Parsed p;
    p.kind = subscribe ? Parsed::Kind::Subscribe : Parsed::Kind::Unsubscribe;
    p.who = {from.ip, from.port};
    if (!m.args.empty()) {
        const double port = m.args[0].number;
        if (!(port >= 1 && port <= 65535) || port != std::floor(port))
            return failed("a port is 1..65535");
        p.who.port = uint16_t(port);
    }
    p.meters = m.args.size() == 2 && m.args[1].number >= 0.5;
    return p;
}

std::string argumentProblem(Form form, const Arg &a, char otherType)
{
    switch (form) {
    case Form::ReadOnly:
        return "read-only";
    case Form::Text:
        return a.kind == Arg::Kind::Text ? std::string() : std::string("expects a text (s)");
    default:
        if (a.kind != Arg::Kind::Number)
            return otherType ? std::string("expects a number (i or f), not '") + otherType + "'"
                             : std::string("expects a number (i or f), not a text");
        if (std::isnan(a.number))
            return "NaN is not a value";
        return {};
    }
}

} // namespace

Parsed parse(const wire::InMessage &m, const Endpoint &from)
{
    if (m.path == kSubscribePath || m.path == kUnsubscribePath)
        return subscription(m, from, m.path == kSubscribePath);
    const Address a = lookup(m.path);
    if (!a.valid())
        return failed("unknown address");
    Parsed p;
    p.kind = Parsed::Kind::Request;
    p.request.address = a;
    p.request.from = from;
    if (m.args.empty()) {
        if (param(a).form == Form::Action)
            return failed("expects a scene number 1..10");
        p.request.kind = Request::Kind::Query;
        return p;
    }
    if (m.args.size() > 1)
        return failed("expects one argument");
    if (std::string why = argumentProblem(param(a).form, m.args[0], m.otherType); !why.empty())
        return failed(why);
    p.request.kind = Request::Kind::Set;
    p.request.value = m.args[0];
    return p;
}

} // namespace remote
