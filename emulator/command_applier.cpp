#include "command_applier.h"

#include "ixmsg.h"

#include <cstring>

namespace lyntra::fw {
namespace {

struct Address {
    uint32_t type = 0;
    uint32_t no = 0;
};

bool isNumeric(uint8_t type)
{
    return type == IXMSG_T_U8 || type == IXMSG_T_U16 || type == IXMSG_T_U32;
}

// Signed levels travel as the two's complement of the item's own width.
int64_t signedOf(uint32_t value, uint8_t type)
{
    switch (type) {
    case IXMSG_T_U8:
        return static_cast<int8_t>(value);
    case IXMSG_T_U16:
        return static_cast<int16_t>(value);
    default:
        return static_cast<int32_t>(value);
    }
}

int inputIndex(const Address &a)
{
    return (a.type == IXMSG_DATA_CH_INPUT && a.no >= 1 && a.no <= kInputs) ? int(a.no) - 1 : -1;
}

int masterIndex(const Address &a)
{
    return (a.type == IXMSG_DATA_CH_MASTER && a.no >= 1 && a.no <= kMasters) ? int(a.no) - 1 : -1;
}

// Collects the value items of one message until their completing item arrives.
class Walker {
public:
    explicit Walker(MixState &state) : s_(state) {}

    void item(uint8_t id, uint8_t type, uint32_t raw, std::vector<PendingRequest> &requests)
    {
        const bool num = isNumeric(type);
        const int64_t u = raw;
        const int64_t sv = signedOf(raw, type);
        switch (id) {
        case IXMSG_ID_CH_TYPE:
            setIf(num, cur_.type, raw);
            break;
        case IXMSG_ID_CH_NO:
            setIf(num, cur_.no, raw);
            break;
        case IXMSG_ID_FROM:
            from_ = cur_;
            break;
        case IXMSG_ID_TO:
            to_ = cur_;
            break;
        case IXMSG_ID_SRC:
            setIf(num, source_, raw);
            break;
        case IXMSG_ID_SET_CLOCKSOURCE:
            if (num)
                s_.clockSource = u;
            break;
        case IXMSG_ID_SET_ADAT_X4MODE:
            if (num &&
                (source_ == IXMSG_DATA_CLOCKSOURCE_OPTICAL_A || source_ == IXMSG_DATA_CLOCKSOURCE_OPTICAL_B))
                s_.opticalMode[source_ == IXMSG_DATA_CLOCKSOURCE_OPTICAL_A ? 0 : 1] = u;
            break;
        case IXMSG_ID_STORE:
            ++s_.storeCount;
            break;
        case IXMSG_ID_ASSIGN:
            assign();
            break;
        case IXMSG_ID_SEND_POINT:
            collect(num, sendPoint_, u);
            break;
        case IXMSG_ID_SEND_LEVEL:
            collect(num, sendLevel_, sv);
            break;
        case IXMSG_ID_SEND:
            send();
            break;
        case IXMSG_ID_RETURN_LEVEL:
            collect(num, s_.returnLevel, sv);
            break;
        case IXMSG_ID_RETURN_ON:
            collect(num, s_.returnOn, u);
            break;
        case IXMSG_ID_EQ_BAND:
            collect(num, eqBand_, u);
            break;
        case IXMSG_ID_EQ_GAIN:
            collect(num, eqGain_, u);
            break;
        case IXMSG_ID_EQ_FREQ:
            collect(num, eqFreq_, u);
            break;
        case IXMSG_ID_EQ_Q:
            collect(num, eqQ_, u);
            break;
        case IXMSG_ID_EQ_ON:
            if (num)
                eq(u);
            break;
        case IXMSG_ID_COMP_THRESHOLD:
            collect(num, comp_.threshold, sv);
            break;
        case IXMSG_ID_COMP_RATIO:
            collect(num, comp_.ratio, u);
            break;
        case IXMSG_ID_COMP_ATTACK:
            collect(num, comp_.attack, u);
            break;
        case IXMSG_ID_COMP_RELEASE:
            collect(num, comp_.release, u);
            break;
        case IXMSG_ID_COMP_GAIN:
            collect(num, comp_.gain, u);
            break;
        case IXMSG_ID_COMP_LINK:
            collect(num, comp_.link, u);
            break;
        case IXMSG_ID_COMP_ON:
            if (num)
                compressor(u);
            break;
        case IXMSG_ID_REVERB_TYPE:
            collect(num, reverb_[0], u);
            break;
        case IXMSG_ID_REVERB_PREDELAY:
            collect(num, reverb_[1], u);
            break;
        case IXMSG_ID_REVERB_TIME:
            collect(num, reverb_[2], u);
            break;
        case IXMSG_ID_REVERB_DIFF:
            collect(num, reverb_[3], u);
            break;
        case IXMSG_ID_REVERB:
            reverb();
            break;
        case IXMSG_ID_TRUEBYPASS:
            perInput(num, s_.truebypass, u);
            break;
        case IXMSG_ID_PAN:
            perInput(num, s_.pan, u);
            break;
        case IXMSG_ID_SOLO:
            perInput(num, s_.solo, u);
            break;
        case IXMSG_ID_PHASE:
            perInput(num, s_.phase, u);
            break;
        case IXMSG_ID_MUTE:
            perInput(num, s_.inputMute, u);
            if (num && masterIndex(cur_) >= 0)
                s_.masterMute[masterIndex(cur_)] = u;
            break;
        case IXMSG_ID_FADER:
            fader(num, sv);
            break;
        case IXMSG_ID_HZ:
        case IXMSG_ID_CLOCKSOURCE:
        case IXMSG_ID_CLOCKLOCK:
        case IXMSG_ID_GET_INFO:
        case IXMSG_ID_GET_METER:
        case IXMSG_ID_GET_GRMETER:
        case IXMSG_ID_DSPMODE:
            requests.push_back({id, cur_.type, cur_.no});
            break;
        default:
            break; // not a command the unit knows
        }
    }

private:
    static void setIf(bool num, uint32_t &target, uint32_t value)
    {
        if (num)
            target = value;
    }
    static void collect(bool num, Value &target, int64_t value)
    {
        if (num)
            target = value;
    }
    static void merge(Value &target, const Value &value)
    {
        if (value)
            target = value;
    }

