#include "devifusb.h"

#include "deviferror.h"
#include "ixdiag.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <libudev.h>
#include <libusb.h>
#include <string>
#include <unistd.h>

namespace {

// The unit in use: its path, its open handle (null until opened or after a failure), and what the
// last request to it met.
struct OpenUnit {
    std::string path;
    libusb_device_handle *handle = nullptr;
    devif_access access = DEVIF_ACCESS_OK;
};

struct UsbContext {
    libusb_context *ctx = nullptr;
    OpenUnit unit;
    ~UsbContext()
    {
        if (unit.handle)
            libusb_close(unit.handle);
        if (ctx)
            libusb_exit(ctx);
    }
};

UsbContext &usb_state()
{
    static UsbContext state;
    return state;
}

// The cached context, created on demand; null (with a diagnostic) when libusb cannot start.
libusb_context *context()
{
    UsbContext &state = usb_state();
    if (state.ctx)
        return state.ctx;
    libusb_context *ctx = nullptr;
    const int rc = libusb_init(&ctx);
    if (rc != LIBUSB_SUCCESS || !ctx) {
        DEVIF_PRINT_ERROR(rc, libusb_error_name(rc));
        IX_DIAG();
        return nullptr;
    }
    state.ctx = ctx;
    return ctx;
}

// A sysfs attribute of `device` as a number, or -1.
long number_attribute(udev_device *device, const char *name)
{
    const char *text = udev_device_get_sysattr_value(device, name);
    if (!text || !*text)
        return -1;
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end && (*end == '\0' || *end == '\n') ? value : -1;
}

// The unit is told by the strings the kernel read from it at attach time, so nothing is opened.
bool is_unit(udev_device *device)
{
    const char *manufacturer = udev_device_get_sysattr_value(device, "manufacturer");
    const char *product = udev_device_get_sysattr_value(device, "product");
    return manufacturer && product && std::strcmp(manufacturer, DEVIF_USB_MANUFACTURER) == 0 &&
           std::strncmp(product, DEVIF_USB_PRODUCT_PREFIX, std::strlen(DEVIF_USB_PRODUCT_PREFIX)) == 0;
}

// Opens the device at bus/address, or null; `*access` tells a refusal from a device that is not there.
libusb_device_handle *open_at(libusb_context *ctx, uint8_t bus, uint8_t address, devif_access *access)
{
    // libusb reports every refusal but EACCES as a plain I/O error, so the node is asked first: a
    // user without the rule gets EACCES, a device cgroup or security module EPERM.
    char node[32];
    std::snprintf(node, sizeof node, "/dev/bus/usb/%03u/%03u", bus, address);
    const int fd = ::open(node, O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        DEVIF_PRINT_ERRNO(err);
        *access = err == EACCES || err == EPERM ? DEVIF_ACCESS_DENIED
                  : err == EBUSY                ? DEVIF_ACCESS_BUSY
                                                : DEVIF_ACCESS_OK;
        return nullptr;
    }
    ::close(fd);

    libusb_device **list = nullptr;
    const ssize_t count = libusb_get_device_list(ctx, &list);
    if (count < 0) {
        DEVIF_PRINT_ERROR(static_cast<int>(count), libusb_error_name(static_cast<int>(count)));
        return nullptr;
    }
    libusb_device_handle *handle = nullptr;
    for (ssize_t i = 0; i < count; ++i) {
        if (libusb_get_bus_number(list[i]) != bus || libusb_get_device_address(list[i]) != address)
            continue;
        const int rc = libusb_open(list[i], &handle);
        if (rc != LIBUSB_SUCCESS) {
            DEVIF_PRINT_ERROR(rc, libusb_error_name(rc));
            *access = rc == LIBUSB_ERROR_ACCESS ? DEVIF_ACCESS_DENIED
                      : rc == LIBUSB_ERROR_BUSY ? DEVIF_ACCESS_BUSY
                                                : DEVIF_ACCESS_OK;
            handle = nullptr;
        }
        break;
    }
    libusb_free_device_list(list, 1);
    return handle;
}

// The handle of the unit at `path`, opening it unless it is the one already open.
libusb_device_handle *unit_handle(const char *path, uint8_t bus, uint8_t address)
{
    OpenUnit &unit = usb_state().unit;
    if (unit.handle && unit.path == path)
        return unit.handle;
    if (unit.handle)
        libusb_close(unit.handle);
    unit = OpenUnit{path, nullptr, DEVIF_ACCESS_OK};
    libusb_context *ctx = context();
    if (ctx)
        unit.handle = open_at(ctx, bus, address, &unit.access);
    return unit.handle;
}

// Decimal digits only (1 to 3 of them), at most `limit`; advances `*at` past them.
bool parse_number(const char **at, unsigned limit, unsigned *value)
{
    unsigned v = 0;
    int digits = 0;
    while (**at >= '0' && **at <= '9' && digits < 3) {
        v = v * 10 + static_cast<unsigned>(**at - '0');
        ++*at;
        ++digits;
    }
    if (digits == 0 || v > limit || (**at >= '0' && **at <= '9'))
        return false;
    *value = v;
    return true;
}

} // namespace

