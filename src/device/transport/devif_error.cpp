#include "devif_error.h"

#include <cstdio>
#include <cstring>

void devif_print_error(const char *file, int line, int code, const char *text)
{
    const char *slash = std::strrchr(file, '/');
    std::printf("%s:%d:error %d %s\n", slash ? slash + 1 : file, line, code,
                text ? text : std::strerror(code));
    std::fflush(stdout);
}
