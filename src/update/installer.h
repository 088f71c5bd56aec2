// Which downloaded file is the installer, and handing it over.
#pragma once

#include <QString>
#include <QStringList>

namespace installer {

enum class Kind {
    None,
    Package, // ".deb": opened by the desktop's package installer
    Program, // ".AppImage", ".run", ".sh": started directly
};

// By the end of `fileName`, case ignored.
Kind kindOf(const QString &fileName);

// The first of `files` (in their order) that is an installer; empty when none is.
QString firstIn(const QStringList &files);

// Makes `path` executable for its owner and starts it as a detached process without a shell, in its
// own folder. False when it could not be started.
bool startProgram(const QString &path);

} // namespace installer
