// OSC datagrams in and out, over liblo's message coding: a received datagram (one message or a bundle
// of them, nested) becomes plain messages; outgoing messages become datagrams, several to a bundle.
//
// Pure functions over their arguments; any thread. Nothing here trusts its input: a datagram that is no
// valid OSC yields nothing rather than failing.
#pragma once

#include "oscvalues.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace remote::wire {

// Largest datagram the server reads, and the size a bundle of answers stays under.
constexpr size_t kMaxDatagram = 65536;
constexpr size_t kBundleBudget = 1400;
// A bundle nested deeper than this, or carrying more messages, is dropped (what came before is kept).
constexpr int kMaxDepth = 4;
constexpr size_t kMaxMessages = 1024;

// One received message. `args` keeps every argument in order: numbers and texts as such, any other
// type as Arg::Kind::None (and its type character in `otherType`).
struct InMessage {
    std::string path;
    std::vector<Arg> args;
    char otherType = 0;
};

// Appends the messages of `data` to `out`; false when the datagram (or a part of a bundle) was no
// valid OSC, in which case `out` holds the valid messages that came before.
bool decode(const uint8_t *data, size_t size, std::vector<InMessage> &out);

// The datagrams carrying `messages` in order: a lone message as itself, more as bundles of at most
// kBundleBudget bytes (a message larger than that goes alone).
std::vector<std::vector<uint8_t>> encode(const std::vector<OutMessage> &messages);

// One message as a datagram; empty if liblo cannot code it.
std::vector<uint8_t> encodeOne(const OutMessage &message);

} // namespace remote::wire
