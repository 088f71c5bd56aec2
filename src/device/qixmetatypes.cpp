#include "qixmetatypes.h"

#include <cstdint>

namespace qix {

void register_metatypes()
{
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
