// Control messages over the request primitive: request 29 carries a message to the unit, request 30
// reads one 64-byte message from it. Worker thread only.
#pragma once

#include "devif.h"
#include "ixmsg.h"

constexpr uint8_t IXCTL_REQUEST_OUT = 29;
constexpr uint8_t IXCTL_REQUEST_IN = 30;

// Enumerates once into `record`. On success `*selected` = record and 0; otherwise `*selected` is left
// null and 1 is returned.
int ixctl_select(devif_device *record, devif_device **selected);
// Sends the `msg->position` bytes of `msg` (at most 64, else refused without I/O): up to 10 attempts,
// 5 ms apart.
int ixctl_send_msg(const devif_device *selected, const ixmsg_buf *msg);
// Reads one message: `buf` (capacity 64) holds the 64 bytes and its position is 0. One attempt.
int ixctl_recv_msg(const devif_device *selected, ixmsg_buf *buf);
