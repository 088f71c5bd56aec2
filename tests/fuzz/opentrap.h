// Sees every path the program opens or creates through open() and mkdir() while a rule is set, and
// remembers the first one the rule refuses. The fuzz program is linked with its symbols exported, so the
// libraries' calls (Qt's files among them) come here too before going on to the C library.
// Include in one source file of a program only.
#pragma once

#include <QDir>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdarg>
#include <functional>

namespace opentrap {

// (absolute path with "." and ".." resolved by name, true when the call creates or writes) -> allowed.
inline std::function<bool(const QString &, bool)> rule;
inline QString refused;

inline void check(const char *path, bool creates)
{
    thread_local bool busy = false; // the rule itself may open files
    if (!rule || busy || !path || !refused.isEmpty())
        return;
    busy = true;
    const QString full = QDir::cleanPath(QDir::current().absoluteFilePath(QFile::decodeName(path)));
    if (!rule(full, creates))
        refused = full;
    busy = false;
}

template <typename F> F next(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

inline int open(const char *name, const char *path, int flags, va_list ap)
{
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(ap, int)) : 0;
    check(path, (flags & (O_CREAT | O_TRUNC)) || (flags & O_ACCMODE) != O_RDONLY);
    return next<int (*)(const char *, int, ...)>(name)(path, flags, mode);
}

} // namespace opentrap

#define OPENTRAP_OPEN(name)                                                                                   \
    extern "C" int name(const char *path, int flags, ...)                                                    \
    {                                                                                                        \
        va_list ap;                                                                                          \
        va_start(ap, flags);                                                                                 \
        const int fd = opentrap::open(#name, path, flags, ap);                                               \
        va_end(ap);                                                                                          \
        return fd;                                                                                           \
    }
OPENTRAP_OPEN(open)
OPENTRAP_OPEN(open64)

extern "C" int mkdir(const char *path, mode_t mode)
{
    opentrap::check(path, true);
    return opentrap::next<int (*)(const char *, mode_t)>("mkdir")(path, mode);
}
