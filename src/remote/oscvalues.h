// What travels between the OSC server's thread and the GUI thread: a parsed argument, a value to send,
// the address of a client. Plain values, copied between threads, never shared.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace remote {

// An argument as the address table asks for it: a number (OSC i, h, f, d, T, F) or a text (s, S).
struct Arg {
    enum class Kind { None, Number, Text };
    Kind kind = Kind::None;
    double number = 0;
    std::string text;
};

// An argument the panel sends: int32, float32 or string.
using Value = std::variant<int32_t, float, std::string>;

// One OSC message as sent: its address and arguments.
struct OutMessage {
    std::string path;
    std::vector<Value> args;
};

// A client: IPv4 address and UDP port, both in host order.
struct Endpoint {
    uint32_t ip = 0;
    uint16_t port = 0;
    bool operator==(const Endpoint &o) const { return ip == o.ip && port == o.port; }
    bool operator!=(const Endpoint &o) const { return !(*this == o); }
    bool valid() const { return port != 0; }
};

// The error answer: "/lyntra/error" with the address asked and the reason.
inline const char *const kErrorPath = "/lyntra/error";
inline OutMessage errorMessage(const std::string &path, const std::string &reason)
{
    return {kErrorPath, {path, reason}};
}

} // namespace remote
