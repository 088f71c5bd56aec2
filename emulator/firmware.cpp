#include "firmware.h"

#include "meter_model.h"

#include "ixmsgids.h"

namespace lyntra::fw {
namespace {

constexpr int kMaxTextBytes = 40;

ReplyItem numeric(uint8_t id, uint32_t value)
{
    const uint8_t type = value <= 0xFF ? IXMSG_T_U8 : (value <= 0xFFFF ? IXMSG_T_U16 : IXMSG_T_U32);
    return {id, type, value, {}};
}

ReplyItem text(uint8_t id, const QString &s)
{
    return {id, IXMSG_T_BYTES, 0, s.toUtf8().toStdString()};
}

ReplyGroup single(ReplyItem item)
{
    ReplyGroup g;
    g.items.push_back(std::move(item));
    return g;
}

ReplyGroup addressed(uint32_t type, uint32_t no, ReplyItem item)
{
    ReplyGroup g;
    g.addressed = true;
    g.chType = type;
    g.chNo = no;
    g.items.push_back(std::move(item));
    return g;
}

bool validAddress(uint32_t type, uint32_t no)
{
    switch (type) {
    case IXMSG_DATA_CH_OUTPUT:
        return no >= 1 && no <= kOutputs;
    case IXMSG_DATA_CH_MASTER:
        return no >= 1 && no <= kMasters;
    case IXMSG_DATA_CH_COMPUTER:
        return no >= 1 && no <= 10;
    case IXMSG_DATA_CH_INPUT:
        return no >= 1 && no <= kInputs;
    case IXMSG_DATA_CH_AUX:
        return no >= 1 && no <= kBuses;
    default:
        return false;
    }
}

} // namespace

constexpr uint32_t Firmware::kSources[4];

Firmware::Firmware(Model model)
{
    setModel(model);
}

void Firmware::setModel(Model model)
{
    id_.model = model;
    id_.product = model == Model::K1 ? QStringLiteral("LYNTRA K1") : QStringLiteral("LYNTRA K2");
}

bool Firmware::setProductName(const QString &name)
{
    const int size = name.toUtf8().size();
    if (size == 0 || size > kMaxTextBytes)
        return false;
    id_.product = name;
    return true;
}

bool Firmware::setBuildDate(const QString &value)
{
    const int size = value.toUtf8().size();
    if (size == 0 || size > kMaxTextBytes)
        return false;
    id_.buildDate = value;
    return true;
}

bool Firmware::setBuildTime(const QString &value)
{
    const int size = value.toUtf8().size();
    if (size == 0 || size > kMaxTextBytes)
        return false;
    id_.buildTime = value;
    return true;
}

int Firmware::sourceIndex(uint32_t source) const
{
    for (int i = 0; i < 4; ++i)
        if (kSources[i] == source)
            return i;
    return -1;
}

bool Firmware::setClockLock(uint32_t source, uint32_t code)
{
    const int i = sourceIndex(source);
    if (i < 0)
        return false;
    lock_[i] = code;
    return true;
}

bool Firmware::setClockHz(uint32_t source, uint32_t hz)
{
    const int i = sourceIndex(source);
    if (i < 0)
        return false;
    hz_[i] = hz;
    hzSet_[i] = true;
    return true;
}

uint32_t Firmware::clockLock(uint32_t source) const
{
    const int i = sourceIndex(source);
    return i < 0 ? 0 : lock_[i];
}

uint32_t Firmware::clockHz(uint32_t source) const
{
    const int i = sourceIndex(source);
    if (i < 0)
        return 0;
    if (!hzSet_[i] && source == IXMSG_DATA_CLOCKSOURCE_INTERNAL)
        return id_.rate;
    return hz_[i];
}

void Firmware::apply(const uint8_t *msg, size_t length)
{
    for (const PendingRequest &request : applyMessage(msg, length, mix_))
        answer(request);
}

void Firmware::queue(ReplyGroup group)
{
    if (!queue_.push(std::move(group)))
        ++dropped_;
}

void Firmware::queueReading(ReplyGroup group)
{
    // A meter the host has not read yet just takes the newer reading: one of each waits at most.
    if (!queue_.refresh(group))
        queue(std::move(group));
}

void Firmware::answer(const PendingRequest &request)
{
    switch (request.id) {
    case IXMSG_ID_GET_INFO:
        queue(single({IXMSG_ID_VERSION, IXMSG_T_U16, id_.version, {}}));
        queue(single({IXMSG_ID_BUILD, IXMSG_T_U16, id_.build, {}}));
        queue(single(text(IXMSG_ID_PRODUCTNAME, id_.product)));
        queue(single(text(IXMSG_ID_BUILDDATE, id_.buildDate)));
        queue(single(text(IXMSG_ID_BUILDTIME, id_.buildTime)));
        break;
    case IXMSG_ID_HZ:
        queue(single(numeric(IXMSG_ID_HZ, id_.rate)));
        break;
    case IXMSG_ID_CLOCKSOURCE:
        queue(single(numeric(IXMSG_ID_CLOCKSOURCE, mix_.clockSource ? uint32_t(*mix_.clockSource)
                                                                    : IXMSG_DATA_CLOCKSOURCE_INTERNAL)));
        break;
    case IXMSG_ID_CLOCKLOCK:
        for (uint32_t source : kSources) {
            ReplyGroup g;
            g.items = {numeric(IXMSG_ID_SRC, source), numeric(IXMSG_ID_CLOCKLOCK, clockLock(source)),
                       numeric(IXMSG_ID_CLOCKHZ, clockHz(source))};
            queue(std::move(g));
        }
        break;
    case IXMSG_ID_GET_METER:
        for (int input = 1; input <= kInputs; ++input)
            queueReading(
                addressed(IXMSG_DATA_CH_INPUT, input, {IXMSG_ID_METER, IXMSG_T_U16, inputLevel(input), {}}));
        for (int side = 1; side <= kMasters; ++side)
            queueReading(
                addressed(IXMSG_DATA_CH_MASTER, side, {IXMSG_ID_METER, IXMSG_T_U16, masterLevel(side), {}}));
        break;
    case IXMSG_ID_GET_GRMETER:
        if (validAddress(request.chType, request.chNo)) {
            const uint32_t gr =
                request.chType == IXMSG_DATA_CH_INPUT ? gainReduction(int(request.chNo)) : kFullScale;
            queueReading(addressed(request.chType, request.chNo, {IXMSG_ID_GRMETER, IXMSG_T_U16, gr, {}}));
        }
        break;
    case IXMSG_ID_DSPMODE:
        queue(single(numeric(IXMSG_ID_DSPMODE, id_.dspMode)));
        break;
    default:
        break;
    }
}

void Firmware::nextReply(uint8_t *out, uint8_t ready)
{
    queue_.fill(out, ready);
}

void Firmware::setTime(double seconds)
{
    if (!frozen_)
        sources_.seconds = seconds;
}

bool Firmware::setSourceLevel(int input, std::optional<double> level)
{
    if (input < 1 || input > kInputs || (level && !(*level >= 0.0 && *level <= kFullScale)))
        return false;
    sources_.level[input - 1] = level;
    return true;
}

uint32_t Firmware::inputLevel(int input) const
{
    return inputMeter(mix_, id_.model == Model::K1, input, sources_);
}

uint32_t Firmware::masterLevel(int side) const
{
    return masterMeter(mix_, id_.model == Model::K1, side, sources_);
}

uint32_t Firmware::gainReduction(int input) const
{
    return gainReductionMeter(mix_, id_.model == Model::K1, input, sources_);
}

} // namespace lyntra::fw
