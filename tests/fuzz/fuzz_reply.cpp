// Fuzz target: arbitrary bytes as the unit's replies, through the device object's reply path while it
// awaits a reply, and straight through the item decoder. Broken invariants trap, so logic faults show
// up as crashes, not only memory errors.
#include "idledevice.h"
#include "ixmsg.h"

#include <QByteArray>
#include <QObject>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

// Walks every item the decoder yields from `size` bytes and checks that each stays inside the buffer.
void decode_all(const uint8_t *data, size_t size)
{
    uint8_t storage[255];
    const auto capacity = static_cast<uint8_t>(size > sizeof storage ? sizeof storage : size);
    std::memcpy(storage, data, capacity);
    ixmsg_buf buf;
    ixmsg_init(&buf, storage, capacity);
    uint8_t id = 0, type = 0, length = 0;
    uint32_t value = 0;
    const uint8_t *bytes = nullptr;
    int items = 0;
    uint8_t before = buf.position;
    while (ixmsg_get(&buf, &id, &type, &value, &bytes, &length) == 0) {
        ++items;
        check(type >= IXMSG_T_FLAG && type <= IXMSG_T_BYTES);
        check(buf.position > before && buf.position <= capacity);
        if (type == IXMSG_T_BYTES) {
            check(bytes == storage + before + 3);
            check(before + 3u + length == buf.position);
        } else {
            check(buf.position - before == ixmsg_item_size(type));
        }
        before = buf.position;
    }
    // Every item takes at least two bytes; a failed read must not move the position.
    check(items <= capacity / 2);
    check(buf.position == before);
}

struct Watch {
    int sends = 0;
    int polls = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    decode_all(data, size);

    QByteArray reply(reinterpret_cast<const char *>(data), int(size < 64 ? size : 64));
    reply.append(64 - reply.size(), '\0');

    IdleDevice dev;
    Watch watch;
    QObject::connect(&dev, &QIXDevice::sig_ix_send, [&watch](const QByteArray &msg) {
        check(!msg.isEmpty() && msg.size() <= 64);
        ++watch.sends;
    });
    QObject::connect(&dev, &QIXDevice::sig_ix_recv, [&watch] { ++watch.polls; });

    // A pending setting while not ready puts the device into awaiting a reply (one poll out).
    check(dev.set_fader(IXMSG_DATA_CH_INPUT, 1, -50));
    check(watch.polls == 1 && watch.sends == 0);
    dev.recv_ix_recv_result(true, reply);
    // At most the one pending message may go out, and only in answer to a ready token.
    check(watch.sends <= 1);
    if (watch.sends == 1)
        dev.recv_ix_send_result(true);

    // The whole input once more, as a later reply of any length (cut into 64-byte pieces).
    const int capped = int(size < 4096 ? size : 4096);
    dev.get_meter();
    dev.recv_ix_recv_result(true, QByteArray(reinterpret_cast<const char *>(data), capped));
    check(watch.sends <= 2);
    return 0;
}
