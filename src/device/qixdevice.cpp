#include "qixdevice.h"

#include "qixdeviceunit.h"
#include "ixcmd.h"

#include <QThread>

using qix::Outcome;
using qix::Request;
using ByteKind = qix::QIXParams::ByteKind;

QIXDevice::QIXDevice(QObject *parent) : QObject(parent)
{
    qix::register_metatypes();
    unit_ = new QIXDeviceUnit();
    thread_ = new QThread();
    unit_->moveToThread(thread_);
    connect(unit_, &QIXDeviceUnit::finished, thread_, &QThread::quit);
    connect(unit_, &QIXDeviceUnit::finished, unit_, &QObject::deleteLater);
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
    thread_->start(QThread::InheritPriority);

    connect(this, &QIXDevice::sig_deselect, unit_, &QIXDeviceUnit::deselect);
    connect(unit_, &QIXDeviceUnit::ret_deselect, this, &QIXDevice::recv_deselect);
    connect(this, &QIXDevice::sig_is_selected, unit_, &QIXDeviceUnit::is_selected);
    connect(unit_, &QIXDeviceUnit::ret_is_selected, this, &QIXDevice::recv_is_selected);
    connect(this, &QIXDevice::sig_ix_send, unit_, &QIXDeviceUnit::ix_send);
    connect(unit_, &QIXDeviceUnit::ix_send_result, this, &QIXDevice::recv_ix_send_result);
    connect(this, &QIXDevice::sig_ix_recv, unit_, &QIXDeviceUnit::ix_recv);
    connect(unit_, &QIXDeviceUnit::ix_recv_result, this, &QIXDevice::recv_ix_recv_result);
    connect(unit_, &QIXDeviceUnit::ret_access, this, &QIXDevice::sig_unit_access);
}

QIXDevice::~QIXDevice()
{
    shutdown();
}

bool QIXDevice::shutdown(unsigned long timeout_ms)
{
    if (!thread_)
        return true;
    if (unit_) {
        unit_->quit();
        // The queued deleteLater may lose the race against quit(); the guard tells whether it ran.
        worker_guard_ = unit_;
        emit unit_->finished();
        unit_ = nullptr;
    }
    if (!thread_->wait(timeout_ms))
        return false;
    // The worker's thread has ended, so nothing else can touch the worker now.
    delete worker_guard_.data();
    delete thread_;
    thread_ = nullptr;
    return true;
}

// ---- Requests and settings

void QIXDevice::request(Request r, qix::Address addr)
{
    params_.request(r, addr);
    send_pending();
}

void QIXDevice::get_info()
{
    request(Request::Info);
}
void QIXDevice::get_hz()
{
    request(Request::Hz);
}
void QIXDevice::get_clocksource()
{
    request(Request::ClockSource);
}
void QIXDevice::get_clocklock()
{
    request(Request::ClockLock);
}
void QIXDevice::get_meter()
{
    request(Request::Meter);
}
void QIXDevice::get_dspmode()
{
    request(Request::DspMode);
}

void QIXDevice::get_grmeter(uint32_t ch_type, uint8_t ch_no)
{
    request(Request::GrMeter, {ch_type, ch_no});
}

bool QIXDevice::store()
{
    request(Request::Store);
    return true;
}

bool QIXDevice::commit(Outcome outcome)
{
    if (outcome == Outcome::Stored)
        send_pending();
    return outcome != Outcome::Refused;
}

bool QIXDevice::set_clocksource(uint32_t src)
{
    return commit(params_.set_clocksource(src));
}

bool QIXDevice::set_adat_x4mode(uint32_t src, uint32_t mode)
{
    return commit(params_.set_adat_x4mode(src, mode));
}

bool QIXDevice::set_assign_ch(uint32_t in_type, uint32_t in_ch, uint32_t out_type, uint32_t out_ch)
{
    return commit(params_.set_assign_ch(in_type, in_ch, out_type, out_ch));
}

bool QIXDevice::set_send(uint32_t ch_type, uint32_t ch_no, uint32_t bus_type, uint32_t send_no,
                         uint32_t point, int8_t level)
{
    return commit(params_.set_send(ch_type, ch_no, bus_type, send_no, point, level));
}

bool QIXDevice::set_eq(uint32_t ch_type, uint32_t ch_no, uint8_t on, uint32_t band, uint8_t gain,
                       uint8_t freq, uint8_t q)
{
    return commit(params_.set_eq(ch_type, ch_no, on, band, gain, freq, q));
}

