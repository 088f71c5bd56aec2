// Finding the unit and the driver request primitive.
//
// Procedural like the protocol layer: 0 success, 1 failure, one diagnostic line per failure. Only the
// device worker thread calls this layer, one request at a time. A record may carry a link that keeps
// the connection to a virtual unit open between requests; without one every request connects anew.
#pragma once

#include "devifabort.h"

#include <cstddef>
#include <cstdint>

struct devif_socket_link;

constexpr size_t DEVIF_PATH_CAPACITY = 260;
constexpr char DEVIF_MATCH_KEY[] = "ixdev"; // the driver's service name, also the discovery directory

// The selection context of the worker: the path of the matched unit, zeroed when nothing was found.
// A virtual unit's path is its socket path; a USB unit's path starts with "usb:". Plain data: start
// from a zeroed record.
struct devif_device {
    char path[DEVIF_PATH_CAPACITY];
    // Raised by the owner when the program quits: a request in progress gives up at once and no new
    // attempt starts. Null: never. Owned by the caller.
    const devif_abort *abort;
    // The connection kept to a virtual unit between requests; null: one connection per request. Owned
    // by the caller, who closes it (devif_socket_link_close) when it drops the selection.
    devif_socket_link *link;
};

// True when `dev` has an abort and it was raised. Any thread.
bool devif_aborted(const devif_device *dev);

// What stood in the way of the last request to a unit that was found: nothing (also when the unit
// is simply gone), the system's permissions, or another user of the unit.
enum devif_access { DEVIF_ACCESS_OK = 0, DEVIF_ACCESS_DENIED = 1, DEVIF_ACCESS_BUSY = 2 };

// Looks for the unit whose driver matches `match_key`; copies its path into `path` (bounded by
// `capacity`, left empty when it does not fit). Honours LYNTRA_UNIT ("usb", "virtual" or a socket
// path); without it a USB unit wins over a listening virtual unit. Returns true when found.
bool devif_find_device(const char *match_key, char *path, size_t capacity);

// One vendor OUT request (`request`, `value`, `index`) carrying `length` payload bytes (1..64).
int devif_control_out(const devif_device *dev, uint8_t request, uint16_t value, uint16_t index,
                      uint16_t length, const uint8_t *payload);
// One vendor IN request for exactly `length` bytes into `out`; fewer bytes back is a failure.
int devif_control_in(const devif_device *dev, uint8_t request, uint16_t value, uint16_t index,
                     uint16_t length, uint8_t *out);

// What the last request to `dev` met (see devif_access). A virtual unit is always OK.
devif_access devif_unit_access(const devif_device *dev);
