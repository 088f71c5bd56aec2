// What one received OSC message asks: a change or a query of an address of the table, a subscription,
// or nothing valid (with the reason, for the error address). Also what the server hands the GUI
// thread and what it gets back to send.
//
// parse() is a pure function over the constant address table: any thread.
#pragma once

#include "addresstable.h"
#include "oscvalues.h"
#include "oscwire.h"

#include <string>

namespace remote {

inline const char *const kSubscribePath = "/lyntra/subscribe";
inline const char *const kUnsubscribePath = "/lyntra/unsubscribe";
inline const char *const kMetersPath = "/lyntra/meters";

// Handed to the GUI thread: one change or query of an address, the whole state for a new subscriber,
// or meters wanted by some subscriber or by none any more.
struct Request {
    enum class Kind { Set, Query, Dump, Meters };
    Kind kind = Kind::Query;
    Address address;
    Arg value;
    Endpoint from;
    bool meters = false;
};

// Handed back to the server's thread to send: to one client, or to every subscriber but `endpoint`
// (when valid), or to those subscribed to meters.
struct Outgoing {
    enum class To { One, Subscribers, MeterSubscribers };
    To to = To::One;
    Endpoint endpoint;
    OutMessage message;
};

struct Parsed {
    enum class Kind { Request, Subscribe, Unsubscribe, Error };
    Kind kind = Kind::Error;
    Request request;
    Endpoint who;        // Subscribe, Unsubscribe: the client's listening address
    bool meters = false; // Subscribe
    std::string error;
};

// Reads `m`, sent from `from`: the address must be in the table (or a subscription's), and carry
// nothing (a query) or the one argument its form takes, never NaN.
Parsed parse(const wire::InMessage &m, const Endpoint &from);

} // namespace remote
