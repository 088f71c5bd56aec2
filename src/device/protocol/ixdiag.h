// One-line diagnostics of the device library. They go to standard output, which the panel never
// shows: they are for developers reading a terminal, not for users.
#pragma once

// Prints "<module>:<line>:ERROR\n".
void ix_diag(const char *file, int line);
// Prints "<module>:<line>:ERROR <value as %#x>\n".
void ix_diag_value(const char *file, int line, unsigned value);

#define IX_DIAG() ix_diag(__FILE__, __LINE__)
#define IX_DIAG_VALUE(v) ix_diag_value(__FILE__, __LINE__, (v))
