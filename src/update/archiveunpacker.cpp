#include "archiveunpacker.h"

#include <QDir>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace {

using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;
using SupportFn = int (*)(archive *);

// A decompressor that libarchive lacks built in would run an external program (it then reports
// ARCHIVE_WARN): only built-in ones are used.
bool builtIn(SupportFn support)
{
    Reader probe(archive_read_new(), archive_read_free);
    return probe && support(probe.get()) == ARCHIVE_OK;
}

Reader newReader()
{
    static const SupportFn candidates[] = {archive_read_support_filter_gzip,
                                           archive_read_support_filter_bzip2, archive_read_support_filter_xz,
                                           archive_read_support_filter_zstd};
    static const std::vector<SupportFn> filters = [] {
        std::vector<SupportFn> usable;
        for (SupportFn f : candidates)
            if (builtIn(f))
                usable.push_back(f);
        return usable;
    }();
    Reader a(archive_read_new(), archive_read_free);
    if (!a)
        return a;
    archive_read_support_format_zip(a.get());
    archive_read_support_format_tar(a.get());
    for (SupportFn f : filters)
        f(a.get());
    return a;
}

bool writeAll(int fd, const char *data, size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
        offset += n;
    }
    return true;
}

class Extraction {
public:
    Extraction(const QString &root, const UnpackLimits &limits, qint64 archiveSize)
        : root_(root), limits_(limits),
          budget_(std::min(limits.totalBytes, archiveSize > 0 ? limits.ratio * archiveSize : 0))
    {}

    UnpackResult run(archive *a)
    {
        if (::mkdir(QFile::encodeName(root_).constData(), 0700) != 0)
            return {false, QStringLiteral("cannot create the folder"), {}};
        const QString why = extractAll(a);
        if (why.isEmpty())
            return {true, QString(), files_};
        QDir(root_).removeRecursively();
        return {false, why, {}};
    }

private:
    QString extractAll(archive *a)
    {
        archive_entry *entry = nullptr;
        int entries = 0;
        for (;;) {
            const int r = archive_read_next_header(a, &entry);
            if (r == ARCHIVE_EOF)
                return QString();
            if (r != ARCHIVE_OK)
                return QStringLiteral("unreadable archive: ") +
                       QString::fromLocal8Bit(archive_error_string(a));
            if (++entries > limits_.entries)
                return QStringLiteral("too many entries");
            const QString why = extractEntry(a, entry);
            if (!why.isEmpty())
                return why;
        }
    }

