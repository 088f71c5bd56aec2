// Item types, identifiers and value enumerations of the unit's control messages.
#pragma once

#include <cstdint>

enum ixmsg_type_t : uint8_t {
    IXMSG_T_END = 0,   // 2 bytes, identifier 0: nothing follows
    IXMSG_T_FLAG = 1,  // 2 bytes: the identifier alone
    IXMSG_T_U8 = 2,    // 3 bytes
    IXMSG_T_U16 = 3,   // 4 bytes, little-endian
    IXMSG_T_U32 = 4,   // 6 bytes, little-endian
    IXMSG_T_BYTES = 5, // 3 + n bytes: length byte, then n bytes
};

enum ixmsg_id_t : uint8_t {
    IXMSG_ID_END = 0,
    IXMSG_ID_DEBUG = 18,
    IXMSG_ID_HZ = 24,
    IXMSG_ID_SET_CLOCKSOURCE = 25,
    IXMSG_ID_CLOCKSOURCE = 26,
    IXMSG_ID_CLOCKLOCK = 27,
    IXMSG_ID_SRC = 29,
    IXMSG_ID_CLOCKHZ = 30,
    IXMSG_ID_GET_INFO = 49,
    IXMSG_ID_VERSION = 50,
    IXMSG_ID_BUILD = 51,
    IXMSG_ID_PRODUCTNAME = 52,
    IXMSG_ID_BUILDDATE = 53,
    IXMSG_ID_BUILDTIME = 54,
    IXMSG_ID_FROM = 65,
    IXMSG_ID_TO = 66,
    IXMSG_ID_ASSIGN = 67,
    IXMSG_ID_SEND_POINT = 68,
    IXMSG_ID_SEND_LEVEL = 69,
    IXMSG_ID_SEND = 70,
    IXMSG_ID_RETURN_LEVEL = 71,
    IXMSG_ID_RETURN_ON = 72,
    IXMSG_ID_TRUEBYPASS = 74,
    IXMSG_ID_EQ_BAND = 81,
    IXMSG_ID_EQ_GAIN = 82,
    IXMSG_ID_EQ_FREQ = 83,
    IXMSG_ID_EQ_Q = 84,
    IXMSG_ID_EQ_ON = 85,
    IXMSG_ID_CH_TYPE = 97,
    IXMSG_ID_CH_NO = 98,
    IXMSG_ID_GET_METER = 113,
    IXMSG_ID_METER = 114,
    IXMSG_ID_FADER = 129,
    IXMSG_ID_PAN = 130,
    IXMSG_ID_MUTE = 131,
    IXMSG_ID_SOLO = 132,
    IXMSG_ID_PHASE = 133,
    IXMSG_ID_SET_ADAT_X4MODE = 135,
    IXMSG_ID_COMP_THRESHOLD = 145,
    IXMSG_ID_COMP_RATIO = 146,
    IXMSG_ID_COMP_ATTACK = 147,
    IXMSG_ID_COMP_RELEASE = 148,
    IXMSG_ID_COMP_GAIN = 149,
    IXMSG_ID_COMP_LINK = 150,
    IXMSG_ID_COMP_ON = 151,
    IXMSG_ID_READY = 161,
    IXMSG_ID_STORE = 162,
    IXMSG_ID_GET_GRMETER = 177,
    IXMSG_ID_GRMETER = 178,
    IXMSG_ID_DSPMODE = 193,
    IXMSG_ID_ADAT_X4MODE = 195,
    IXMSG_ID_REVERB_TYPE = 209,
    IXMSG_ID_REVERB_PREDELAY = 210,
    IXMSG_ID_REVERB_TIME = 211,
    IXMSG_ID_REVERB_DIFF = 212,
    IXMSG_ID_REVERB = 213,
};

// Channel address types (item 97).
enum ixmsg_data_ch_t : uint32_t {
    IXMSG_DATA_CH_NONE = 0,
    IXMSG_DATA_CH_OUTPUT = 1,   // line outputs 1-8, 9 = monitor master; routing destinations 1-20
    IXMSG_DATA_CH_MASTER = 2,   // 1 = left, 2 = right
    IXMSG_DATA_CH_COMPUTER = 3, // playback 1-10
    IXMSG_DATA_CH_INPUT = 4,    // mixer inputs 1-20
    IXMSG_DATA_CH_AUX = 5,      // aux buses 1-4
};

enum ixmsg_data_clocksource_t : uint32_t {
    IXMSG_DATA_CLOCKSOURCE_NONE = 0,
    IXMSG_DATA_CLOCKSOURCE_INTERNAL = 1,
    IXMSG_DATA_CLOCKSOURCE_WORD = 2,
    IXMSG_DATA_CLOCKSOURCE_OPTICAL_A = 5,
    IXMSG_DATA_CLOCKSOURCE_OPTICAL_B = 6,
};

enum ixmsg_data_clocklock_t : uint32_t {
    IXMSG_DATA_CLOCKLOCK_UNLOCKED = 1,
    IXMSG_DATA_CLOCKLOCK_PHASE_ERROR = 2,
    IXMSG_DATA_CLOCKLOCK_GOOD = 3,
};

// Optical framing: 0 for 44.1/48 kHz, 2 for 88.2/96 kHz, 1 for 176.4/192 kHz.
enum ixmsg_data_adat_x4mode_t : uint32_t {
    IXMSG_DATA_ADAT_X4MODE_1X = 0,
    IXMSG_DATA_ADAT_X4MODE_4X = 1,
    IXMSG_DATA_ADAT_X4MODE_2X = 2,
};

// Reported by the unit and published; the panel gives the values no meaning.
typedef uint32_t ixmsg_data_dspmode_t;

// Every message the panel builds or reads is this long at most; every reply is exactly this long.
constexpr uint8_t IXMSG_CAPACITY = 64;
