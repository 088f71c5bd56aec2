#include "oscwire.h"

#include <lo/lo_lowlevel.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace remote::wire {
namespace {

constexpr char kBundleTag[] = "#bundle";
constexpr size_t kBundleHeader = 16; // "#bundle\0" and the time tag

uint32_t readBigEndian(const uint8_t *p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

void appendBigEndian(std::vector<uint8_t> &out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

// liblo's arguments sit on 4-byte boundaries inside the message, less than its union's alignment:
// each is copied out of its bytes, never read through the union.
template <typename T> T copied(const void *at)
{
    T v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

Arg argOf(char type, const void *a)
{
    Arg arg;
    switch (type) {
    case LO_INT32:
        arg.number = copied<int32_t>(a);
        break;
    case LO_INT64:
        arg.number = double(copied<int64_t>(a));
        break;
    case LO_FLOAT:
        arg.number = copied<float>(a);
        break;
    case LO_DOUBLE:
        arg.number = copied<double>(a);
        break;
    case LO_TRUE:
    case LO_FALSE:
        arg.number = type == LO_TRUE ? 1 : 0;
        break;
    case LO_STRING:
    case LO_SYMBOL:
        arg.kind = Arg::Kind::Text;
        arg.text = static_cast<const char *>(a);
        return arg;
    default:
        return arg;
    }
    arg.kind = Arg::Kind::Number;
    return arg;
}

struct MessageDeleter {
    void operator()(lo_message m) const { lo_message_free(m); }
};
using MessagePtr = std::unique_ptr<std::remove_pointer_t<lo_message>, MessageDeleter>;

bool decodeMessage(const uint8_t *data, size_t size, std::vector<InMessage> &out)
{
    // liblo reads in place and wants a writable, aligned buffer of its own.
    std::vector<uint32_t> copy((size + 3) / 4);
    std::memcpy(copy.data(), data, size);
    const char *path = lo_get_path(copy.data(), ssize_t(size));
    if (!path || path[0] != '/')
        return false;
    int result = 0;
    const MessagePtr m(lo_message_deserialise(copy.data(), size, &result));
    if (!m)
        return false;
    InMessage in;
    in.path = path;
    const char *types = lo_message_get_types(m.get());
    lo_arg **argv = lo_message_get_argv(m.get());
    const int argc = lo_message_get_argc(m.get());
    for (int i = 0; i < argc; ++i) {
        in.args.push_back(argOf(types[i], static_cast<const void *>(argv[i])));
        if (in.args.back().kind == Arg::Kind::None && !in.otherType)
            in.otherType = types[i];
    }
    out.push_back(std::move(in));
    return true;
}

bool decodeAt(const uint8_t *data, size_t size, std::vector<InMessage> &out, int depth)
{
    if (size < 4 || size % 4 != 0 || out.size() >= kMaxMessages)
        return false;
    if (size < sizeof kBundleTag || std::memcmp(data, kBundleTag, sizeof kBundleTag) != 0)
        return decodeMessage(data, size, out);
    if (depth >= kMaxDepth || size < kBundleHeader)
        return false;
    // Time tags are not honoured: everything applies on arrival.
    for (size_t at = kBundleHeader; at < size;) {
        if (size - at < 4)
            return false;
        const uint32_t length = readBigEndian(data + at);
        at += 4;
        if (length > size - at || !decodeAt(data + at, length, out, depth + 1))
            return false;
        at += length;
    }
    return true;
}

void addValue(lo_message m, const Value &v)
{
    if (const auto *i = std::get_if<int32_t>(&v))
        lo_message_add_int32(m, *i);
    else if (const auto *f = std::get_if<float>(&v))
        lo_message_add_float(m, *f);
    else
        lo_message_add_string(m, std::get<std::string>(v).c_str());
}

} // namespace

bool decode(const uint8_t *data, size_t size, std::vector<InMessage> &out)
{
    return data && decodeAt(data, size, out, 0);
}

std::vector<uint8_t> encodeOne(const OutMessage &message)
{
    const MessagePtr m(lo_message_new());
    if (!m)
        return {};
    for (const Value &v : message.args)
        addValue(m.get(), v);
    size_t size = 0;
    void *bytes = lo_message_serialise(m.get(), message.path.c_str(), nullptr, &size);
    if (!bytes)
        return {};
    std::vector<uint8_t> out(static_cast<uint8_t *>(bytes), static_cast<uint8_t *>(bytes) + size);
    std::free(bytes);
    return out;
}

std::vector<std::vector<uint8_t>> encode(const std::vector<OutMessage> &messages)
{
    std::vector<std::vector<uint8_t>> datagrams;
    if (messages.size() == 1) {
        if (auto one = encodeOne(messages.front()); !one.empty())
            datagrams.push_back(std::move(one));
        return datagrams;
    }
    std::vector<uint8_t> bundle;
    auto close = [&] {
        if (bundle.size() > kBundleHeader)
            datagrams.push_back(std::move(bundle));
        bundle.clear();
    };
    for (const OutMessage &message : messages) {
        const std::vector<uint8_t> one = encodeOne(message);
        if (one.empty())
            continue;
        if (!bundle.empty() && bundle.size() + 4 + one.size() > kBundleBudget)
            close();
        if (bundle.empty()) {
            bundle.assign(kBundleTag, kBundleTag + sizeof kBundleTag);
            appendBigEndian(bundle, 0); // time tag "immediately"
            appendBigEndian(bundle, 1);
        }
        appendBigEndian(bundle, uint32_t(one.size()));
        bundle.insert(bundle.end(), one.begin(), one.end());
    }
    close();
    return datagrams;
}

} // namespace remote::wire
