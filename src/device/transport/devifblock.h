// The driver request block: the header the unit's driver expects in front of every request, and the
// frame that carries one request over a virtual unit's socket. Pure functions, any thread.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t DEVIF_DIR_OUT = 0;
constexpr uint32_t DEVIF_DIR_IN = 1;
constexpr uint16_t DEVIF_FUNCTION_VENDOR_DEVICE = 23;
constexpr size_t DEVIF_BLOCK_HEADER_SIZE = 16;
constexpr size_t DEVIF_BLOCK_MIN_SIZE = 20;
constexpr uint32_t DEVIF_IOCTL_CODE = 0x222000;

// Size of the OUT block for a payload of `length` bytes: 16 + length, never under 20.
size_t devif_block_out_size(uint16_t length);

// Writes the OUT block for `length` bytes of `payload` into `out` (`capacity` bytes, caller-owned).
// The header carries direction 0, the payload length, function 23, `value`, `index`, reserved 0 and
// `request`; the bytes between the payload and the minimum size are zero.
// Returns the block size, or 0 (nothing written) when `payload` is null, `length` is 0 or the block
// does not fit.
size_t devif_block_out(uint8_t request, uint16_t value, uint16_t index, const uint8_t *payload,
                       uint16_t length, uint8_t *out, size_t capacity);

// Writes the 20-byte IN block (direction 1, payload length 0, padding zero) into `out`.
// Returns 20, or 0 when `capacity` is below 20.
size_t devif_block_in(uint8_t request, uint16_t value, uint16_t index, uint8_t *out, size_t capacity);

// Little-endian field access shared by the block and the socket frames.
void devif_put_u16(uint8_t *at, uint16_t v);
void devif_put_u32(uint8_t *at, uint32_t v);
uint32_t devif_get_u32(const uint8_t *at);
