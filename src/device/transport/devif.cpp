// Unit selection and the two request primitives, dispatched on the path: "usb:..." goes to libusb,
// anything else is a virtual unit's socket.
#include "devif.h"

#include "devifblock.h"
#include "devifsocket.h"
#include "devifusb.h"
#include "ixdiag.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr uint8_t USB_VENDOR_OUT = 0x40;
constexpr uint8_t USB_VENDOR_IN = 0xC0;

bool usable(const devif_device *dev)
{
    return dev && dev->path[0] != '\0' && std::memchr(dev->path, '\0', DEVIF_PATH_CAPACITY) != nullptr;
}

} // namespace

bool devif_aborted(const devif_device *dev)
{
    return dev && dev->abort && dev->abort->raised();
}

bool devif_find_device(const char *match_key, char *path, size_t capacity)
{
    if (!match_key || !*match_key || !path || capacity == 0) {
        IX_DIAG();
        return false;
    }
    path[0] = '\0';
    const char *choice = std::getenv("LYNTRA_UNIT");
    if (!choice || !*choice)
        return devif_usb_find(path, capacity) || devif_socket_find(match_key, path, capacity);
    if (std::strcmp(choice, "usb") == 0)
        return devif_usb_find(path, capacity);
    if (std::strcmp(choice, "virtual") == 0)
        return devif_socket_find(match_key, path, capacity);

    // A socket path named by the user: that socket only, and only while a unit listens on it.
    const size_t length = std::strlen(choice);
    if (length + 1 > capacity || !devif_socket_listening(choice))
        return false;
    std::memcpy(path, choice, length + 1);
    return true;
}

int devif_control_out(const devif_device *dev, uint8_t request, uint16_t value, uint16_t index,
                      uint16_t length, const uint8_t *payload)
{
    if (!usable(dev) || length == 0 || !payload) {
        IX_DIAG();
        return 1;
    }
    if (devif_aborted(dev))
        return 1;
    if (devif_usb_is_path(dev->path)) {
        std::vector<uint8_t> data(payload, payload + length);
        return devif_usb_control(dev->path, USB_VENDOR_OUT, request, value, index, data.data(), length);
    }
    std::vector<uint8_t> block(devif_block_out_size(length));
    if (devif_block_out(request, value, index, payload, length, block.data(), block.size()) == 0) {
        IX_DIAG();
        return 1;
    }
    return devif_socket_exchange(dev->path, block.data(), block.size(), nullptr, 0, dev->abort, dev->link);
}

int devif_control_in(const devif_device *dev, uint8_t request, uint16_t value, uint16_t index,
                     uint16_t length, uint8_t *out)
{
    if (!usable(dev) || length == 0 || !out) {
        IX_DIAG();
        return 1;
    }
    if (devif_aborted(dev))
        return 1;
    if (devif_usb_is_path(dev->path)) {
        // Through a scratch buffer so that a short transfer leaves the caller's bytes as they were.
        std::vector<uint8_t> data(length);
        if (devif_usb_control(dev->path, USB_VENDOR_IN, request, value, index, data.data(), length) != 0)
            return 1;
        std::memcpy(out, data.data(), length);
        return 0;
    }
    uint8_t block[DEVIF_BLOCK_MIN_SIZE];
    devif_block_in(request, value, index, block, sizeof block);
    return devif_socket_exchange(dev->path, block, sizeof block, out, length, dev->abort, dev->link);
}

devif_access devif_unit_access(const devif_device *dev)
{
    return usable(dev) && devif_usb_is_path(dev->path) ? devif_usb_access(dev->path) : DEVIF_ACCESS_OK;
}
