#include "qixparams.h"

#include "ixcmd.h"

namespace qix {

namespace {

int write_clock(ixmsg_buf *b, const ClockEntry &e)
{
    return ixcmd_set_clocksource(b, e.source);
}
int write_optical(ixmsg_buf *b, const OpticalEntry &e)
{
    return ixcmd_set_adat_x4mode(b, e.source, e.mode);
}
int write_route(ixmsg_buf *b, const RouteEntry &e)
{
    return ixcmd_set_assign_ch(b, e.from.ch_type, e.from.ch_no, e.to.ch_type, e.to.ch_no);
}
int write_send(ixmsg_buf *b, const SendEntry &e)
{
    return ixcmd_set_send(b, e.from.ch_type, e.from.ch_no, e.bus.ch_type, e.bus.ch_no, e.point, e.level);
}
int write_eq(ixmsg_buf *b, const EqEntry &e)
{
    return ixcmd_set_eq(b, e.ch.ch_type, e.ch.ch_no, e.on, e.band, e.gain, e.freq, e.q);
}
int write_comp(ixmsg_buf *b, const CompEntry &e)
{
    return ixcmd_set_comp(b, e.ch.ch_type, e.ch.ch_no, e.on, e.threshold, e.ratio, e.attack, e.release,
                          e.gain, e.link);
}
int write_reverb(ixmsg_buf *b, const ReverbEntry &e)
{
    return ixcmd_set_reverb(b, e.type, e.predelay, e.time, e.diff);
}
int write_return(ixmsg_buf *b, const ReturnEntry &e)
{
    return ixcmd_set_return(b, e.on, e.level);
}
int write_fader(ixmsg_buf *b, const FaderEntry &e)
{
    return ixcmd_set_fader(b, e.ch.ch_type, e.ch.ch_no, e.level);
}

// The one-byte channel settings, indexed by ByteKind.
struct ByteKindInfo {
    ixcmd_op_t op;
    PendingTable<ChannelByte, 22>::Writer write;
};
template <int (*F)(ixmsg_buf *, uint32_t, uint8_t, uint8_t)>
int write_byte(ixmsg_buf *b, const ChannelByte &e)
{
    return F(b, e.ch.ch_type, e.ch.ch_no, e.value);
}
const ByteKindInfo kByteKinds[] = {
    {IXCMD_TRUEBYPASS, write_byte<ixcmd_set_truebypass>},
    {IXCMD_PAN, write_byte<ixcmd_set_pan>},
    {IXCMD_MUTE, write_byte<ixcmd_set_mute>},
    {IXCMD_SOLO, write_byte<ixcmd_set_solo>},
    {IXCMD_PHASE, write_byte<ixcmd_set_phase>},
};

// Flag-only requests by Request value; the gain-reduction request carries an address instead.
int (*const kRequestWriters[])(ixmsg_buf *) = {
    ixcmd_get_info,  ixcmd_get_hz, ixcmd_get_clocksource, ixcmd_get_clocklock,
    ixcmd_get_meter, nullptr,      ixcmd_get_dspmode,     ixcmd_store,
};
static_assert(sizeof kRequestWriters / sizeof kRequestWriters[0] == static_cast<size_t>(Request::Count),
              "one writer per request");

Address addr(uint32_t ch_type, uint32_t ch_no)
{
    return {ch_type, static_cast<uint8_t>(ch_no)};
}

// Numbers of accepted addresses are 1-based and small; callers check acceptance first.
int input_slot(uint32_t ch_no, int per_channel, uint32_t sub)
{
    return static_cast<int>(ch_no - 1) * per_channel + static_cast<int>(sub - 1);
}

} // namespace

int fader_index(uint32_t ch_type, uint32_t ch_no)
{
    if (!ixcmd_accepts(IXCMD_FADER, ch_type, ch_no))
        return -1;
    switch (ch_type) {
    case IXMSG_DATA_CH_INPUT:
        return static_cast<int>(ch_no) - 1;
    case IXMSG_DATA_CH_MASTER:
        return 19 + static_cast<int>(ch_no);
    case IXMSG_DATA_CH_OUTPUT:
        return 21 + static_cast<int>(ch_no);
    default:
        return -1;
    }
}

QIXParams::QIXParams()
    : clock_(write_clock), optical_(write_optical), route_(write_route), send_(write_send), eq_(write_eq),
      comp_(write_comp), reverb_(write_reverb), return_(write_return),
      fader_(write_fader), bytes_{PendingTable<ChannelByte, 22>(kByteKinds[0].write),
                                  PendingTable<ChannelByte, 22>(kByteKinds[1].write),
                                  PendingTable<ChannelByte, 22>(kByteKinds[2].write),
                                  PendingTable<ChannelByte, 22>(kByteKinds[3].write),
                                  PendingTable<ChannelByte, 22>(kByteKinds[4].write)}
{}

void QIXParams::request(Request r, Address a)
{
    if (r == Request::GrMeter)
        grmeter_ = a;
    requests_[static_cast<int>(r)] = true;
}

Outcome QIXParams::set_clocksource(uint32_t src)
{
    return clock_.store(0, {src}, false);
}

Outcome QIXParams::set_adat_x4mode(uint32_t src, uint32_t mode)
{
    if (!ixcmd_accepts(IXCMD_ADAT_X4MODE, src, 0))
        return Outcome::Refused;
    return optical_.store(src == IXMSG_DATA_CLOCKSOURCE_OPTICAL_A ? 0 : 1, {src, mode}, false);
}

Outcome QIXParams::set_assign_ch(uint32_t in_type, uint32_t in_ch, uint32_t out_type, uint32_t out_ch)
{
    // Any source is accepted, but its number must still fit the one byte it travels in.
    if (!ixcmd_accepts(IXCMD_ASSIGN, out_type, out_ch) || in_ch > 0xFF)
        return Outcome::Refused;
    return route_.store(static_cast<int>(out_ch) - 1, {addr(in_type, in_ch), addr(out_type, out_ch)}, true);
}

Outcome QIXParams::set_send(uint32_t ch_type, uint32_t ch_no, uint32_t bus_type, uint32_t send_no,
                            uint32_t point, int8_t level)
{
    if (!ixcmd_accepts(IXCMD_SEND, ch_type, ch_no) || !ixcmd_accepts(IXCMD_SEND_BUS, bus_type, send_no))
        return Outcome::Refused;
    const uint32_t source_row = ch_type == IXMSG_DATA_CH_MASTER ? 21 : ch_no;
    return send_.store(input_slot(source_row, 4, send_no),
                       {addr(ch_type, ch_no), addr(bus_type, send_no), point, level}, true);
}

Outcome QIXParams::set_eq(uint32_t ch_type, uint32_t ch_no, uint8_t on, uint32_t band, uint8_t gain,
                          uint8_t freq, uint8_t q)
{
    if (!ixcmd_accepts(IXCMD_EQ, ch_type, ch_no) || !ixcmd_accepts(IXCMD_EQ_BAND, 0, band))
        return Outcome::Refused;
    return eq_.store(input_slot(ch_no, 4, band), {addr(ch_type, ch_no), on, band, gain, freq, q}, true);
}

Outcome QIXParams::set_comp(uint32_t ch_type, uint32_t ch_no, uint8_t on, int8_t threshold, uint8_t ratio,
                            uint8_t attack, uint8_t release, uint8_t gain, uint8_t link)
{
    if (!ixcmd_accepts(IXCMD_COMP, ch_type, ch_no))
        return Outcome::Refused;
    return comp_.store(input_slot(ch_no, 1, 1),
                       {addr(ch_type, ch_no), on, threshold, ratio, attack, release, gain, link}, true);
}

Outcome QIXParams::set_reverb(uint32_t type, uint8_t predelay, uint8_t time, uint8_t diff)
{
    return reverb_.store(0, {type, predelay, time, diff}, false);
}

Outcome QIXParams::set_return(uint8_t on, int8_t level)
{
    return return_.store(0, {on, level}, false);
}

Outcome QIXParams::set_fader(uint32_t ch_type, uint32_t ch_no, int16_t level)
{
    return fader_.store(fader_index(ch_type, ch_no), {addr(ch_type, ch_no), level}, true);
}

PendingTable<ChannelByte, 22> &QIXParams::byte_table(ByteKind kind)
{
    return bytes_[static_cast<int>(kind)];
}

Outcome QIXParams::set_channel_byte(ByteKind kind, uint32_t ch_type, uint32_t ch_no, uint8_t value)
{
    if (!ixcmd_accepts(kByteKinds[static_cast<int>(kind)].op, ch_type, ch_no))
        return Outcome::Refused;
    // Inputs and masters share the fader table's numbering; only mute accepts masters here.
    return byte_table(kind).store(fader_index(ch_type, ch_no), {addr(ch_type, ch_no), value}, true);
}

bool QIXParams::fill_message(ixmsg_buf *buf)
{
    bool any = false;
    for (int r = 0; r < static_cast<int>(Request::Count); ++r) {
        if (!requests_[r])
            continue;
        const int failed = r == static_cast<int>(Request::GrMeter)
                               ? ixcmd_get_grmeter(buf, grmeter_.ch_type, grmeter_.ch_no)
                               : kRequestWriters[r](buf);
        if (failed)
            return any;
        requests_[r] = false;
        any = true;
    }
    // Each step stops the chain at the first entry that does not fit.
    clock_.put_pending(buf, &any) && optical_.put_pending(buf, &any) && route_.put_pending(buf, &any) &&
        send_.put_pending(buf, &any) && eq_.put_pending(buf, &any) && comp_.put_pending(buf, &any) &&
        reverb_.put_pending(buf, &any) && return_.put_pending(buf, &any) &&
        byte_table(ByteKind::TrueBypass).put_pending(buf, &any) && fader_.put_pending(buf, &any) &&
        byte_table(ByteKind::Pan).put_pending(buf, &any) &&
        byte_table(ByteKind::Mute).put_pending(buf, &any) &&
        byte_table(ByteKind::Solo).put_pending(buf, &any) &&
        byte_table(ByteKind::Phase).put_pending(buf, &any);
    return any;
}

void QIXParams::reset_params()
{
    grmeter_ = {};
    route_.clear();
    send_.clear();
    eq_.clear();
    comp_.clear();
    fader_.clear();
    for (auto &t : bytes_)
        t.clear();
}

} // namespace qix
