#include "ixcmd.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>

namespace {

ixmsg_item flag(uint8_t id)
{
    return {id, IXMSG_T_FLAG, 0};
}

ixmsg_item u8(uint8_t id, uint32_t value)
{
    return {id, IXMSG_T_U8, value & 0xFFu};
}

ixmsg_item u16(uint8_t id, uint32_t value)
{
    return {id, IXMSG_T_U16, value & 0xFFFFu};
}

int put(ixmsg_buf *buf, std::initializer_list<ixmsg_item> items)
{
    return ixmsg_put_entry(buf, items.begin(), items.size());
}

// The two address items that open every per-channel entry.
ixmsg_item ch_type_item(uint32_t ch_type)
{
    return u8(IXMSG_ID_CH_TYPE, ch_type);
}

ixmsg_item ch_no_item(uint8_t ch_no)
{
    return u8(IXMSG_ID_CH_NO, ch_no);
}

int put_channel_value(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t id, uint8_t value)
{
    return put(buf, {ch_type_item(ch_type), ch_no_item(ch_no), u8(id, value)});
}

int clamp_position(int position)
{
    return std::clamp(position, 0, 127);
}

bool in_range(uint32_t value, uint32_t lo, uint32_t hi)
{
    return value >= lo && value <= hi;
}

bool is_input(uint32_t ch_type, uint32_t ch_no)
{
    return ch_type == IXMSG_DATA_CH_INPUT && in_range(ch_no, 1, 20);
}

bool is_master(uint32_t ch_type, uint32_t ch_no)
{
    return ch_type == IXMSG_DATA_CH_MASTER && in_range(ch_no, 1, 2);
}

} // namespace

int ixcmd_get_info(ixmsg_buf *buf) { return put(buf, {flag(IXMSG_ID_GET_INFO)}); }
int ixcmd_get_hz(ixmsg_buf *buf) { return put(buf, {flag(IXMSG_ID_HZ)}); }
int ixcmd_get_clocksource(ixmsg_buf *buf) { return put(buf, {flag(IXMSG_ID_CLOCKSOURCE)}); }
int ixcmd_get_clocklock(ixmsg_buf *buf) { return put(buf, {flag(IXMSG_ID_CLOCKLOCK)}); }
int ixcmd_get_meter(ixmsg_buf *buf) { return put(buf, {flag(IXMSG_ID_GET_METER)}); }
int ixcmd_get_dspmode(ixmsg_buf *buf) { return put(buf, {flag(IXMSG_ID_DSPMODE)}); }
int ixcmd_store(ixmsg_buf *buf) { return put(buf, {flag(IXMSG_ID_STORE)}); }

int ixcmd_get_grmeter(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no)
{
    return put(buf, {ch_type_item(ch_type), ch_no_item(ch_no), flag(IXMSG_ID_GET_GRMETER)});
}

int ixcmd_set_clocksource(ixmsg_buf *buf, uint32_t src)
{
    return put(buf, {u8(IXMSG_ID_SET_CLOCKSOURCE, src)});
}

int ixcmd_set_adat_x4mode(ixmsg_buf *buf, uint32_t src, uint32_t mode)
{
    return put(buf, {u8(IXMSG_ID_SRC, src), u8(IXMSG_ID_SET_ADAT_X4MODE, mode)});
}

int ixcmd_set_assign_ch(ixmsg_buf *buf, uint32_t in_type, uint8_t in_ch, uint32_t out_type, uint8_t out_ch)
{
    return put(buf, {ch_type_item(in_type), ch_no_item(in_ch), flag(IXMSG_ID_FROM), ch_type_item(out_type),
                     ch_no_item(out_ch), flag(IXMSG_ID_TO), flag(IXMSG_ID_ASSIGN)});
}

int ixcmd_set_send(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint32_t bus_type, uint8_t send_no,
                   uint32_t point, int8_t level)
{
    return put(buf, {ch_type_item(ch_type), ch_no_item(ch_no), flag(IXMSG_ID_FROM), ch_type_item(bus_type),
                     ch_no_item(send_no), flag(IXMSG_ID_TO), u8(IXMSG_ID_SEND_POINT, point),
                     u8(IXMSG_ID_SEND_LEVEL, ixcmd_level_wire(level)), flag(IXMSG_ID_SEND)});
}

