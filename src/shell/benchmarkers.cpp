#include "benchmarkers.h"

#include <QtGlobal>

#include <cstdio>

namespace benchmarkers {

void mark(const char *what)
{
    static const bool on = !qEnvironmentVariableIsEmpty("LYNTRA_BENCH");
    if (!on)
        return;
    std::printf("lyntra-panel: %s\n", what);
    std::fflush(stdout);
}

} // namespace benchmarkers
