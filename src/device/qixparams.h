// The wanted state of every unit parameter, kept as pending entries, and the packing of whatever is
// pending into one control message in the unit's fixed order.
//
// Plain value class without Qt. Owned by QIXDevice and used on the GUI thread only.
#pragma once

#include "qixentries.h"

#include <cstdint>

namespace qix {

// Requests in the order they go into a message.
enum class Request { Info, Hz, ClockSource, ClockLock, Meter, GrMeter, DspMode, Store, Count };

class QIXParams {
public:
    QIXParams();

    // Marks a request pending. `addr` is only used by Request::GrMeter and replaces any pending one.
    void request(Request r, Address addr = {});

    // Setting operations. Each checks the address with ixcmd_accepts(); table kinds apply the change
    // test, the others store unconditionally. Arguments are the wire values of the command set.
    Outcome set_clocksource(uint32_t src);
    Outcome set_adat_x4mode(uint32_t src, uint32_t mode);
    Outcome set_assign_ch(uint32_t in_type, uint32_t in_ch, uint32_t out_type, uint32_t out_ch);
    Outcome set_send(uint32_t ch_type, uint32_t ch_no, uint32_t bus_type, uint32_t send_no, uint32_t point,
                     int8_t level);
    Outcome set_eq(uint32_t ch_type, uint32_t ch_no, uint8_t on, uint32_t band, uint8_t gain, uint8_t freq,
                   uint8_t q);
    Outcome set_comp(uint32_t ch_type, uint32_t ch_no, uint8_t on, int8_t threshold, uint8_t ratio,
                     uint8_t attack, uint8_t release, uint8_t gain, uint8_t link);
    Outcome set_reverb(uint32_t type, uint8_t predelay, uint8_t time, uint8_t diff);
    Outcome set_return(uint8_t on, int8_t level);
    Outcome set_fader(uint32_t ch_type, uint32_t ch_no, int16_t level);

    // The five one-byte channel settings share their shape; only op, table and writer differ.
    enum class ByteKind { TrueBypass, Pan, Mute, Solo, Phase };
    Outcome set_channel_byte(ByteKind kind, uint32_t ch_type, uint32_t ch_no, uint8_t value);

    // Appends pending entries to `buf` in the fixed order until one does not fit. Returns whether
    // anything went in; entries that went in are no longer pending.
    bool fill_message(ixmsg_buf *buf);

    // Forgets the stored values and pending flags of every channel table and the gain-reduction
    // address; requests, clock, optical modes, reverb and return are kept.
    void reset_params();

private:
    PendingTable<ChannelByte, 22> &byte_table(ByteKind kind);

    bool requests_[static_cast<int>(Request::Count)] = {};
    Address grmeter_;
    PendingTable<ClockEntry, 1> clock_;
    PendingTable<OpticalEntry, 2> optical_;
    PendingTable<RouteEntry, 20> route_;
    PendingTable<SendEntry, 21 * 4> send_;
    PendingTable<EqEntry, 20 * 4> eq_;
    PendingTable<CompEntry, 20> comp_;
    PendingTable<ReverbEntry, 1> reverb_;
    PendingTable<ReturnEntry, 1> return_;
    PendingTable<FaderEntry, 31> fader_;
    // Indexed by ByteKind. Sized for the mute table (inputs and masters); the others use 20 slots.
    PendingTable<ChannelByte, 22> bytes_[5];
};

// Slot of a channel in the fader table (inputs 0-19, master 20-21, outputs 22-30), or -1.
int fader_index(uint32_t ch_type, uint32_t ch_no);

} // namespace qix