    void perInput(bool num, Value (&field)[kInputs], int64_t value)
    {
        const int i = inputIndex(cur_);
        if (num && i >= 0)
            field[i] = value;
    }

    void fader(bool num, int64_t value)
    {
        if (!num)
            return;
        if (int i = inputIndex(cur_); i >= 0)
            s_.inputFader[i] = value;
        else if (int m = masterIndex(cur_); m >= 0)
            s_.masterFader[m] = value;
        else if (cur_.type == IXMSG_DATA_CH_OUTPUT && cur_.no >= 1 && cur_.no <= kOutputs)
            s_.outputFader[cur_.no - 1] = value;
    }

    void assign()
    {
        if (to_.type == IXMSG_DATA_CH_OUTPUT && to_.no >= 1 && to_.no <= kRouteOutputs) {
            s_.route[to_.no - 1].type = from_.type;
            s_.route[to_.no - 1].channel = from_.no;
        }
    }

    void send()
    {
        SendSlot *slot = nullptr;
        const bool bus = to_.type == IXMSG_DATA_CH_AUX && to_.no >= 1 && to_.no <= kBuses;
        if (bus && inputIndex(from_) >= 0)
            slot = &s_.inputSend[inputIndex(from_)][to_.no - 1];
        else if (bus && from_.type == IXMSG_DATA_CH_MASTER && from_.no == 1)
            slot = &s_.masterSend[to_.no - 1];
        if (slot) {
            merge(slot->point, sendPoint_);
            merge(slot->level, sendLevel_);
        }
        sendPoint_.reset();
        sendLevel_.reset();
    }

    void eq(int64_t on)
    {
        const int i = inputIndex(cur_);
        if (i >= 0 && eqBand_ && *eqBand_ >= 1 && *eqBand_ <= kBands) {
            EqBand &band = s_.eq[i][*eqBand_ - 1];
            band.on = on;
            merge(band.gain, eqGain_);
            merge(band.freq, eqFreq_);
            merge(band.q, eqQ_);
        }
        eqBand_.reset();
        eqGain_.reset();
        eqFreq_.reset();
        eqQ_.reset();
    }

    void compressor(int64_t on)
    {
        if (int i = inputIndex(cur_); i >= 0) {
            CompSettings &c = s_.comp[i];
            c.on = on;
            merge(c.threshold, comp_.threshold);
            merge(c.ratio, comp_.ratio);
            merge(c.attack, comp_.attack);
            merge(c.release, comp_.release);
            merge(c.gain, comp_.gain);
            merge(c.link, comp_.link);
        }
        comp_ = CompSettings{};
    }

    void reverb()
    {
        merge(s_.reverbType, reverb_[0]);
        merge(s_.reverbPredelay, reverb_[1]);
        merge(s_.reverbTime, reverb_[2]);
        merge(s_.reverbDiff, reverb_[3]);
        for (Value &v : reverb_)
            v.reset();
    }

    MixState &s_;
    Address cur_, from_, to_;
    uint32_t source_ = 0;
    Value sendPoint_, sendLevel_;
    Value eqBand_, eqGain_, eqFreq_, eqQ_;
    CompSettings comp_;
    Value reverb_[4];
};

} // namespace

std::vector<PendingRequest> applyMessage(const uint8_t *msg, size_t length, MixState &state)
{
    std::vector<PendingRequest> requests;
    ++state.messages;
    if (!msg || length == 0)
        return requests;
    uint8_t copy[IXMSG_CAPACITY] = {};
    const uint8_t n = static_cast<uint8_t>(length < IXMSG_CAPACITY ? length : IXMSG_CAPACITY);
    std::memcpy(copy, msg, n);
    ixmsg_buf buf;
    ixmsg_init(&buf, copy, n);
    Walker walker(state);
    uint8_t id = 0, type = 0;
    uint32_t value = 0;
    while (ixmsg_get(&buf, &id, &type, &value, nullptr, nullptr) == 0)
        walker.item(id, type, value, requests);
    return requests;
}

} // namespace lyntra::fw
