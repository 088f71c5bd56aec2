// Timing markers for benchmarks and end-to-end runs: with LYNTRA_BENCH set, the panel prints
// "lyntra-panel: <what>" on standard output at a few milestones (window shown, unit set up, unit
// lost). Printing is all they do.
#pragma once

namespace benchmarkers {

// Prints "lyntra-panel: <what>" when LYNTRA_BENCH is set and not empty. GUI thread.
void mark(const char *what);

} // namespace benchmarkers
