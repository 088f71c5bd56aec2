// Reading the unit's replies: decoding and the dispatch of each item to its signal.
#include "qixdevice.h"

#include <algorithm>

namespace {

bool is_numeric(uint8_t type)
{
    return type == IXMSG_T_U8 || type == IXMSG_T_U16 || type == IXMSG_T_U32;
}

// A text identifier under a numeric type yields an empty text rather than nothing.
QString text_of(uint8_t type, const uint8_t *bytes, uint8_t length)
{
    if (type != IXMSG_T_BYTES || !bytes)
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char *>(bytes), length);
}

} // namespace

void QIXDevice::recv_ix_recv_result(bool result, QByteArray ixmsg_data)
{
    read_out_ = false;
    // Requests made by the receivers of this reply's signals are collected and go out together once
    // the whole reply is read: a later item may still withdraw readiness.
    dispatching_ = true;
    int said = 0;
    if (result)
        said = dispatch_reply(ixmsg_data);
    else
        reset_unit_info();
    dispatching_ = false;
    // A unit with more to say than one reply holds keeps the rest until it is read again: read on
    // until a reply brings nothing, so that every answer arrives now rather than with some later
    // request.
    more_to_read_ = said > 0;
    if (result && said == 0)
        emit sig_unit_quiet();
    if (ready_ || poll_wanted_ || more_to_read_)
        send_pending();
}

int QIXDevice::dispatch_reply(const QByteArray &bytes)
{
    int said = 0;
    current_address_ = {};
    // The decoder wants writable storage; work on a private copy so the caller's bytes stay shared.
    QByteArray copy(bytes.constData(), bytes.size());
    for (int offset = 0; offset < copy.size(); offset += IXMSG_CAPACITY) {
        const int piece = std::min<int>(IXMSG_CAPACITY, copy.size() - offset);
        ixmsg_buf buf;
        ixmsg_init(&buf, reinterpret_cast<uint8_t *>(copy.data()) + offset, static_cast<uint8_t>(piece));
        uint8_t id = 0, type = 0, length = 0;
        uint32_t value = 0;
        const uint8_t *payload = nullptr;
        while (ixmsg_get(&buf, &id, &type, &value, &payload, &length) == 0) {
            said += id == IXMSG_ID_READY ? 0 : 1;
            dispatch_item(id, type, value, type == IXMSG_T_BYTES ? payload : nullptr, length);
        }
    }
    return said;
}

void QIXDevice::dispatch_item(uint8_t id, uint8_t type, uint32_t value, const uint8_t *bytes, uint8_t length)
{
    switch (id) {
    case IXMSG_ID_DEBUG:
        emit sig_recv_debug(text_of(type, bytes, length));
        return;
    case IXMSG_ID_PRODUCTNAME:
        emit sig_recv_productname(text_of(type, bytes, length));
        return;
    case IXMSG_ID_BUILDDATE:
        emit sig_recv_builddate(text_of(type, bytes, length));
        return;
    case IXMSG_ID_BUILDTIME:
        emit sig_recv_buildtime(text_of(type, bytes, length));
        return;
    default:
        break;
    }
    // Every other identifier carries a number. A byte string or a bare flag under one of them has no
    // value to publish, so the item is skipped.
    if (is_numeric(type))
        dispatch_number(id, value);
}

void QIXDevice::dispatch_number(uint8_t id, uint32_t value)
{
    const auto ch_type = static_cast<ixmsg_data_ch_t>(current_address_.ch_type);
    const auto source = static_cast<ixmsg_data_clocksource_t>(current_source_);
    switch (id) {
    case IXMSG_ID_HZ:
        emit sig_recv_hz(value);
        break;
    case IXMSG_ID_CLOCKSOURCE:
        emit sig_recv_clocksource(static_cast<ixmsg_data_clocksource_t>(value));
        break;
    case IXMSG_ID_CLOCKLOCK:
        emit sig_recv_clocklock(source, static_cast<ixmsg_data_clocklock_t>(value));
        break;
    case IXMSG_ID_SRC:
        current_source_ = value;
        break;
    case IXMSG_ID_CLOCKHZ:
        emit sig_recv_clockhz(source, value);
        break;
    case IXMSG_ID_VERSION:
        emit sig_recv_version(static_cast<uint16_t>(value));
        break;
    case IXMSG_ID_BUILD:
        emit sig_recv_build(static_cast<uint16_t>(value));
        break;
    case IXMSG_ID_CH_TYPE:
        current_address_.ch_type = value;
        break;
    case IXMSG_ID_CH_NO:
        current_address_.ch_no = static_cast<uint8_t>(value);
        break;
    case IXMSG_ID_METER:
        emit sig_recv_meter(ch_type, current_address_.ch_no, value);
        break;
    case IXMSG_ID_READY:
        on_ready_token(value);
        break;
    case IXMSG_ID_GRMETER:
        emit sig_recv_grmeter(ch_type, current_address_.ch_no, value);
        break;
    case IXMSG_ID_DSPMODE:
        emit sig_recv_dspmode(value);
        break;
    case IXMSG_ID_ADAT_X4MODE:
        emit sig_recv_adat_x4mode(source, static_cast<ixmsg_data_adat_x4mode_t>(value));
        break;
    default:
        break;
    }
}

void QIXDevice::on_ready_token(uint32_t value)
{
    if (value == 0) {
        ready_ = false;
        return;
    }
    // Readiness offered while our own message is still out does not count: the reply may predate it.
    if (!message_out_)
        ready_ = true;
}
