// Value types carried by the device object's signals. Declared here so that queued connections and
// QVariant/QSignalSpy can copy them across threads.
#pragma once

#include "ixmsgids.h"

#include <QMetaType>

Q_DECLARE_METATYPE(ixmsg_data_ch_t)
Q_DECLARE_METATYPE(ixmsg_data_clocksource_t)
Q_DECLARE_METATYPE(ixmsg_data_clocklock_t)
Q_DECLARE_METATYPE(ixmsg_data_adat_x4mode_t)

namespace qix {
// Registers the enumerations and the fixed-width integer spellings used in signal signatures, and
// routes the device library's diagnostics to the logging category "lyntra.link" (debug level).
// Idempotent; any thread. Called by the device object's constructor.
void register_metatypes();
} // namespace qix
