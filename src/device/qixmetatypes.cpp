#include "qixmetatypes.h"

#include "ixdiag.h"

#include <QLoggingCategory>

#include <cstdint>

// The device library's diagnostics, off unless asked for (QT_LOGGING_RULES="lyntra.link.debug=true").
Q_LOGGING_CATEGORY(lcLink, "lyntra.link", QtWarningMsg)

namespace {

void to_category(const char *line)
{
    qCDebug(lcLink, "%s", line);
}

} // namespace

namespace qix {

void register_metatypes()
{
    ix_diag_set_sink(&to_category);
    // Signal signatures spell these names; queued connections look the types up by name.
    qRegisterMetaType<ixmsg_data_ch_t>("ixmsg_data_ch_t");
    qRegisterMetaType<ixmsg_data_clocksource_t>("ixmsg_data_clocksource_t");
    qRegisterMetaType<ixmsg_data_clocklock_t>("ixmsg_data_clocklock_t");
    qRegisterMetaType<ixmsg_data_adat_x4mode_t>("ixmsg_data_adat_x4mode_t");
    qRegisterMetaType<ixmsg_data_dspmode_t>("ixmsg_data_dspmode_t");
    qRegisterMetaType<uint32_t>("uint32_t");
    qRegisterMetaType<uint16_t>("uint16_t");
    qRegisterMetaType<uint8_t>("uint8_t");
}

} // namespace qix