int ixcmd_set_eq(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on, uint32_t band, uint8_t gain,
                 uint8_t freq, uint8_t q)
{
    return put(buf, {ch_type_item(ch_type), ch_no_item(ch_no), u8(IXMSG_ID_EQ_BAND, band),
                     u8(IXMSG_ID_EQ_GAIN, gain), u8(IXMSG_ID_EQ_FREQ, freq), u8(IXMSG_ID_EQ_Q, q),
                     u8(IXMSG_ID_EQ_ON, on)});
}

int ixcmd_set_comp(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on, int8_t threshold,
                   uint8_t ratio, uint8_t attack, uint8_t release, uint8_t gain, uint8_t link)
{
    return put(buf, {ch_type_item(ch_type), ch_no_item(ch_no),
                     u8(IXMSG_ID_COMP_THRESHOLD, ixcmd_level_wire(threshold)), u8(IXMSG_ID_COMP_RATIO, ratio),
                     u8(IXMSG_ID_COMP_ATTACK, attack), u8(IXMSG_ID_COMP_RELEASE, release),
                     u8(IXMSG_ID_COMP_GAIN, gain), u8(IXMSG_ID_COMP_LINK, link), u8(IXMSG_ID_COMP_ON, on)});
}

int ixcmd_set_reverb(ixmsg_buf *buf, uint32_t type, uint8_t predelay, uint8_t time, uint8_t diff)
{
    return put(buf, {u8(IXMSG_ID_REVERB_TYPE, type), u8(IXMSG_ID_REVERB_PREDELAY, predelay),
                     u8(IXMSG_ID_REVERB_TIME, time), u8(IXMSG_ID_REVERB_DIFF, diff), flag(IXMSG_ID_REVERB)});
}

int ixcmd_set_return(ixmsg_buf *buf, uint8_t on, int8_t level)
{
    return put(buf, {u8(IXMSG_ID_RETURN_LEVEL, ixcmd_level_wire(level)), u8(IXMSG_ID_RETURN_ON, on)});
}

int ixcmd_set_truebypass(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on)
{
    return put_channel_value(buf, ch_type, ch_no, IXMSG_ID_TRUEBYPASS, on);
}

int ixcmd_set_fader(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, int16_t level)
{
    return put(buf, {ch_type_item(ch_type), ch_no_item(ch_no), u16(IXMSG_ID_FADER, ixcmd_fader_wire(level))});
}

int ixcmd_set_pan(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t pan)
{
    return put_channel_value(buf, ch_type, ch_no, IXMSG_ID_PAN, pan);
}

int ixcmd_set_mute(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on)
{
    return put_channel_value(buf, ch_type, ch_no, IXMSG_ID_MUTE, on);
}

int ixcmd_set_solo(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on)
{
    return put_channel_value(buf, ch_type, ch_no, IXMSG_ID_SOLO, on);
}

int ixcmd_set_phase(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on)
{
    return put_channel_value(buf, ch_type, ch_no, IXMSG_ID_PHASE, on);
}

bool ixcmd_accepts(ixcmd_op_t op, uint32_t ch_type, uint32_t ch_no)
{
    switch (op) {
    case IXCMD_ADAT_X4MODE:
        return ch_type == IXMSG_DATA_CLOCKSOURCE_OPTICAL_A || ch_type == IXMSG_DATA_CLOCKSOURCE_OPTICAL_B;
    case IXCMD_ASSIGN: return ch_type == IXMSG_DATA_CH_OUTPUT && in_range(ch_no, 1, 20);
    case IXCMD_SEND: return is_input(ch_type, ch_no) || (ch_type == IXMSG_DATA_CH_MASTER && ch_no == 1);
    case IXCMD_SEND_BUS: return ch_type == IXMSG_DATA_CH_AUX && in_range(ch_no, 1, 4);
    case IXCMD_EQ_BAND: return in_range(ch_no, 1, 4);
    case IXCMD_FADER:
        return is_input(ch_type, ch_no) || is_master(ch_type, ch_no) ||
               (ch_type == IXMSG_DATA_CH_OUTPUT && in_range(ch_no, 1, 9));
    case IXCMD_MUTE: return is_input(ch_type, ch_no) || is_master(ch_type, ch_no);
    case IXCMD_EQ:
    case IXCMD_COMP:
    case IXCMD_TRUEBYPASS:
    case IXCMD_PAN:
    case IXCMD_SOLO:
    case IXCMD_PHASE: return is_input(ch_type, ch_no);
    }
    return false;
}

