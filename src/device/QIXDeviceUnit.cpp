#include "QIXDeviceUnit.h"

#include "devif_watch.h"
#include "ixctl.h"

#include <QThread>

#include <algorithm>
#include <cstring>

QIXDeviceUnit::QIXDeviceUnit()
{
    std::memset(&record_, 0, sizeof record_);
    record_.abort = &quitting_;
    // Watching first: a unit that comes between the search and the watch would go unnoticed.
    watch_ = devif_watch_open(DEVIF_MATCH_KEY);
    select_default();
}

QIXDeviceUnit::~QIXDeviceUnit()
{
    devif_watch_close(watch_);
}

void QIXDeviceUnit::deselect()
{
    selected_ = nullptr;
    rescan_ = true;
    emit ret_deselect(true);
}

void QIXDeviceUnit::select_default()
{
    selected_ = nullptr;
    emit ret_deselect(true);
    ixctl_select(&record_, &selected_);
    emit ret_select_default(selected_ != nullptr);
}

void QIXDeviceUnit::is_selected()
{
    emit ret_is_selected(ensure_selected());
}

bool QIXDeviceUnit::ensure_selected()
{
    // Drained even while selected, so that stale events do not cause a search later.
    const bool changed = devif_watch_changed(watch_);
    if (!selected_ && (changed || rescan_)) {
        rescan_ = false;
        select_default();
    }
    return selected_ != nullptr;
}

void QIXDeviceUnit::ix_send(QByteArray ixmsg_data)
{
    uint8_t data[IXMSG_CAPACITY] = {};
    const int length = std::min<int>(ixmsg_data.size(), IXMSG_CAPACITY);
    std::memcpy(data, ixmsg_data.constData(), static_cast<size_t>(length));
    ixmsg_buf msg;
    ixmsg_init(&msg, data, IXMSG_CAPACITY);
    msg.position = static_cast<uint8_t>(length);

    bool ok = false;
    if (ensure_selected() && length > 0)
        ok = ixctl_send_msg(selected_, &msg) == 0;
    emit ix_send_result(ok);
    QThread::msleep(kSleepMs);
    ix_recv();
}

void QIXDeviceUnit::ix_recv()
{
    uint8_t data[IXMSG_CAPACITY] = {};
    bool ok = false;
    if (ensure_selected()) {
        ixmsg_buf buf;
        ixmsg_init(&buf, data, IXMSG_CAPACITY);
        ok = ixctl_recv_msg(selected_, &buf) == 0;
    }
    // The pause comes before the answer: the device object sends its next message as soon as the
    // answer offers readiness, so that message then holds every value changed during the pause.
    QThread::msleep(kSleepMs);
    emit ix_recv_result(ok, QByteArray(reinterpret_cast<const char *>(data), IXMSG_CAPACITY));
}
