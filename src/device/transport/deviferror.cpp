#include "deviferror.h"

#include "ixdiag.h"

#include <cstdio>
#include <cstring>

void devif_print_error(const char *file, int line, int code, const char *text)
{
    const char *slash = std::strrchr(file, '/');
    char message[512];
    std::snprintf(message, sizeof message, "%s:%d:error %d %s", slash ? slash + 1 : file, line, code,
                  text ? text : std::strerror(code));
    ix_diag_line(message);
}
