#include "devifwatch.h"

#include "devifsocket.h"
#include "ixdiag.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <libudev.h>
#include <poll.h>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr uint32_t kDirEvents = IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE_SELF |
                                IN_MOVE_SELF | IN_ATTRIB;
constexpr size_t kDirCapacity = 4096;

bool readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return fd >= 0 && ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

std::string parent_of(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

struct devif_watch {
    udev *db = nullptr;
    udev_monitor *monitor = nullptr;
    int inotify = -1;
    std::string dir;
    int dir_watch = -1;
    int parent_watch = -1;

    // The directory may not exist yet (no virtual unit ever ran): its parent then tells when it comes.
    void watch_dir()
    {
        if (inotify < 0 || dir.empty())
            return;
        if (dir_watch < 0)
            dir_watch = inotify_add_watch(inotify, dir.c_str(), kDirEvents | IN_ONLYDIR);
        if (parent_watch < 0)
            parent_watch = inotify_add_watch(inotify, parent_of(dir).c_str(),
                                             IN_CREATE | IN_MOVED_TO | IN_ONLYDIR);
    }

    bool watching_anything() const { return monitor || dir_watch >= 0 || parent_watch >= 0; }

    bool drain_inotify()
    {
        bool changed = false;
        alignas(inotify_event) char buffer[4096];
        while (readable(inotify)) {
            const ssize_t n = ::read(inotify, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (ssize_t at = 0; at < n;) {
                const auto *e = reinterpret_cast<const inotify_event *>(buffer + at);
                if (e->wd == dir_watch && (e->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)))
                    dir_watch = -1; // gone: watched again when the parent sees it come back
                if (e->wd == parent_watch && (e->mask & IN_IGNORED))
                    parent_watch = -1;
                changed = true;
                at += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
        if (changed)
            watch_dir();
        return changed;
    }

    bool drain_monitor()
    {
        bool changed = false;
        while (monitor && readable(udev_monitor_get_fd(monitor))) {
            udev_device *device = udev_monitor_receive_device(monitor);
            if (!device)
                break;
            const char *action = udev_device_get_action(device);
            if (action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0))
                changed = true;
            udev_device_unref(device);
        }
        return changed;
    }
};

devif_watch *devif_watch_open(const char *match_key)
{
    auto *w = new devif_watch;
    const char *choice = std::getenv("LYNTRA_UNIT");
    const bool named_socket = choice && *choice && std::strcmp(choice, "usb") != 0 &&
                              std::strcmp(choice, "virtual") != 0;
    const bool usb = !choice || !*choice || std::strcmp(choice, "usb") == 0;

    if (usb && (w->db = udev_new())) {
        w->monitor = udev_monitor_new_from_netlink(w->db, "udev");
        if (w->monitor && (udev_monitor_filter_add_match_subsystem_devtype(w->monitor, "usb", "usb_device") < 0 ||
                           udev_monitor_enable_receiving(w->monitor) < 0)) {
            udev_monitor_unref(w->monitor);
            w->monitor = nullptr;
        }
    }
    if (std::strcmp(choice ? choice : "", "usb") != 0) {
        char dir[kDirCapacity];
        if (named_socket)
            w->dir = parent_of(choice);
        else if (devif_socket_dir(match_key, dir, sizeof dir))
            w->dir = dir;
        w->inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        w->watch_dir();
    }
    if (!w->watching_anything())
        IX_DIAG();
    return w;
}

bool devif_watch_changed(devif_watch *watch)
{
    if (!watch)
        return true;
    const bool files = watch->drain_inotify();
    const bool devices = watch->drain_monitor();
    return files || devices || !watch->watching_anything();
}

void devif_watch_close(devif_watch *watch)
{
    if (!watch)
        return;
    if (watch->monitor)
        udev_monitor_unref(watch->monitor);
    if (watch->db)
        udev_unref(watch->db);
    if (watch->inotify >= 0)
        ::close(watch->inotify);
    delete watch;
}
