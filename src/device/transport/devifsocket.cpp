#include "devifsocket.h"

#include "devifblock.h"
#include "deviferror.h"
#include "ixdiag.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <dirent.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char CONTROL_SUFFIX[] = ".ctl";
constexpr size_t DIR_CAPACITY = 4096;

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool copy_bounded(const std::string &text, char *out, size_t capacity)
{
    if (text.size() + 1 > capacity) {
        if (capacity > 0)
            out[0] = '\0';
        return false;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

// Connected socket with both timeouts set, or -1. `quiet` keeps discovery probes from printing.
int connect_unit(const char *path, bool quiet)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const size_t length = std::strlen(path);
    if (length == 0 || length >= sizeof(addr.sun_path)) {
        if (!quiet)
            IX_DIAG();
        return -1;
    }
    std::memcpy(addr.sun_path, path, length + 1);

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        DEVIF_PRINT_ERRNO(errno);
        IX_DIAG();
        return -1;
    }
    timeval timeout{};
    timeout.tv_sec = DEVIF_SOCKET_TIMEOUT_MS / 1000;
    timeout.tv_usec = (DEVIF_SOCKET_TIMEOUT_MS % 1000) * 1000;
    // The send timeout also bounds connect() when the unit's backlog is full.
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    int rc;
    do {
        rc = ::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr);
    } while (rc < 0 && errno == EINTR);
    if (rc < 0) {
        const int err = errno;
        ::close(fd);
        if (!quiet) {
            DEVIF_PRINT_ERRNO(err);
            IX_DIAG();
        }
        return -1;
    }
    return fd;
}

// `quiet` keeps a failure that the caller expects and handles from printing.
bool send_all(int fd, const uint8_t *data, size_t size, bool quiet = false)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (!quiet)
                DEVIF_PRINT_ERRNO(errno);
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool raised(const devif_abort *abort)
{
    return abort && abort->raised();
}

// Waits in the kernel until `fd` has data, the deadline passes or `abort` is raised. False on
// timeout, abort or error.
bool wait_readable(int fd, std::chrono::steady_clock::time_point deadline, const devif_abort *abort)
{
    constexpr int kSliceMs = 50; // only for an abort without an event descriptor
    const int abortFd = abort ? abort->fd() : -1;
    for (;;) {
        if (raised(abort))
            return false;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            return false;
        pollfd p[2] = {{fd, POLLIN, 0}, {abortFd, POLLIN, 0}};
        const bool sliced = abort && abortFd < 0;
        const int rc = ::poll(p, abortFd >= 0 ? 2 : 1, int(sliced ? std::min<long long>(left, kSliceMs) : left));
        if (rc > 0 && p[0].revents != 0)
            return true;
        if (rc < 0 && errno != EINTR) {
            DEVIF_PRINT_ERRNO(errno);
            return false;
        }
    }
}

