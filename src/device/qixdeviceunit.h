// The device object's worker: performs the blocking unit I/O, one message at a time, on a thread of
// its own.
//
// Constructed in the device object's thread (where it looks for the unit once), then moved to its own
// QThread; every slot runs there. It shares no data with other threads: requests arrive and answers
// leave as queued signals carrying copies.
#pragma once

#include "devif.h"
#include "devifabort.h"
#include "devifsocket.h"

#include <QByteArray>
#include <QObject>


struct devif_watch;

class QIXDeviceUnit : public QObject {
    Q_OBJECT

public:
    // Zeroes the device record, starts watching for units coming and going and runs select_default()
    // once, in the calling thread. No parent: the worker deletes itself (deleteLater) when `finished`
    // is emitted.
    QIXDeviceUnit();
    ~QIXDeviceUnit() override;

    // Makes the I/O in progress and any pause give up at once and every later request fail at once,
    // so that the thread can be joined promptly. Any thread; cannot be undone.
    void quit() { abort_.raise(); }

    // Milliseconds slept after every send and every read, in the kernel until quit() cuts it short.
    static constexpr int kSleepMs = 10;
    // Requests that look for the unit after something came or went, until one finds it.
    static constexpr int kSearchesAfterChange = 10;

signals:
    void ix_send_result(bool result);
    void ix_recv_result(bool result, QByteArray ixmsg_data);
    void ret_deselect(bool ret);
    void ret_is_selected(bool ret);
    void ret_select_default(bool ret);
    // What stands between the panel and the unit changed (a devif_access value): emitted after the
    // request or search that found it out.
    void ret_access(int access);
    void finished();

public slots:
    // Drops the selection; answers ret_deselect(true). If a unit was selected, the next request looks
    // for the unit again.
    void deselect();
    // Selects if nothing is selected; answers ret_is_selected with whether a unit is selected now.
    // While none is, the unit is looked for only after a unit may have come (a USB device or a file
    // in the discovery directory appeared or went; then on up to kSearchesAfterChange requests, as a
    // unit may not answer at the moment its file appears) or after deselect() dropped a selection.
    void is_selected();
    // Enumerates once: answers ret_deselect(true), then ret_select_default(found).
    void select_default();
    // Sends the first 64 bytes of `ixmsg_data` (an empty message fails without I/O), answers
    // ix_send_result, then reads once as ix_recv() does, so every send is followed by one read.
    void ix_send(QByteArray ixmsg_data);
    // Reads one 64-byte message, sleeps, then answers ix_recv_result(ok, all 64 bytes; zeros when
    // nothing was read).
    void ix_recv();

private:
    bool ensure_selected();
    void drop_selection();
    void report_access();

    devif_abort abort_;
    devif_socket_link link_;
    devif_device record_;
    devif_device *selected_ = nullptr;
    devif_watch *watch_ = nullptr;
    bool rescan_ = false;
    int searches_left_ = 0;
    int access_ = DEVIF_ACCESS_OK;
};
