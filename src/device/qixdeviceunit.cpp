#include "qixdeviceunit.h"

#include "devifwatch.h"
#include "ixctl.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cstring>

// One line per search for the unit (QT_LOGGING_RULES="lyntra.link.search.debug=true"): tells how
// often the bus and the discovery directory are read.
Q_LOGGING_CATEGORY(lcSearch, "lyntra.link.search", QtWarningMsg)

QIXDeviceUnit::QIXDeviceUnit()
{
    std::memset(&record_, 0, sizeof record_);
    record_.abort = &abort_;
    record_.link = &link_;
    // Watching first: a unit that comes between the search and the watch would go unnoticed.
    watch_ = devif_watch_open(DEVIF_MATCH_KEY);
    select_default();
}

QIXDeviceUnit::~QIXDeviceUnit()
{
    devif_socket_link_close(&link_);
    devif_watch_close(watch_);
}

void QIXDeviceUnit::drop_selection()
{
    selected_ = nullptr;
    // The next unit selected gets a connection of its own.
    devif_socket_link_close(&link_);
}

void QIXDeviceUnit::deselect()
{
    // A selection may be stale, so drop it and look again; with none, only a change of what is
    // plugged in can find something new (the window deselects after every failed request).
    rescan_ = rescan_ || selected_ != nullptr;
    drop_selection();
    emit ret_deselect(true);
}

void QIXDeviceUnit::select_default()
{
    drop_selection();
    emit ret_deselect(true);
    ixctl_select(&record_, &selected_);
    qCDebug(lcSearch, "searched for the unit: %s", selected_ ? record_.path : "none");
    emit ret_select_default(selected_ != nullptr);
}

void QIXDeviceUnit::is_selected()
{
    const bool selected = ensure_selected();
    report_access();
    emit ret_is_selected(selected);
}

void QIXDeviceUnit::report_access()
{
    // A unit that is not there has nothing to explain; a selected one keeps what its last request met.
    const int access = selected_ ? devif_unit_access(selected_) : DEVIF_ACCESS_OK;
    if (access == access_)
        return;
    access_ = access;
    emit ret_access(access);
}

bool QIXDeviceUnit::ensure_selected()
{
    // Drained even while selected, so that stale events do not cause a search later.
    if (devif_watch_changed(watch_) && !selected_)
        searches_left_ = kSearchesAfterChange;
    if (!selected_ && (rescan_ || searches_left_ > 0)) {
        rescan_ = false;
        searches_left_ = std::max(0, searches_left_ - 1);
        select_default();
        if (selected_)
            searches_left_ = 0;
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
    report_access();
    emit ix_send_result(ok);
    abort_.sleep_for(kSleepMs);
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
    report_access();
    // The pause comes before the answer: the device object sends its next message as soon as the
    // answer offers readiness, so that message then holds every value changed during the pause.
    abort_.sleep_for(kSleepMs);
    emit ix_recv_result(ok, QByteArray(reinterpret_cast<const char *>(data), IXMSG_CAPACITY));
}