    QString extractEntry(archive *a, archive_entry *entry)
    {
        if (archive_entry_hardlink(entry) || archive_entry_symlink(entry))
            return QStringLiteral("links are not unpacked");
        const mode_t type = archive_entry_filetype(entry);
        if (type != AE_IFREG && type != AE_IFDIR)
            return QStringLiteral("only files and folders are unpacked");
        QString relative;
        const QString why = relativePath(entry, &relative);
        if (!why.isEmpty())
            return why;
        if (type == AE_IFDIR)
            return relative.isEmpty() ? QString() : makeFolders(relative);
        if (relative.isEmpty())
            return QStringLiteral("a file without a name");
        const int slash = relative.lastIndexOf(QLatin1Char('/'));
        if (slash > 0) {
            const QString folderWhy = makeFolders(relative.left(slash));
            if (!folderWhy.isEmpty())
                return folderWhy;
        }
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > budget_ - written_)
            return QStringLiteral("the archive unpacks to more than its limit");
        const QString fileWhy = writeFile(a, relative, archive_entry_perm(entry));
        if (fileWhy.isEmpty())
            files_ << relative;
        return fileWhy;
    }

    // The entry's path with "." and empty components dropped; refused when absolute or with "..".
    static QString relativePath(archive_entry *entry, QString *out)
    {
        const char *utf8 = archive_entry_pathname_utf8(entry);
        const char *raw = archive_entry_pathname(entry);
        const QString name = utf8 ? QString::fromUtf8(utf8) : raw ? QFile::decodeName(raw) : QString();
        if (name.startsWith(QLatin1Char('/')))
            return QStringLiteral("absolute path");
        QStringList kept;
        for (const QString &part : name.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            if (part == QLatin1String(".."))
                return QStringLiteral("path leaves the folder");
            if (part != QLatin1String("."))
                kept << part;
        }
        *out = kept.join(QLatin1Char('/'));
        return QString();
    }

    QString makeFolders(const QString &relative)
    {
        QString path = root_;
        for (const QString &part : relative.split(QLatin1Char('/'))) {
            path += QLatin1Char('/') + part;
            const QByteArray native = QFile::encodeName(path);
            if (::mkdir(native.constData(), 0755) == 0)
                continue;
            struct stat st;
            if (errno != EEXIST || ::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
                return QStringLiteral("cannot create a folder");
        }
        return QString();
    }

    QString writeFile(archive *a, const QString &relative, mode_t perm)
    {
        const QByteArray native = QFile::encodeName(root_ + QLatin1Char('/') + relative);
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            return QStringLiteral("cannot create a file (a name given twice?)");
        const QString why = copyData(a, fd);
        // Owner may always read and write; nothing set-id or writable by others.
        const mode_t mode = (perm & 0755) | 0600;
        if (::fchmod(fd, mode) != 0 && why.isEmpty()) {
            ::close(fd);
            return QStringLiteral("cannot set a file's mode");
        }
        if (::close(fd) != 0 && why.isEmpty())
            return QStringLiteral("cannot write a file");
        return why;
    }

    QString copyData(archive *a, int fd)
    {
        qint64 end = 0;
        for (;;) {
            const void *block = nullptr;
            size_t size = 0;
            la_int64_t offset = 0;
            const int r = archive_read_data_block(a, &block, &size, &offset);
            if (r == ARCHIVE_EOF)
                return QString();
            if (r != ARCHIVE_OK)
                return QStringLiteral("unreadable data: ") + QString::fromLocal8Bit(archive_error_string(a));
            if (offset < 0 || qint64(size) > budget_ || offset > budget_)
                return QStringLiteral("the archive unpacks to more than its limit");
            const qint64 blockEnd = offset + qint64(size);
            if (blockEnd > end) {
                written_ += blockEnd - end;
                end = blockEnd;
            }
            if (written_ > budget_)
                return QStringLiteral("the archive unpacks to more than its limit");
            if (!writeAll(fd, static_cast<const char *>(block), size, off_t(offset)))
                return QStringLiteral("cannot write a file");
        }
    }

    QString root_;
    UnpackLimits limits_;
    qint64 budget_;
    qint64 written_ = 0;
    QStringList files_;
};

UnpackResult unpack(archive *a, int opened, const QString &destination, const UnpackLimits &limits,
                    qint64 archiveSize)
{
    if (opened != ARCHIVE_OK)
        return {false,
                QStringLiteral("unreadable archive: ") + QString::fromLocal8Bit(archive_error_string(a)),
                {}};
    return Extraction(QDir::cleanPath(QFileInfo(destination).absoluteFilePath()), limits, archiveSize).run(a);
}

} // namespace

namespace archiveunpacker {

UnpackResult unpackFile(const QString &archivePath, const QString &destination, const UnpackLimits &limits)
{
    Reader a = newReader();
    if (!a)
        return {false, QStringLiteral("out of memory"), {}};
    const int opened =
        archive_read_open_filename(a.get(), QFile::encodeName(archivePath).constData(), 64 * 1024);
    return unpack(a.get(), opened, destination, limits, QFileInfo(archivePath).size());
}

UnpackResult unpackMemory(const QByteArray &bytes, const QString &destination, const UnpackLimits &limits)
{
    Reader a = newReader();
    if (!a)
        return {false, QStringLiteral("out of memory"), {}};
    const int opened = archive_read_open_memory(a.get(), bytes.constData(), size_t(bytes.size()));
    return unpack(a.get(), opened, destination, limits, bytes.size());
}

} // namespace archiveunpacker
