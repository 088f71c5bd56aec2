// A few milestones of the panel's life (window shown, unit set up, unit lost, unit refused or opened) as info lines in the
// "lyntra.milestone" logging category, off unless asked for with
// QT_LOGGING_RULES="lyntra.milestone.info=true". Benchmarks and end-to-end runs time the panel by them.
#pragma once

namespace milestones {

// Logs "<what>" in lyntra.milestone. GUI thread.
void mark(const char *what);

} // namespace milestones
