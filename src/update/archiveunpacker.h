// Unpacks a downloaded archive (ZIP, or tar with gzip, bzip2, xz or zstd) in-process into a new folder,
// refusing anything that could write outside it or fill the disk. Only regular files and folders are
// written; on any refusal the folder is removed again, so nothing half-unpacked stays behind.
// Any thread; no Qt event loop needed.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct UnpackLimits {
    qint64 totalBytes = qint64(1) << 30; // whatever the archive claims
    qint64 ratio = 100;                  // unpacked bytes per archive byte
    int entries = 100000;
};

struct UnpackResult {
    bool ok = false;
    QString refusal;   // why the archive was refused (empty when ok)
    QStringList files; // the regular files written, relative to the folder, in archive order
};

namespace archiveunpacker {

// `destination` must not exist yet; its parent must. Holes of sparse entries count towards the limits.
UnpackResult unpackFile(const QString &archivePath, const QString &destination,
                        const UnpackLimits &limits = {});
UnpackResult unpackMemory(const QByteArray &bytes, const QString &destination,
                          const UnpackLimits &limits = {});

} // namespace archiveunpacker
