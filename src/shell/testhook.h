// A side channel for end-to-end tests and benchmarks: when LYNTRA_TEST_BOXES names a file, the panel
// appends one line per noteworthy event (a message box title, a window activation) to it instead of
// blocking on a box. Unset, nothing is written and boxes are shown as usual.
#pragma once

#include <QString>

namespace testhook {

// True when LYNTRA_TEST_BOXES is set and not empty. Read once per process; any thread.
bool active();

// Appends `line` and a newline to the hook file (opened and closed per call, so that a test reading
// it sees every line at once). Does nothing when the hook is inactive. GUI thread.
void note(const QString &line);

// True when LYNTRA_BENCH is set: the panel prints timing markers on standard output.
bool benchMarkers();

// Prints "lyntra-panel: <what>" on standard output when bench markers are on. GUI thread.
void benchMarker(const char *what);

} // namespace testhook
