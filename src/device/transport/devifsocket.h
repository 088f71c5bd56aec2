// Virtual-unit backend: a unit is a listening Unix stream socket in the discovery directory, and one
// request is one driver I/O control call carried over a fresh connection.
//
// Worker thread only, one request at a time; nothing is kept between calls.
#pragma once

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

// One request on the unit socket at `path`: sends the I/O control frame (code, block length, the
// `block_size` bytes of `block`, `out_size`) and reads the answer (status, count, bytes). Succeeds (0)
// only with status 0 and exactly `out_size` bytes, which are then copied into `out` (caller-owned,
// may be null when `out_size` is 0). Any I/O error, timeout, EOF or mismatch gives 1 with a diagnostic
// and leaves `out` untouched. When `abort` (may be null) becomes true the exchange gives up within
// about 50 ms and fails without a diagnostic.
int devif_socket_exchange(const char *path, const uint8_t *block, size_t block_size, uint8_t *out,
                          uint16_t out_size, const std::atomic<bool> *abort = nullptr);
