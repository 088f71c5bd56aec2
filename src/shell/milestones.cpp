#include "milestones.h"

#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcMilestone, "lyntra.milestone", QtWarningMsg)
}

namespace milestones {

void mark(const char *what)
{
    qCInfo(lcMilestone, "%s", what);
}

} // namespace milestones
