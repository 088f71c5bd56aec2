// Encoder and decoder of control messages: up to 64 bytes of typed items, no header, no checksum.
//
// Procedural on purpose: results are 0 for success and 1 for failure, nothing throws, and failures
// print one diagnostic line (ixdiag.h). Safe to call from any thread on buffers that thread owns.
#pragma once

#include "ixmsgids.h"

#include <cstddef>
#include <cstdint>

// A view of caller-owned storage. Encoding advances `position` by whole items; decoding consumes
// them. The buffer never owns `data`.
struct ixmsg_buf {
    uint8_t *data;
    uint8_t capacity;
    uint8_t position;
};

// Points `buf` at `capacity` bytes of `data` and starts at position 0.
void ixmsg_init(ixmsg_buf *buf, uint8_t *data, uint8_t capacity);

// Appends one item. `value` is the number for types 2-4; for type 5 `bytes` points at `length`
// payload bytes (1-61), copied into the buffer. Returns 0 and advances, or 1 with the position
// unchanged. An end item with no room left counts as written.
int ixmsg_put(ixmsg_buf *buf, uint8_t id, uint8_t type, uint32_t value, const uint8_t *bytes = nullptr,
              uint8_t length = 0);

// Reads the item at the position. Returns 0 and advances past it, or 1 when there is no further item
// (end item, end of buffer, truncated item, invalid type). For type 5, `*bytes` points into the
// buffer's storage and `*length` is the payload length; for types 1-4 the length is 0, 1, 2 or 4.
// Every output may be null.
int ixmsg_get(ixmsg_buf *buf, uint8_t *id, uint8_t *type, uint32_t *value, const uint8_t **bytes,
              uint8_t *length);

// One item of an entry, for the entry writer below. Type 5 items are not used in entries.
struct ixmsg_item {
    uint8_t id;
    uint8_t type;
    uint32_t value;
};

// Appends all `count` items or none: on any failure the buffer (data, capacity, position) is put
// back as it was and 1 is returned. A message therefore only ever holds whole entries.
int ixmsg_put_entry(ixmsg_buf *buf, const ixmsg_item *items, size_t count);

// Bytes an item of `type` takes (0 for an invalid type; for type 5 without the payload).
uint8_t ixmsg_item_size(uint8_t type);
