// Arbitrary bytes as a downloaded archive. Whatever the unpacker does, it creates nothing anywhere but in
// its folder, writes only regular files and folders there, none set-id or writable by others, within its
// limit, and leaves nothing behind when it refuses.
#include "archiveunpacker.h"
#include "opentrap.h"

#include <QDir>
#include <QDirIterator>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "fuzz_unpack: %s\n", qPrintable(what));
    std::abort();
}

// A plain buffer: the removal at exit must not depend on objects destroyed before it runs.
char sandbox[4096];

void removeSandbox()
{
    QDir(QFile::decodeName(sandbox)).removeRecursively();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!sandbox[0]) {
        qstrncpy(sandbox, QFile::encodeName(QDir::tempPath() + "/fuzz_unpack.XXXXXX").constData(),
                 sizeof sandbox);
        if (!mkdtemp(sandbox))
            fail(QStringLiteral("no temporary directory"));
        std::atexit(removeSandbox);
    }
    UnpackLimits limits;
    limits.totalBytes = 4 << 20;
    limits.entries = 1000;
    const QString out = QFile::decodeName(sandbox) + QStringLiteral("/out");
    opentrap::rule = [&out](const QString &path, bool creates) {
        return !creates || path == out || path.startsWith(out + QLatin1Char('/'));
    };
    const UnpackResult r = archiveunpacker::unpackMemory(
        QByteArray(reinterpret_cast<const char *>(data), int(size)), out, limits);
    opentrap::rule = nullptr;
    if (!opentrap::refused.isEmpty())
        fail(QStringLiteral("wrote outside its folder: ") + opentrap::refused);

    const QStringList left =
        QDir(QFile::decodeName(sandbox))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (left != (r.ok ? QStringList{QStringLiteral("out")} : QStringList()))
        fail(QStringLiteral("left beside or after refusing: ") + left.join(QLatin1Char(' ')));
    qint64 total = 0;
    QDirIterator it(out, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isSymLink() || !(info.isFile() || info.isDir()))
            fail(QStringLiteral("not a plain file or folder: ") + info.filePath());
        struct stat st;
        if (::lstat(QFile::encodeName(info.filePath()).constData(), &st) != 0 ||
            (st.st_mode & (S_ISUID | S_ISGID | S_IWGRP | S_IWOTH)))
            fail(QStringLiteral("set-id, or writable by others: ") + info.filePath());
        total += info.isFile() ? info.size() : 0;
    }
    if (total > limits.totalBytes || total > limits.ratio * qint64(size))
        fail(QStringLiteral("unpacked %1 bytes from %2").arg(total).arg(size));
    QDir(out).removeRecursively();
    return 0;
}
