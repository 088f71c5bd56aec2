// Fuzz target: arbitrary bytes as a datagram reaching the OSC server, through the decoder and the
// message reader the server's thread runs. Broken invariants trap: a message read as a request names
// an address of the table and carries no NaN; what the decoder keeps re-encodes.
#include "oscrequest.h"
#include "oscwire.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<remote::wire::InMessage> messages;
    remote::wire::decode(data, size, messages);
    check(messages.size() <= remote::wire::kMaxMessages);
    const remote::Endpoint from{0x7f000001, 40000};
    for (const remote::wire::InMessage &m : messages) {
        check(!m.path.empty() && m.path[0] == '/');
        const remote::Parsed p = remote::parse(m, from);
        if (p.kind == remote::Parsed::Kind::Request) {
            check(remote::pathOf(p.request.address) == m.path);
            check(!std::isnan(p.request.value.number));
        }
        check(p.kind != remote::Parsed::Kind::Error || !p.error.empty());
        if (p.kind == remote::Parsed::Kind::Subscribe)
            check(p.who.port != 0);
    }
    return 0;
}
