// The unit's command set: one entry writer per request and setting, the addresses each setting
// accepts, and the conversions from knob positions and dB values to wire values.
//
// Every writer appends a whole entry or nothing (ixmsg_put_entry) and returns 0 or 1; a writer never
// checks the address: callers ask ixcmd_accepts() first. Pure functions, callable from any thread.
#pragma once

#include "ixmsg.h"

#include <cstdint>

// ---- Requests: a single flag item each, except the gain-reduction request which names a channel.
int ixcmd_get_info(ixmsg_buf *buf);       // 49
int ixcmd_get_hz(ixmsg_buf *buf);         // 24
int ixcmd_get_clocksource(ixmsg_buf *buf); // 26
int ixcmd_get_clocklock(ixmsg_buf *buf);  // 27
int ixcmd_get_meter(ixmsg_buf *buf);      // 113
int ixcmd_get_grmeter(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no); // 97, 98, 177
int ixcmd_get_dspmode(ixmsg_buf *buf);    // 193
int ixcmd_store(ixmsg_buf *buf);          // 162

// ---- Settings. Levels are already wire values (see the encoders below).
int ixcmd_set_clocksource(ixmsg_buf *buf, uint32_t src);                    // 25
int ixcmd_set_adat_x4mode(ixmsg_buf *buf, uint32_t src, uint32_t mode);     // 29, 135
int ixcmd_set_assign_ch(ixmsg_buf *buf, uint32_t in_type, uint8_t in_ch, uint32_t out_type,
                        uint8_t out_ch);                                    // 97 98 65 97 98 66 67
int ixcmd_set_send(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint32_t bus_type, uint8_t send_no,
                   uint32_t point, int8_t level);                           // 97 98 65 97 98 66 68 69 70
int ixcmd_set_eq(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on, uint32_t band, uint8_t gain,
                 uint8_t freq, uint8_t q);                                  // 97 98 81 82 83 84 85
int ixcmd_set_comp(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on, int8_t threshold,
                   uint8_t ratio, uint8_t attack, uint8_t release, uint8_t gain,
                   uint8_t link);                                           // 97 98 145..150 151
int ixcmd_set_reverb(ixmsg_buf *buf, uint32_t type, uint8_t predelay, uint8_t time, uint8_t diff); // 209..213
int ixcmd_set_return(ixmsg_buf *buf, uint8_t on, int8_t level);             // 71, 72
int ixcmd_set_truebypass(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on); // 97 98 74
int ixcmd_set_fader(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, int16_t level);   // 97 98 129 (u16)
int ixcmd_set_pan(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t pan);       // 97 98 130
int ixcmd_set_mute(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on);       // 97 98 131
int ixcmd_set_solo(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on);       // 97 98 132
int ixcmd_set_phase(ixmsg_buf *buf, uint32_t ch_type, uint8_t ch_no, uint8_t on);      // 97 98 133

// ---- Which addresses each setting stores. Anything else is refused and nothing is sent.
enum ixcmd_op_t {
    IXCMD_ADAT_X4MODE, // source 5 or 6 (ch_type carries the source, ch_no unused)
    IXCMD_ASSIGN,      // destination: output 1-20 (any source)
    IXCMD_SEND,        // source: input 1-20 or master 1
    IXCMD_SEND_BUS,    // destination: aux bus (type 5) 1-4
    IXCMD_EQ,          // input 1-20
    IXCMD_EQ_BAND,     // band 1-4 (ch_no carries the band)
    IXCMD_COMP,        // input 1-20
    IXCMD_TRUEBYPASS,  // input 1-20
    IXCMD_FADER,       // input 1-20, master 1-2, output 1-9
    IXCMD_PAN,         // input 1-20
    IXCMD_MUTE,        // input 1-20, master 1-2
    IXCMD_SOLO,        // input 1-20
    IXCMD_PHASE,       // input 1-20
};
bool ixcmd_accepts(ixcmd_op_t op, uint32_t ch_type, uint32_t ch_no);

// ---- Wire encodings of signed levels.
constexpr int16_t IXCMD_FADER_MINUS_INF = -1270; // tenths of dB
constexpr int8_t IXCMD_LEVEL_MINUS_INF = -127;   // whole dB (sends, return)
uint16_t ixcmd_fader_wire(int16_t tenths_db);    // two's complement, 16 bits
uint8_t ixcmd_level_wire(int8_t db);             // two's complement, 8 bits
// Send point: 1-3 as given, anything else 0.
uint32_t ixcmd_send_point(int point);

// ---- Knob positions (0-127) to step values.
uint8_t ixcmd_eq_gain_step(int position);             // 0-24, 12 is flat
uint8_t ixcmd_eq_freq_step(int band, int position);   // band 1: 0-31, 2-3: 0-63, 4: 32-63
uint8_t ixcmd_eq_q_step(int band, int position);      // bands 2-3: 0-6; bands 1 and 4: 255 (none)
int8_t ixcmd_comp_threshold(int position);            // -32..0 dB
uint8_t ixcmd_comp_ratio(int position);               // ratio x 10, 255 for infinity
uint8_t ixcmd_comp_attack(int position);              // 2-200, even
uint8_t ixcmd_comp_release(int position);             // 1-100
uint8_t ixcmd_comp_gain(int position);                // 0-20
uint8_t ixcmd_comp_link(bool linked, uint8_t ch_no);  // 1 unlinked; 2 linked odd; 3 linked even

// ---- Clock selection from the stored interface settings.
// SampleClockSourceId 1 -> Internal (1), 2 -> Optical A (5), 3 -> Optical B (6), 4 -> Word (2);
// anything else 0 (send nothing).
uint32_t ixcmd_clocksource_for_setting(int setting_id);
// Optical selector index 0/1 -> mode 0, 2 -> 2, 3 -> 1; anything else -1 (set no mode).
int ixcmd_adat_mode_for_choice(int choice);
