// Fuzz target: the unit's request stream, fed in chunks whose sizes come from the input, with every
// accepted message applied to a firmware model and its replies drained.
#include "driver_frame.h"
#include "firmware.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace lyntra::fw;
    if (size == 0)
        return 0;
    // The first byte chooses how the stream is cut, so split frames get exercised too.
    const size_t chunk = size_t(data[0] % 32) + 1;
    ++data;
    --size;

    FrameParser parser;
    Firmware firmware(size % 2 ? Model::K1 : Model::K2);
    uint8_t reply[ReplyQueue::kReplySize];
    for (size_t at = 0; at < size && !parser.closed(); at += chunk) {
        parser.feed(data + at, size - at < chunk ? size - at : chunk);
        DriverRequest request;
        while (parser.next(&request)) {
            if (request.status != kFrameOk)
                continue;
            if (request.in)
                firmware.nextReply(reply);
            else
                firmware.apply(request.message.data(), request.message.size());
            if (request.message.size() > 64)
                __builtin_trap();
        }
    }
    while (firmware.hasPendingAnswers())
        firmware.nextReply(reply);
    if (data[-1] == 0xFF) // the JSON is slow to build; sample it
        (void)firmware.state();
    return 0;
}