bool QIXDevice::set_comp(uint32_t ch_type, uint32_t ch_no, uint8_t on, int8_t threshold, uint8_t ratio,
                         uint8_t attack, uint8_t release, uint8_t gain, uint8_t link)
{
    return commit(params_.set_comp(ch_type, ch_no, on, threshold, ratio, attack, release, gain, link));
}

bool QIXDevice::set_reverb(uint32_t type, uint8_t predelay, uint8_t time, uint8_t diff)
{
    return commit(params_.set_reverb(type, predelay, time, diff));
}

bool QIXDevice::set_return(uint8_t on, int8_t level)
{
    return commit(params_.set_return(on, level));
}

bool QIXDevice::set_fader(uint32_t ch_type, uint32_t ch_no, int16_t level)
{
    return commit(params_.set_fader(ch_type, ch_no, level));
}

bool QIXDevice::set_truebypass(uint32_t ch_type, uint32_t ch_no, uint8_t on)
{
    return commit(params_.set_channel_byte(ByteKind::TrueBypass, ch_type, ch_no, on));
}

bool QIXDevice::set_pan(uint32_t ch_type, uint32_t ch_no, uint8_t pan)
{
    return commit(params_.set_channel_byte(ByteKind::Pan, ch_type, ch_no, pan));
}

bool QIXDevice::set_mute(uint32_t ch_type, uint32_t ch_no, uint8_t on)
{
    return commit(params_.set_channel_byte(ByteKind::Mute, ch_type, ch_no, on));
}

bool QIXDevice::set_solo(uint32_t ch_type, uint32_t ch_no, uint8_t on)
{
    return commit(params_.set_channel_byte(ByteKind::Solo, ch_type, ch_no, on));
}

bool QIXDevice::set_phase(uint32_t ch_type, uint32_t ch_no, uint8_t on)
{
    return commit(params_.set_channel_byte(ByteKind::Phase, ch_type, ch_no, on));
}

void QIXDevice::reset_params()
{
    params_.reset_params();
}

// ---- The exchange with the worker

void QIXDevice::send_pending()
{
    // One read at a time: a second request queued behind the first would come back after it and
    // every later request would queue one more. What is asked meanwhile waits for the reply.
    if (read_out_ || dispatching_) {
        poll_wanted_ = true;
        return;
    }
    poll_wanted_ = false;
    if (ready_) {
        uint8_t data[IXMSG_CAPACITY];
        ixmsg_buf buf;
        ixmsg_init(&buf, data, IXMSG_CAPACITY);
        if (params_.fill_message(&buf)) {
            ready_ = false;
            message_out_ = true;
            read_out_ = true; // the worker reads once after every send, which also reads on
            more_to_read_ = false;
            emit sig_ix_send(QByteArray(reinterpret_cast<const char *>(data), buf.position));
            return;
        }
        if (!more_to_read_)
            return;
    }
    // Nothing may go out before a reply has offered readiness: poll for one. Or the unit has more
    // to say: read it.
    more_to_read_ = false;
    read_out_ = true;
    emit sig_ix_recv();
}

void QIXDevice::recv_ix_send_result(bool result)
{
    message_out_ = false;
    if (!result)
        reset_unit_info();
}

void QIXDevice::reset_unit_info()
{
    doubt_selection();
    emit sig_recv_version(0);
    emit sig_recv_build(0);
    emit sig_recv_productname(QString());
    emit sig_recv_builddate(QString());
    emit sig_recv_buildtime(QString());
}

void QIXDevice::recv_deselect(bool ret)
{
    deselect_answer_ = ret;
}

void QIXDevice::recv_is_selected(bool ret)
{
    selected_answer_ = ret;
    // Only a yes to a question asked after the doubt arose settles it.
    ++selection_answers_;
    if (ret && selection_answers_ > asked_before_doubt_)
        selection_in_doubt_ = false;
}

void QIXDevice::doubt_selection()
{
    selection_in_doubt_ = true;
    asked_before_doubt_ = selection_asks_;
}

bool QIXDevice::deselect()
{
    doubt_selection();
    emit sig_deselect();
    deselect_answer_ = false;
    return deselect_answer_;
}

bool QIXDevice::is_selected()
{
    // With a unit selected the worker can only answer yes until a request fails or a deselect goes
    // out; asking it ten times a second would just wake two threads for that.
    if (!selected_answer_ || selection_in_doubt_) {
        ++selection_asks_;
        emit sig_is_selected();
    }
    return selected_answer_;
}
