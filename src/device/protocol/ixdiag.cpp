#include "ixdiag.h"

#include <cstdio>
#include <cstring>

namespace {
const char *module_name(const char *file)
{
    const char *slash = std::strrchr(file, '/');
    return slash ? slash + 1 : file;
}
} // namespace

void ix_diag(const char *file, int line)
{
    std::printf("%s:%d:ERROR\n", module_name(file), line);
    std::fflush(stdout);
}

void ix_diag_value(const char *file, int line, unsigned value)
{
    std::printf("%s:%d:ERROR %#x\n", module_name(file), line, value);
    std::fflush(stdout);
}
