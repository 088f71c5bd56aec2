// The driver's side of the request stream: incremental parsing of I/O control calls and the checks the
// driver makes on the request block. Pure (no sockets, no Qt), so it is fuzzed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lyntra::fw {

constexpr uint32_t kIoctlCode = 0x222000;
constexpr uint32_t kMaxInputLength = 4096;
constexpr uint16_t kVendorFunction = 23;
constexpr uint8_t kRequestOut = 29;
constexpr uint8_t kRequestIn = 30;

// Answer status: 0 success; each refusal has its own code.
enum FrameStatus : uint32_t {
    kFrameOk = 0,
    kFrameBadCode = 0xC0000001,
    kFrameBadBlockLength = 0xC0000002,
    kFrameBadDirection = 0xC0000003,
    kFrameBadFunction = 0xC0000004,
    kFrameBadValueIndex = 0xC0000005,
    kFrameBadRequest = 0xC0000006,
    kFrameBadPayloadLength = 0xC0000007,
    kFrameBadOutputLength = 0xC0000008,
    kFrameInputTooLong = 0xC0000009,
    kFrameUnitFault = 0xC0000010, // injected by a test, not a malformed frame
    kFrameBadReserved = 0xC0000011,
};

struct DriverRequest {
    uint32_t status = kFrameOk;    // kFrameOk: a valid request
    bool in = false;               // true: request 30 (read 64 bytes); false: request 29 (message)
    std::vector<uint8_t> message;  // request 29: the 1..64 message bytes
    uint32_t outputLength = 0;     // as asked by the caller
    bool closeAfterAnswer = false; // the stream cannot be trusted past this frame
};

class FrameParser {
public:
    // Appends `length` bytes at `data` (caller-owned, read during the call only). Ignored once the
    // parser is closed.
    void feed(const uint8_t *data, size_t length);
    // Takes the next complete frame into `*out`. Returns false when none is complete yet.
    bool next(DriverRequest *out);
    // True after a frame with closeAfterAnswer was taken: nothing more is parsed.
    bool closed() const { return closed_; }
    // Bytes received but not yet part of a complete frame.
    size_t pending() const { return buffer_.size() - start_; }

private:
    std::vector<uint8_t> buffer_;
    size_t start_ = 0;
    bool closed_ = false;
};

// Checks one complete frame: `code`, the `block` of `blockLength` bytes and the `outputLength` asked for.
DriverRequest validateFrame(uint32_t code, const uint8_t *block, uint32_t blockLength, uint32_t outputLength);

// The answer on the stream: u32 status, u32 bytes returned, then `count` bytes at `bytes`.
std::vector<uint8_t> encodeAnswer(uint32_t status, const uint8_t *bytes, uint32_t count);

} // namespace lyntra::fw
