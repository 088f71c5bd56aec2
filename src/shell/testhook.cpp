#include "testhook.h"

#include <QFile>

#include <cstdio>

namespace {

QString hookPath()
{
    static const QString path = QString::fromLocal8Bit(qgetenv("LYNTRA_TEST_BOXES"));
    return path;
}

} // namespace

namespace testhook {

bool active()
{
    return !hookPath().isEmpty();
}

void note(const QString &line)
{
    if (!active())
        return;
    QFile file(hookPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "lyntra-panel: cannot append to %s\n", qPrintable(hookPath()));
        return;
    }
    file.write(line.toUtf8() + '\n');
}

bool benchMarkers()
{
    static const bool on = !qEnvironmentVariableIsEmpty("LYNTRA_BENCH");
    return on;
}

void benchMarker(const char *what)
{
    if (!benchMarkers())
        return;
    std::printf("lyntra-panel: %s\n", what);
    std::fflush(stdout);
}

} // namespace testhook