bool devif_usb_is_path(const char *path)
{
    return path && std::strncmp(path, DEVIF_USB_PREFIX, std::strlen(DEVIF_USB_PREFIX)) == 0;
}

bool devif_usb_parse_path(const char *path, uint8_t *bus, uint8_t *address)
{
    if (!devif_usb_is_path(path) || !bus || !address)
        return false;
    const char *at = path + std::strlen(DEVIF_USB_PREFIX);
    unsigned b = 0;
    unsigned a = 0;
    if (!parse_number(&at, 255, &b) || *at++ != ':' || !parse_number(&at, 127, &a) || *at != '\0')
        return false;
    *bus = static_cast<uint8_t>(b);
    *address = static_cast<uint8_t>(a);
    return true;
}

bool devif_usb_find(char *path, size_t capacity)
{
    if (!path || capacity == 0)
        return false;
    path[0] = '\0';
    udev *db = udev_new();
    if (!db) {
        IX_DIAG();
        return false;
    }
    udev_enumerate *list = udev_enumerate_new(db);
    bool found = false;
    if (list && udev_enumerate_add_match_subsystem(list, "usb") >= 0 &&
        udev_enumerate_add_match_property(list, "DEVTYPE", "usb_device") >= 0 &&
        udev_enumerate_scan_devices(list) >= 0) {
        udev_list_entry *entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(list))
        {
            udev_device *device = udev_device_new_from_syspath(db, udev_list_entry_get_name(entry));
            if (!device)
                continue;
            const long bus = number_attribute(device, "busnum");
            const long address = number_attribute(device, "devnum");
            if (is_unit(device) && bus >= 0 && bus <= 255 && address >= 0 && address <= 127) {
                char candidate[32];
                std::snprintf(candidate, sizeof candidate, "%s%ld:%ld", DEVIF_USB_PREFIX, bus, address);
                if (std::strlen(candidate) + 1 <= capacity) {
                    std::memcpy(path, candidate, std::strlen(candidate) + 1);
                    found = true;
                } else {
                    IX_DIAG();
                }
            }
            udev_device_unref(device);
        }
    } else {
        IX_DIAG();
    }
    udev_enumerate_unref(list);
    udev_unref(db);
    return found;
}

int devif_usb_control(const char *path, uint8_t request_type, uint8_t request, uint16_t value, uint16_t index,
                      uint8_t *data, uint16_t length)
{
    uint8_t bus = 0;
    uint8_t address = 0;
    if (!devif_usb_parse_path(path, &bus, &address) || !data || length == 0) {
        IX_DIAG();
        return 1;
    }
    libusb_device_handle *handle = unit_handle(path, bus, address);
    if (!handle) {
        IX_DIAG();
        return 1;
    }
    errno = 0;
    const int n = libusb_control_transfer(handle, request_type, request, value, index, data, length,
                                          DEVIF_USB_TIMEOUT_MS);
    // A submission the kernel refuses comes back as LIBUSB_ERROR_IO with the reason left in errno.
    const int err = errno;
    OpenUnit &unit = usb_state().unit;
    if (n < 0) {
        DEVIF_PRINT_ERROR(n, libusb_error_name(n));
        IX_DIAG_VALUE(static_cast<unsigned>(err));
        const bool busy = n == LIBUSB_ERROR_BUSY || (n == LIBUSB_ERROR_IO && err == EBUSY);
        unit.access = busy ? DEVIF_ACCESS_BUSY : DEVIF_ACCESS_OK;
        if (!busy && n != LIBUSB_ERROR_TIMEOUT) {
            // Unplugged or broken: the next request opens the unit afresh.
            libusb_close(unit.handle);
            unit.handle = nullptr;
        }
        return 1;
    }
    unit.access = DEVIF_ACCESS_OK;
    if (n != length) {
        IX_DIAG_VALUE(static_cast<unsigned>(n));
        return 1;
    }
    return 0;
}

devif_access devif_usb_access(const char *path)
{
    const OpenUnit &unit = usb_state().unit;
    return path && unit.path == path ? unit.access : DEVIF_ACCESS_OK;
}