uint16_t ixcmd_fader_wire(int16_t tenths_db) { return static_cast<uint16_t>(tenths_db); }
uint8_t ixcmd_level_wire(int8_t db) { return static_cast<uint8_t>(db); }

uint32_t ixcmd_send_point(int point)
{
    return (point >= 1 && point <= 3) ? static_cast<uint32_t>(point) : 0u;
}

uint8_t ixcmd_eq_gain_step(int position)
{
    const int p = clamp_position(position);
    if (p <= 5)
        return 0;
    return static_cast<uint8_t>(std::min((p - 1) / 5, 24));
}

uint8_t ixcmd_eq_freq_step(int band, int position)
{
    const int p = clamp_position(position);
    switch (band) {
    case 1: return static_cast<uint8_t>(p / 4);
    case 2:
    case 3: return static_cast<uint8_t>(p / 2);
    case 4: return static_cast<uint8_t>(32 + p / 4);
    default: return 0;
    }
}

uint8_t ixcmd_eq_q_step(int band, int position)
{
    if (band == 2 || band == 3)
        return static_cast<uint8_t>(std::min(clamp_position(position) / 18, 6));
    return 255;
}

int8_t ixcmd_comp_threshold(int position)
{
    // One dB per listed position; the spacing is uneven so the knob travel feels even in dB.
    static const uint8_t steps[] = {4,  8,  12, 16, 20, 24, 28, 32,  36,  40,  43,  47,  50,  54,  58,  62,
                                    65, 69, 72, 76, 80, 84, 88, 92, 96, 100, 104, 108, 112, 116, 120, 124};
    const int p = clamp_position(position);
    const auto reached = std::upper_bound(std::begin(steps), std::end(steps), p) - std::begin(steps);
    return static_cast<int8_t>(-32 + reached);
}

uint8_t ixcmd_comp_ratio(int position)
{
    static const uint8_t ratios[] = {10, 11, 13, 15, 17, 20, 25, 30, 35, 40, 50, 60, 80, 160};
    const int p = clamp_position(position);
    const int index = p / 6;
    return index < int(std::size(ratios)) ? ratios[index] : 255;
}

uint8_t ixcmd_comp_attack(int position) { return static_cast<uint8_t>(std::min(2 * clamp_position(position) + 2, 200)); }
uint8_t ixcmd_comp_release(int position) { return static_cast<uint8_t>(std::min(clamp_position(position) + 1, 100)); }
uint8_t ixcmd_comp_gain(int position) { return static_cast<uint8_t>(std::min(clamp_position(position) / 6, 20)); }

uint8_t ixcmd_comp_link(bool linked, uint8_t ch_no)
{
    if (!linked)
        return 1;
    return (ch_no % 2 == 1) ? 2 : 3;
}

uint32_t ixcmd_clocksource_for_setting(int setting_id)
{
    switch (setting_id) {
    case 1: return IXMSG_DATA_CLOCKSOURCE_INTERNAL;
    case 2: return IXMSG_DATA_CLOCKSOURCE_OPTICAL_A;
    case 3: return IXMSG_DATA_CLOCKSOURCE_OPTICAL_B;
    case 4: return IXMSG_DATA_CLOCKSOURCE_WORD;
    default: return 0;
    }
}

int ixcmd_adat_mode_for_choice(int choice)
{
    switch (choice) {
    case 0:
    case 1: return IXMSG_DATA_ADAT_X4MODE_1X;
    case 2: return IXMSG_DATA_ADAT_X4MODE_2X;
    case 3: return IXMSG_DATA_ADAT_X4MODE_4X;
    default: return -1;
    }
}
