// Driver I/O control frames as a host writes them to a unit socket, and the unit's answers.
//
//   out_frame(msg)                 request 29 carrying a message
//   in_frame()                     request 30 asking for 64 bytes
//   Frame f; f.function = 24; f.bytes()   any field wrong on purpose (defaults: a valid request 29)
//   exchange(socket, frame)        writes a frame, reads one whole answer {whole, status, bytes}
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QLocalSocket>

#include <algorithm>
#include <cstdint>

namespace frames {

constexpr uint32_t kCode = 0x222000;

inline void le32(QByteArray &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char(v >> (8 * i)));
}

inline uint32_t get_le32(const QByteArray &b, int at)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(uint8_t(b[at + i])) << (8 * i);
    return v;
}

struct Frame {
    uint32_t code = kCode;
    uint32_t direction = 0;
    int64_t lengthField = -1; // -1: the payload's real length
    uint16_t function = 23;
    uint16_t value = 0;
    uint16_t index = 0;
    uint8_t reserved = 0;
    uint8_t request = 29;
    QByteArray payload = QByteArray("\x10\x11", 2);
    int blockLength = -1; // -1: as a host computes it (header + payload, at least 20)
    uint32_t outputLength = 0;

    QByteArray bytes() const
    {
        QByteArray block;
        le32(block, direction);
        le32(block, lengthField < 0 ? uint32_t(payload.size()) : uint32_t(lengthField));
        block.append(char(function)).append(char(function >> 8));
        block.append(char(value)).append(char(value >> 8));
        block.append(char(index)).append(char(index >> 8));
        block.append(char(reserved)).append(char(request)).append(payload);
        block =
            block.leftJustified(blockLength >= 0 ? blockLength : std::max(int(block.size()), 20), '\0', true);
        QByteArray out;
        le32(out, code);
        le32(out, uint32_t(block.size()));
        out += block;
        le32(out, outputLength);
        return out;
    }
};

inline Frame in_request(uint32_t outputLength = 64)
{
    Frame f;
    f.direction = 1;
    f.request = 30;
    f.payload.clear();
    f.outputLength = outputLength;
    return f;
}
inline QByteArray in_frame(uint32_t outputLength = 64)
{
    return in_request(outputLength).bytes();
}
inline QByteArray out_frame(const QByteArray &msg)
{
    Frame f;
    f.payload = msg;
    return f.bytes();
}

struct Answer {
    bool whole = false;
    uint32_t status = 0;
    QByteArray bytes;
};

// Reads one answer; whatever follows it stays in the socket.
inline Answer read_answer(QLocalSocket &s, int timeout_ms = 10000)
{
    QDeadlineTimer deadline(timeout_ms);
    QByteArray got;
    auto need = [&] { return got.size() < 8 ? 8 : 8 + int(get_le32(got, 4)); };
    while (got.size() < need()) {
        if (!s.bytesAvailable() && !s.waitForReadyRead(int(deadline.remainingTime())))
            return {};
        got += s.read(need() - got.size());
    }
    return {true, get_le32(got, 0), got.mid(8)};
}

inline Answer exchange(QLocalSocket &s, const QByteArray &frame)
{
    s.write(frame);
    s.flush();
    return read_answer(s);
}

} // namespace frames
