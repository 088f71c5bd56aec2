// Virtual-unit backend: a unit is a listening Unix stream socket in the discovery directory, and one
// request is one driver I/O control call on a connection to it. A unit serves any number of requests
// on one connection, so a caller may keep its connection open between requests (devif_socket_link).
//
// Worker thread only, one request at a time.
#pragma once

#include "devifabort.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

// Receive/send timeout of one exchange, so that a stuck unit cannot hold the worker.
constexpr int DEVIF_SOCKET_TIMEOUT_MS = 1000;

// Writes the discovery directory for `match_key` into `dir` (`capacity` bytes):
// "$XDG_RUNTIME_DIR/<key>" or, without that variable, "/tmp/<key>-<uid>". Returns false (dir empty)
// when it does not fit.
bool devif_socket_dir(const char *match_key, char *dir, size_t capacity);

// True when something accepts a connection on the socket at `path` (connects and hangs up at once).
bool devif_socket_listening(const char *path);

// Scans the discovery directory of `match_key`: every listening socket except the "*.ctl" control
// sockets is a unit, and the last one by name wins. The fallback directory in /tmp is looked in only when
// it is a folder of this user without group or other access. Copies the unit's path into `path`
// (`capacity` bytes); returns false with `path` empty when there is none.
bool devif_socket_find(const char *match_key, char *path, size_t capacity);

// The connection to one unit socket kept open between requests. Start from a default-constructed
// link; the owner closes it when it is done with the unit. The descriptor is atomic so that the owner
// may close it from another thread once the one that used it has ended (a worker deleted after its
// thread was joined).
struct devif_socket_link {
    std::atomic<int> fd{-1};
    // The socket the connection goes to (a socket address's path limit); stale while fd < 0.
    char path[108] = {};
};

// Closes the kept connection, if any; the link may be used again.
void devif_socket_link_close(devif_socket_link *link);

// One request on the unit socket at `path`: sends the I/O control frame (code, block length, the
// `block_size` bytes of `block`, `out_size`) and reads the answer (status, count, bytes). Succeeds (0)
// only with status 0 and exactly `out_size` bytes, which are then copied into `out` (caller-owned,
// may be null when `out_size` is 0). Any I/O error, timeout, EOF or mismatch gives 1 with a diagnostic
// and leaves `out` untouched. When `abort` (may be null) is raised the exchange gives up at once and
// fails without a diagnostic.
//
// With `link` (may be null) the request goes over the connection kept there, made first if there is
// none for `path`, and the connection stays open after a success. Any failure closes it, so that a
// late or partial answer never passes for the next one. A request the kept connection cannot even
// take (the unit hung up since: it went away or was started anew) is tried once on a new connection.
int devif_socket_exchange(const char *path, const uint8_t *block, size_t block_size, uint8_t *out,
                          uint16_t out_size, const devif_abort *abort = nullptr, devif_socket_link *link = nullptr);
