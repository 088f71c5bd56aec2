#include "levelstore.h"

#include "ixmsgids.h"

namespace meter {

bool LevelStore::storeLevel(uint32_t type, uint32_t number, uint32_t value)
{
    if (type == IXMSG_DATA_CH_INPUT && number >= 1 && number <= kInputs) {
        input[number - 1] = value;
        return true;
    }
    if (type == IXMSG_DATA_CH_MASTER && number >= 1 && number <= kMasters) {
        master[number - 1] = value;
        return true;
    }
    return false;
}

} // namespace meter
