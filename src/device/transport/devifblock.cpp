#include "devifblock.h"

#include <cstring>

namespace {
void put_header(uint8_t *out, uint32_t direction, uint32_t length, uint8_t request, uint16_t value,
                uint16_t index)
{
    devif_put_u32(out, direction);
    devif_put_u32(out + 4, length);
    devif_put_u16(out + 8, DEVIF_FUNCTION_VENDOR_DEVICE);
    devif_put_u16(out + 10, value);
    devif_put_u16(out + 12, index);
    out[14] = 0;
    out[15] = request;
}
} // namespace

size_t devif_block_out_size(uint16_t length)
{
    const size_t size = DEVIF_BLOCK_HEADER_SIZE + length;
    return size < DEVIF_BLOCK_MIN_SIZE ? DEVIF_BLOCK_MIN_SIZE : size;
}

size_t devif_block_out(uint8_t request, uint16_t value, uint16_t index, const uint8_t *payload,
                       uint16_t length, uint8_t *out, size_t capacity)
{
    const size_t size = devif_block_out_size(length);
    if (!payload || length == 0 || !out || capacity < size)
        return 0;
    std::memset(out, 0, size);
    put_header(out, DEVIF_DIR_OUT, length, request, value, index);
    std::memcpy(out + DEVIF_BLOCK_HEADER_SIZE, payload, length);
    return size;
}

size_t devif_block_in(uint8_t request, uint16_t value, uint16_t index, uint8_t *out, size_t capacity)
{
    if (!out || capacity < DEVIF_BLOCK_MIN_SIZE)
        return 0;
    std::memset(out, 0, DEVIF_BLOCK_MIN_SIZE);
    put_header(out, DEVIF_DIR_IN, 0, request, value, index);
    return DEVIF_BLOCK_MIN_SIZE;
}

void devif_put_u16(uint8_t *at, uint16_t v)
{
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}

void devif_put_u32(uint8_t *at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t devif_get_u32(const uint8_t *at)
{
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}
