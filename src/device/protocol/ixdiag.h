// One-line diagnostics of the device library: something went wrong that a developer may want to know
// about (a malformed item, a failed request). Normal outcomes (a message that is full, a unit that is
// not there) print nothing. Users never see these lines.
#pragma once

// Where the lines go: standard output until a sink is installed (the device object routes them to
// its logging category). `sink` receives one line without its newline. Any thread.
using ix_diag_sink = void (*)(const char *line);
void ix_diag_set_sink(ix_diag_sink sink);

// Hands one finished line to the sink.
void ix_diag_line(const char *line);

// "<module>:<line>:ERROR".
void ix_diag(const char *file, int line);
// "<module>:<line>:ERROR <value as %#x>".
void ix_diag_value(const char *file, int line, unsigned value);

#define IX_DIAG() ix_diag(__FILE__, __LINE__)
#define IX_DIAG_VALUE(v) ix_diag_value(__FILE__, __LINE__, (v))
