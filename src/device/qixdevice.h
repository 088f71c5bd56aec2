// The program's one device object: keeps the wanted state of every unit parameter, merges what is
// pending into one control message whenever the unit offers readiness, and turns replies into signals.
//
// Lives in the GUI thread; every method, slot and emission below runs there. The blocking I/O happens
// in QIXDeviceUnit on a thread of its own; the two exchange only QByteArray copies and bools through
// queued connections.
#pragma once

#include "qixmetatypes.h"
#include "qixparams.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <climits>
#include <cstdint>

class QIXDeviceUnit;
class QThread;

class QIXDevice : public QObject {
    Q_OBJECT

public:
    // Creates the worker (which looks for the unit at once, in this thread), moves it to a new thread
    // and starts that thread. Neither has a parent; both delete themselves when the worker finishes.
    explicit QIXDevice(QObject *parent = nullptr);

    // Runs shutdown(): no worker thread outlives the device object.
    ~QIXDevice() override;

    // Tells the worker to quit (its I/O in progress gives up within about 50 ms, a send stops retrying),
    // finishes it and waits up to `timeout_ms` for its thread to end, then deletes worker and thread.
    // Returns true when the thread has ended (or never existed); false leaves the thread to end on its
    // own and a later call waits again. GUI thread.
    bool shutdown(unsigned long timeout_ms = ULONG_MAX);

    // The worker, or null after shutdown(). Owned by its own thread; use it
    // only to connect to its signals.
    QIXDeviceUnit *unit() const { return unit_; }

    // ---- Requests: mark the request pending and run send_pending(). Answers arrive as signals.
    void get_info();
    void get_hz();
    void get_clocksource();
    void get_clocklock();
    void get_meter();
    // Gain reduction of one channel; a later call before the send replaces the pending address.
    void get_grmeter(uint32_t ch_type, uint8_t ch_no);
    void get_dspmode();

    // ---- Settings, with the wire values of the command set. Each returns false (and sends nothing)
    // for an address it does not store, true otherwise; the table kinds (routing, send, EQ, compressor,
    // true bypass, fader, pan, mute, solo, phase) send nothing when the whole entry is unchanged.
    bool store();
    bool set_clocksource(uint32_t src);
    bool set_adat_x4mode(uint32_t src, uint32_t mode);
    bool set_assign_ch(uint32_t in_type, uint32_t in_ch, uint32_t out_type, uint32_t out_ch);
    bool set_send(uint32_t ch_type, uint32_t ch_no, uint32_t bus_type, uint32_t send_no, uint32_t point,
                  int8_t level);
    bool set_eq(uint32_t ch_type, uint32_t ch_no, uint8_t on, uint32_t band, uint8_t gain, uint8_t freq,
                uint8_t q);
    bool set_comp(uint32_t ch_type, uint32_t ch_no, uint8_t on, int8_t threshold, uint8_t ratio,
                  uint8_t attack, uint8_t release, uint8_t gain, uint8_t link);
    bool set_reverb(uint32_t type, uint8_t predelay, uint8_t time, uint8_t diff);
    bool set_return(uint8_t on, int8_t level);
    bool set_truebypass(uint32_t ch_type, uint32_t ch_no, uint8_t on);
    bool set_fader(uint32_t ch_type, uint32_t ch_no, int16_t level); // tenths of dB, -1270 = -inf
    bool set_pan(uint32_t ch_type, uint32_t ch_no, uint8_t pan);
    bool set_mute(uint32_t ch_type, uint32_t ch_no, uint8_t on);
    bool set_solo(uint32_t ch_type, uint32_t ch_no, uint8_t on);
    bool set_phase(uint32_t ch_type, uint32_t ch_no, uint8_t on);

    // Forgets stored channel values so that the next setting of each goes out even if unchanged.
    void reset_params();

