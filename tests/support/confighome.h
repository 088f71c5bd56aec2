// The scratch settings folder that run-isolated.sh gives every run.
#pragma once

#include <QDir>
#include <QtGlobal>

namespace lyntra_test {

// Empties it. Unset, the variable would name the current folder (a build folder, a home): the run
// stops instead of removing that.
inline void clear_config_home()
{
    const QString dir = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (dir.isEmpty())
        qFatal("XDG_CONFIG_HOME is not set: run the test through cmake/run-isolated.sh");
    QDir(dir).removeRecursively();
}

} // namespace lyntra_test
