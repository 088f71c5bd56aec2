// The system error behind a failed request, printed beside the diagnostic line for developers.
#pragma once

// Prints "<module>:<line>:error <code> <text>\n" to standard output; `text` may be null, then the
// errno text of `code` is used. Any thread.
void devif_print_error(const char *file, int line, int code, const char *text);

#define DEVIF_PRINT_ERRNO(err) devif_print_error(__FILE__, __LINE__, (err), nullptr)
#define DEVIF_PRINT_ERROR(code, text) devif_print_error(__FILE__, __LINE__, (code), (text))
