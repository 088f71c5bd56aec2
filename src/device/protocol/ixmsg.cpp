#include "ixmsg.h"

#include "ixdiag.h"

#include <cstring>

namespace {
constexpr uint8_t kMaxBytesPayload = 61; // 3 header bytes + 61 fill a 64-byte message

void put_le(uint8_t *out, uint32_t value, uint8_t width)
{
    for (uint8_t i = 0; i < width; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t get_le(const uint8_t *in, uint8_t width)
{
    uint32_t value = 0;
    for (uint8_t i = 0; i < width; ++i)
        value |= static_cast<uint32_t>(in[i]) << (8 * i);
    return value;
}

uint8_t value_width(uint8_t type)
{
    switch (type) {
    case IXMSG_T_U8: return 1;
    case IXMSG_T_U16: return 2;
    case IXMSG_T_U32: return 4;
    default: return 0;
    }
}
} // namespace

uint8_t ixmsg_item_size(uint8_t type)
{
    switch (type) {
    case IXMSG_T_END:
    case IXMSG_T_FLAG: return 2;
    case IXMSG_T_U8:
    case IXMSG_T_U16:
    case IXMSG_T_U32: return static_cast<uint8_t>(2 + value_width(type));
    case IXMSG_T_BYTES: return 3;
    default: return 0;
    }
}

void ixmsg_init(ixmsg_buf *buf, uint8_t *data, uint8_t capacity)
{
    buf->data = data;
    buf->capacity = capacity;
    buf->position = 0;
}

int ixmsg_put(ixmsg_buf *buf, uint8_t id, uint8_t type, uint32_t value, const uint8_t *bytes, uint8_t length)
{
    const unsigned room = buf->position < buf->capacity ? unsigned(buf->capacity - buf->position) : 0u;
    if (room < 2)
        return (type == IXMSG_T_END && id == IXMSG_ID_END) ? 0 : 1;
    if (type == IXMSG_T_END && id != IXMSG_ID_END) {
        IX_DIAG();
        return 1;
    }
    if (type > IXMSG_T_BYTES) {
        IX_DIAG();
        return 1;
    }

    unsigned size = ixmsg_item_size(type);
    if (type == IXMSG_T_BYTES) {
        if (length == 0 || length > kMaxBytesPayload || bytes == nullptr) {
            IX_DIAG();
            return 1;
        }
        size += length;
    }
    if (size > room)
        return 1; // a full message is how every message ends, not an error

    uint8_t *out = buf->data + buf->position;
    out[0] = id;
    out[1] = type;
    if (type == IXMSG_T_BYTES) {
        out[2] = length;
        std::memcpy(out + 3, bytes, length);
    } else {
        put_le(out + 2, value, value_width(type));
    }
    buf->position = static_cast<uint8_t>(buf->position + size);
    return 0;
}

int ixmsg_get(ixmsg_buf *buf, uint8_t *id, uint8_t *type, uint32_t *value, const uint8_t **bytes, uint8_t *length)
{
    const unsigned room = buf->position < buf->capacity ? unsigned(buf->capacity - buf->position) : 0u;
    if (room < 2)
        return 1;
    const uint8_t *in = buf->data + buf->position;
    const uint8_t item_type = in[1];
    if (item_type == IXMSG_T_END)
        return 1;
    if (item_type > IXMSG_T_BYTES) {
        IX_DIAG_VALUE(item_type);
        return 1;
    }

    unsigned size = ixmsg_item_size(item_type);
    if (size > room)
        return 1;
    uint32_t item_value = 0;
    const uint8_t *payload = nullptr;
    uint8_t item_length = value_width(item_type);
    if (item_type == IXMSG_T_BYTES) {
        item_length = in[2];
        size += item_length;
        if (size > room)
            return 1;
        payload = in + 3;
    } else {
        item_value = get_le(in + 2, item_length);
    }

    if (id)
        *id = in[0];
    if (type)
        *type = item_type;
    if (value)
        *value = item_value;
    if (bytes)
        *bytes = payload;
    if (length)
        *length = item_length;
    buf->position = static_cast<uint8_t>(buf->position + size);
    return 0;
}

int ixmsg_put_entry(ixmsg_buf *buf, const ixmsg_item *items, size_t count)
{
    const ixmsg_buf saved = *buf;
    for (size_t i = 0; i < count; ++i) {
        if (ixmsg_put(buf, items[i].id, items[i].type, items[i].value) != 0) {
            *buf = saved;
            return 1;
        }
    }
    return 0;
}
