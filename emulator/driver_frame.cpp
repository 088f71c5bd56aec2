#include "driver_frame.h"

#include <algorithm>

namespace lyntra::fw {
namespace {

constexpr uint32_t kHeaderSize = 16;
constexpr uint32_t kMinBlock = 20;
constexpr uint32_t kMaxMessage = 64;
constexpr uint32_t kReplySize = 64;

uint32_t le32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void putLe32(std::vector<uint8_t> &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

DriverRequest refused(uint32_t status)
{
    DriverRequest r;
    r.status = status;
    return r;
}

} // namespace

DriverRequest validateFrame(uint32_t code, const uint8_t *block, uint32_t blockLength, uint32_t outputLength)
{
    if (code != kIoctlCode)
        return refused(kFrameBadCode);
    if (blockLength < kMinBlock || !block)
        return refused(kFrameBadBlockLength);
    const uint32_t direction = le32(block);
    const uint32_t payload = le32(block + 4);
    if (direction > 1)
        return refused(kFrameBadDirection);
    if (le16(block + 8) != kVendorFunction)
        return refused(kFrameBadFunction);
    if (le16(block + 10) != 0 || le16(block + 12) != 0)
        return refused(kFrameBadValueIndex);
    if (block[14] != 0)
        return refused(kFrameBadReserved);
    const uint8_t request = block[15];

    DriverRequest r;
    r.outputLength = outputLength;
    if (direction == 0) {
        if (request != kRequestOut)
            return refused(kFrameBadRequest);
        if (payload < 1 || payload > kMaxMessage)
            return refused(kFrameBadPayloadLength);
        if (blockLength != std::max(kHeaderSize + payload, kMinBlock))
            return refused(kFrameBadBlockLength);
        if (outputLength != 0)
            return refused(kFrameBadOutputLength);
        r.message.assign(block + kHeaderSize, block + kHeaderSize + payload);
        return r;
    }
    if (request != kRequestIn)
        return refused(kFrameBadRequest);
    if (payload != 0)
        return refused(kFrameBadPayloadLength);
    if (blockLength != kMinBlock)
        return refused(kFrameBadBlockLength);
    if (outputLength != kReplySize)
        return refused(kFrameBadOutputLength);
    r.in = true;
    return r;
}

void FrameParser::feed(const uint8_t *data, size_t length)
{
    if (closed_ || !data || length == 0)
        return;
    if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), data, data + length);
}

bool FrameParser::next(DriverRequest *out)
{
    if (closed_ || pending() < 8)
        return false;
    const uint8_t *p = buffer_.data() + start_;
    const uint32_t code = le32(p);
    const uint32_t inLength = le32(p + 4);
    if (inLength > kMaxInputLength) {
        // The rest of the stream cannot be framed: answer once, then stop.
        *out = refused(kFrameInputTooLong);
        out->closeAfterAnswer = true;
        closed_ = true;
        buffer_.clear();
        start_ = 0;
        return true;
    }
    const size_t frameSize = 8 + size_t(inLength) + 4;
    if (pending() < frameSize)
        return false;
    *out = validateFrame(code, p + 8, inLength, le32(p + 8 + inLength));
    start_ += frameSize;
    if (start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    } else if (start_ > 8192) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + std::ptrdiff_t(start_));
        start_ = 0;
    }
    return true;
}

std::vector<uint8_t> encodeAnswer(uint32_t status, const uint8_t *bytes, uint32_t count)
{
    std::vector<uint8_t> out;
    out.reserve(8 + count);
    putLe32(out, status);
    putLe32(out, bytes ? count : 0);
    if (bytes)
        out.insert(out.end(), bytes, bytes + count);
    return out;
}

} // namespace lyntra::fw
