// A file carrying an inter-process lock, so that two processes can agree on who owns a resource.
#pragma once

#include <QFile>

// The lock is an advisory record lock (fcntl) over the whole file, taken on this object's own open file
// description: it excludes other processes and other QtLockedFile objects of the same process alike, and
// the kernel drops it when the process ends, however it ends. Not thread-safe; use one object per thread.
class QtLockedFile : public QFile {
    Q_OBJECT
public:
    enum LockMode { NoLock = 0, ReadLock = 1, WriteLock = 2 };

    QtLockedFile();
    // `name`: path of the file; not opened yet.
    explicit QtLockedFile(const QString &name);
    // Unlocks if the file is open.
    ~QtLockedFile() override;

    // Opens like QFile::open. Truncation is refused (the content may belong to another process holding
    // the lock): warns "QtLockedFile::open(): Truncate mode not allowed." and returns false.
    bool open(OpenMode mode) override;
    // Closing the descriptor drops the lock with it; the mode follows.
    void close() override;

    // Takes a lock of `mode` on the open file. A held lock of another mode is released first; a held lock
    // of the same mode is kept. `block`: wait until the lock is free, else give up at once.
    // Returns true when the lock is held. Warns and returns false when the file is not open or the system
    // refuses for another reason than a conflicting lock. NoLock is the same as unlock().
    bool lock(LockMode mode, bool block = true);
    // Releases the lock. Returns true when no lock is held afterwards.
    bool unlock();

    bool isLocked() const { return m_lockMode != NoLock; }

private:
    // Returns 0 or the errno of the refusal.
    int applyLock(short type, bool block);

    LockMode m_lockMode = NoLock;
};
