#include "ixctl.h"

#include "ixdiag.h"

#include <chrono>
#include <thread>

namespace {
constexpr int SEND_ATTEMPTS = 10;
constexpr auto SEND_PAUSE = std::chrono::milliseconds(5);
} // namespace

int ixctl_select(devif_device *record, devif_device **selected)
{
    if (!record || !selected) {
        IX_DIAG();
        return 1;
    }
    *selected = nullptr;
    record->path[0] = '\0';
    if (!devif_find_device(DEVIF_MATCH_KEY, record->path, DEVIF_PATH_CAPACITY))
        return 1;
    *selected = record;
    return 0;
}

int ixctl_send_msg(const devif_device *selected, const ixmsg_buf *msg)
{
    // Refusals that no retry could change are reported once, without touching the unit.
    if (!selected || !msg || !msg->data || msg->position == 0 || msg->position > IXMSG_CAPACITY) {
        IX_DIAG();
        return 1;
    }
    for (int attempt = 0; attempt < SEND_ATTEMPTS; ++attempt) {
        if (devif_control_out(selected, IXCTL_REQUEST_OUT, 0, 0, msg->position, msg->data) == 0)
            return 0;
        if (devif_aborted(selected))
            return 1; // quitting: no further attempt
        IX_DIAG();
        if (!selected->abort)
            std::this_thread::sleep_for(SEND_PAUSE);
        else if (!selected->abort->sleep_for(int(SEND_PAUSE.count())))
            return 1; // quitting during the pause
    }
    IX_DIAG();
    return 1;
}

int ixctl_recv_msg(const devif_device *selected, ixmsg_buf *buf)
{
    if (!selected || !buf || !buf->data) {
        IX_DIAG();
        return 1;
    }
    buf->position = 0;
    unsigned length = buf->capacity;
    if (length > IXMSG_CAPACITY) {
        IX_DIAG();
        length = IXMSG_CAPACITY;
    }
    if (devif_control_in(selected, IXCTL_REQUEST_IN, 0, 0, static_cast<uint16_t>(length), buf->data) != 0) {
        if (!devif_aborted(selected))
            IX_DIAG();
        return 1;
    }
    return 0;
}
