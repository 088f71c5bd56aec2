#include "ixdiag.h"

#include <atomic>
#include <cstdio>
#include <cstring>

namespace {

std::atomic<ix_diag_sink> g_sink{nullptr};

const char *module_name(const char *file)
{
    const char *slash = std::strrchr(file, '/');
    return slash ? slash + 1 : file;
}

} // namespace

void ix_diag_set_sink(ix_diag_sink sink)
{
    g_sink.store(sink);
}

void ix_diag_line(const char *line)
{
    if (const ix_diag_sink sink = g_sink.load()) {
        sink(line);
        return;
    }
    std::printf("%s\n", line);
    std::fflush(stdout);
}

void ix_diag(const char *file, int line)
{
    char text[256];
    std::snprintf(text, sizeof text, "%s:%d:ERROR", module_name(file), line);
    ix_diag_line(text);
}

void ix_diag_value(const char *file, int line, unsigned value)
{
    char text[256];
    std::snprintf(text, sizeof text, "%s:%d:ERROR %#x", module_name(file), line, value);
    ix_diag_line(text);
}
