#include "qtlockedfile.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

QtLockedFile::QtLockedFile() = default;

QtLockedFile::QtLockedFile(const QString &name) : QFile(name) {}

QtLockedFile::~QtLockedFile()
{
    if (isOpen())
        unlock();
}

bool QtLockedFile::open(OpenMode mode)
{
    if (mode & QIODevice::Truncate) {
        qWarning("QtLockedFile::open(): Truncate mode not allowed.");
        return false;
    }
    return QFile::open(mode);
}

void QtLockedFile::close()
{
    QFile::close();
    m_lockMode = NoLock;
}

bool QtLockedFile::lock(LockMode mode, bool block)
{
    if (!isOpen()) {
        qWarning("QtLockedFile::lock(): file is not opened");
        return false;
    }
    if (mode == NoLock)
        return unlock();
    if (mode == m_lockMode)
        return true;
    // A read lock does not turn into a write lock atomically anyway; releasing first keeps the
    // semantics the same whichever way the mode changes.
    if (m_lockMode != NoLock)
        unlock();

    const int err = applyLock(mode == ReadLock ? F_RDLCK : F_WRLCK, block);
    if (err != 0) {
        // A conflicting lock is the expected answer of a try; anything else is worth a line.
        if (block || (err != EAGAIN && err != EACCES))
            qWarning("QtLockedFile::lock(): fcntl failed: %s", std::strerror(err));
        return false;
    }
    m_lockMode = mode;
    return true;
}

bool QtLockedFile::unlock()
{
    if (!isOpen()) {
        qWarning("QtLockedFile::unlock(): file is not opened");
        return false;
    }
    if (!isLocked())
        return true;
    if (const int err = applyLock(F_UNLCK, false)) {
        qWarning("QtLockedFile::unlock(): fcntl failed: %s", std::strerror(err));
        return false;
    }
    m_lockMode = NoLock;
    return true;
}

int QtLockedFile::applyLock(short type, bool block)
{
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0; // the whole file, however long it grows

    // Locks owned by the open file description rather than the process: closing some other descriptor
    // of the same file elsewhere in the process must not silently drop our lock.
    const int cmd = block ? F_OFD_SETLKW : F_OFD_SETLK;
    for (;;) {
        if (::fcntl(handle(), cmd, &fl) == 0)
            return 0;
        if (errno != EINTR)
            return errno;
    }
}