    // Ask the worker to drop / check the selection. Neither waits: deselect() returns false (the
    // answer arrives later), is_selected() the answer of the previous check (false until the first).
    // While a unit is selected and nothing has failed or been deselected since, is_selected() does not
    // ask: the worker could only say yes.
    bool deselect();
    bool is_selected();

signals:
    void sig_deselect();
    void sig_is_selected();
    void sig_ix_send(QByteArray ixmsg_data);
    void sig_ix_recv();
    void sig_recv_debug(QString debug_log);
    void sig_recv_hz(uint32_t hz);
    void sig_recv_clocksource(ixmsg_data_clocksource_t src);
    void sig_recv_clocklock(ixmsg_data_clocksource_t src, ixmsg_data_clocklock_t lock);
    void sig_recv_clockhz(ixmsg_data_clocksource_t src, uint32_t hz);
    void sig_recv_dspmode(ixmsg_data_dspmode_t mode);
    void sig_recv_adat_x4mode(ixmsg_data_clocksource_t src, ixmsg_data_adat_x4mode_t mode);
    void sig_recv_version(uint16_t version);
    void sig_recv_build(uint16_t build);
    void sig_recv_productname(QString productname);
    void sig_recv_builddate(QString builddate);
    void sig_recv_buildtime(QString buildtime);
    void sig_recv_meter(ixmsg_data_ch_t ch_type, uint8_t ch_no, uint32_t value);
    // The unit is there but the system refuses it (a devif_access value; DEVIF_ACCESS_OK once that is
    // over). Relayed from the worker as it finds out.
    void sig_unit_access(int access);
    void sig_recv_grmeter(ixmsg_data_ch_t ch_type, uint8_t ch_no, uint32_t value);
    // A read brought nothing but the ready token: every answer asked for so far has arrived.
    void sig_unit_quiet();

public slots:
    void recv_deselect(bool ret);
    void recv_is_selected(bool ret);
    // Outcome of one send. A failure resets the unit information. The read that follows every send is
    // still out, so nothing else happens until its result.
    void recv_ix_send_result(bool result);
    // Outcome and bytes of one read (64 bytes from the worker; longer input is decoded 64 bytes at a
    // time, shorter as one piece). Emits one signal per reply item, then sig_unit_quiet when there was
    // none but the ready token; never fails on malformed bytes. Afterwards sends what is pending if
    // the reply offered readiness, else reads again if the reply held anything (the unit may have
    // more) or a poll was asked for meanwhile.
    void recv_ix_recv_result(bool result, QByteArray ixmsg_data);

private:
    bool commit(qix::Outcome outcome);
    void request(qix::Request r, qix::Address addr = {});
    void send_pending();
    void reset_unit_info();
    void doubt_selection();
    // Returns how many items the reply held besides the ready token.
    int dispatch_reply(const QByteArray &bytes);
    void dispatch_item(uint8_t id, uint8_t type, uint32_t value, const uint8_t *bytes, uint8_t length);
    void dispatch_number(uint8_t id, uint32_t value);
    void on_ready_token(uint32_t value);

    QIXDeviceUnit *unit_ = nullptr;
    QThread *thread_ = nullptr;
    QPointer<QIXDeviceUnit> worker_guard_; // set once shutdown() has finished the worker
    // At most one exchange is with the worker: a poll (one read) or a message (one send, then its read,
    // which doubles as the poll). A read is out from the request until its result arrives.
    bool message_out_ = false;
    bool read_out_ = false;
    // send_pending() ran while a read was out or its reply was being dispatched.
    bool poll_wanted_ = false;
    // The last reply held answers, so the unit may hold more: read once more even with nothing to send.
    bool more_to_read_ = false;
    bool dispatching_ = false;
    bool ready_ = false;
    bool deselect_answer_ = false;
    bool selected_answer_ = false;
    // Whether the worker must be asked again: from the start, after a failed request and after a
    // deselect, until it answers a question asked since. Questions and answers keep their order.
    bool selection_in_doubt_ = true;
    unsigned selection_asks_ = 0;
    unsigned selection_answers_ = 0;
    unsigned asked_before_doubt_ = 0;
    uint32_t current_source_ = 0;
    qix::Address current_address_;
    qix::QIXParams params_;
};