bool ends_with(const std::string &text, const char *suffix)
{
    const size_t n = std::strlen(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

std::vector<std::string> sorted_entries(const std::string &dir)
{
    std::vector<std::string> names;
    DIR *d = ::opendir(dir.c_str());
    if (!d)
        return names;
    while (const dirent *entry = ::readdir(d)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && !ends_with(name, CONTROL_SUFFIX))
            names.push_back(name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

// A real folder (a link is not) of this user that nobody else may enter. Another user cannot replace
// such a folder in the sticky temporary folder, so what is found in it stays this user's.
bool private_dir(const char *dir, bool *exists)
{
    struct stat info {};
    *exists = ::lstat(dir, &info) == 0;
    return *exists && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

} // namespace

bool devif_socket_dir(const char *match_key, char *dir, size_t capacity)
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string path;
    if (runtime && *runtime)
        path = std::string(runtime) + "/" + match_key;
    else
        path = std::string("/tmp/") + match_key + "-" + std::to_string(::getuid());
    return copy_bounded(path, dir, capacity);
}

bool devif_socket_listening(const char *path)
{
    const int fd = connect_unit(path, true);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool devif_socket_find(const char *match_key, char *path, size_t capacity)
{
    if (!path || capacity == 0)
        return false;
    path[0] = '\0';
    char dir[DIR_CAPACITY];
    if (!devif_socket_dir(match_key, dir, sizeof dir)) {
        IX_DIAG();
        return false;
    }
    // The fallback lies in the shared temporary folder, where anyone may have made it first.
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    bool exists = false;
    if (!(runtime && *runtime) && !private_dir(dir, &exists)) {
        if (exists)
            IX_DIAG();
        return false;
    }
    bool found = false;
    for (const std::string &name : sorted_entries(dir)) {
        const std::string candidate = std::string(dir) + "/" + name;
        struct stat info {};
        if (::lstat(candidate.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode))
            continue;
        // A socket file left behind by a unit that died is not a unit.
        if (!devif_socket_listening(candidate.c_str()))
            continue;
        if (candidate.size() + 1 > capacity) {
            IX_DIAG();
            continue;
        }
        copy_bounded(candidate, path, capacity);
        found = true;
    }
    return found;
}

void devif_socket_link_close(devif_socket_link *link)
{
    if (!link)
        return;
    // The path goes stale with the descriptor and is left as it is: the last close may come from the
    // thread that ends the link's owner, after the thread that used it has ended.
    const int fd = link->fd.exchange(-1);
    if (fd >= 0)
        ::close(fd);
}

namespace {

// The connection a request goes over: the one kept in `link` for `path`, else a new one (kept there
// when there is a link). `reused` tells that it was kept from an earlier request, `kept` that the link
// holds it now (otherwise the caller closes it).
int connection_for(const char *path, devif_socket_link *link, bool *reused, bool *kept)
{
    *reused = false;
    *kept = false;
    if (link && link->fd >= 0 && std::strcmp(link->path, path) == 0) {
        *reused = *kept = true;
        return link->fd;
    }
    devif_socket_link_close(link);
    const int fd = connect_unit(path, false);
    const size_t length = std::strlen(path);
    if (link && fd >= 0 && length < sizeof link->path) {
        std::memcpy(link->path, path, length + 1);
        link->fd = fd;
        *kept = true;
    }
    return fd;
}

// Reads the answer's header and its `out_size` bytes into `answer`. Header and bytes usually come as
// one piece, so they are taken together: one wait and one read per exchange rather than two of each.
int read_answer(int fd, uint16_t out_size, std::vector<uint8_t> *answer, const devif_abort *abort)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(DEVIF_SOCKET_TIMEOUT_MS);
    constexpr size_t kHead = 8;
    std::vector<uint8_t> whole(kHead + out_size);
    size_t have = 0;
    size_t need = kHead;
    while (have < need) {
        if (!wait_readable(fd, deadline, abort)) {
            if (!raised(abort))
                IX_DIAG();
            return 1;
        }
        const ssize_t n = ::recv(fd, whole.data() + have, whole.size() - have, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n < 0)
                DEVIF_PRINT_ERRNO(errno);
            else
                IX_DIAG(); // the unit hung up before the whole answer
            return 1;
        }
        have += size_t(n);
        if (need == kHead && have >= kHead) {
            const uint32_t status = devif_get_u32(whole.data());
            const uint32_t returned = devif_get_u32(whole.data() + 4);
            if (status != 0) {
                IX_DIAG_VALUE(status);
                return 1;
            }
            if (returned != out_size) {
                IX_DIAG_VALUE(returned);
                return 1;
            }
            need = kHead + out_size;
        }
    }
    answer->assign(whole.begin() + kHead, whole.end());
    return 0;
}

} // namespace

int devif_socket_exchange(const char *path, const uint8_t *block, size_t block_size, uint8_t *out,
                          uint16_t out_size, const devif_abort *abort, devif_socket_link *link)
{
    if (!path || !block || block_size > UINT32_MAX || (out_size > 0 && !out)) {
        IX_DIAG();
        return 1;
    }
    std::vector<uint8_t> frame(12 + block_size);
    devif_put_u32(frame.data(), DEVIF_IOCTL_CODE);
    devif_put_u32(frame.data() + 4, static_cast<uint32_t>(block_size));
    std::memcpy(frame.data() + 8, block, block_size);
    devif_put_u32(frame.data() + 8 + block_size, out_size);

    bool reused = false;
    bool kept = false;
    int fd = connection_for(path, link, &reused, &kept);
    if (fd < 0)
        return 1;
    // A connection the link does not keep lives for this request only.
    Fd once(kept ? -1 : fd);
    if (!send_all(fd, frame.data(), frame.size(), reused)) {
        if (!reused) {
            devif_socket_link_close(link);
            IX_DIAG();
            return 1;
        }
        // Nothing of the request reached a unit that hung up, so it may go again on a new connection.
        devif_socket_link_close(link);
        fd = connection_for(path, link, &reused, &kept);
        if (fd < 0)
            return 1;
        Fd retry(kept ? -1 : fd);
        if (!send_all(fd, frame.data(), frame.size())) {
            devif_socket_link_close(link);
            IX_DIAG();
            return 1;
        }
    }
    std::vector<uint8_t> answer;
    if (read_answer(fd, out_size, &answer, abort) != 0) {
        devif_socket_link_close(link);
        return 1;
    }
    if (out_size > 0)
        std::memcpy(out, answer.data(), out_size);
    return 0;
}
