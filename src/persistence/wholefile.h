// Whole-file reads and replacements of the settings files. A replacement is written to a temporary
// file in the target's folder and renamed over the target, so an interruption leaves either the old
// file or the new one, never half of either.
//
// Plain functions; any thread, but callers keep to the GUI thread, where the settings objects live.
#pragma once

#include <QByteArray>
#include <QString>

namespace wholefile {

// Settings files are a few kilobytes; a larger file is not one of ours and is refused unread.
constexpr qint64 kMaxBytes = 16 * 1024 * 1024;

// Reads all of `path` into `data`. False, with `error` set, when the file cannot be opened, is larger
// than kMaxBytes or cannot be read to its end; `data` is then left as it was.
bool read(const QString &path, QByteArray *data, QString *error);

// Makes `data` the whole content of `path`, creating it if missing. False, with `error` set and
// `path` untouched, when the temporary file cannot be written or renamed. A replacement of the same
// size gets a modification time past the old file's: QSettings keeps its parse of a file while size
// and time stay the same, and must not miss the new content.
bool replace(const QString &path, const QByteArray &data, QString *error);

// Removes `path`. True also when there was nothing to remove.
bool remove(const QString &path, QString *error);

} // namespace wholefile
