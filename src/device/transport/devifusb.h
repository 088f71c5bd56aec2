// USB backend: vendor control transfers on endpoint 0 through libusb-1.0. No interface is claimed, so
// the kernel's audio driver stays attached.
//
// Worker thread only. Discovery reads the strings the system's device database holds for each USB
// device and opens nothing. The libusb context is created on the first request and kept for the life
// of the process; the unit stays open from its first request until a request fails for a reason other
// than a busy or slow unit, or another unit is asked for, so an unplugged unit fails its next request
// and is opened afresh (new address) when it comes back.
#pragma once

#include "devif.h"

#include <cstddef>
#include <cstdint>

constexpr char DEVIF_USB_PREFIX[] = "usb:";
constexpr char DEVIF_USB_MANUFACTURER[] = "AVENOR";
constexpr char DEVIF_USB_PRODUCT_PREFIX[] = "LYNTRA";
constexpr unsigned DEVIF_USB_TIMEOUT_MS = 1000;

// True when `path` names a USB unit ("usb:" prefix).
bool devif_usb_is_path(const char *path);

// Parses "usb:<bus>:<address>" strictly (decimal, bus 0..255, address 0..127, nothing after).
bool devif_usb_parse_path(const char *path, uint8_t *bus, uint8_t *address);

// Looks in the device database for a USB device whose manufacturer string is "AVENOR" and whose
// product string starts with "LYNTRA"; the last one enumerated wins. Writes "usb:<bus>:<address>" into
// `path` (`capacity` bytes). Returns false with `path` empty when none is found, the database cannot
// be read, or the path does not fit.
bool devif_usb_find(char *path, size_t capacity);

// One control transfer to the device at `path`: `request_type` 0x40 (OUT, `data` read) or 0xC0 (IN,
// `data` written), `length` bytes. Returns 0 only when exactly `length` bytes were transferred; else
// 1 with a diagnostic. `data` is caller-owned. What stood in the way is kept for devif_usb_access().
int devif_usb_control(const char *path, uint8_t request_type, uint8_t request, uint16_t value, uint16_t index,
                      uint8_t *data, uint16_t length);

// What the last request to the unit at `path` met: DEVIF_ACCESS_DENIED when the system refused to
// open its device node, DEVIF_ACCESS_BUSY when the node or a request was refused as busy, else OK
// (also for a path never asked for).
devif_access devif_usb_access(const char *path);
