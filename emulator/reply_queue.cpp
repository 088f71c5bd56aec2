#include "reply_queue.h"

#include "ixmsg.h"

#include <cstring>

namespace lyntra::fw {
namespace {

// Room for the ready token (3 bytes) and an end item (2) is always kept free.
constexpr size_t kContentLimit = ReplyQueue::kReplySize - 5;

size_t itemSize(const ReplyItem &item)
{
    return ixmsg_item_size(item.type) + (item.type == IXMSG_T_BYTES ? item.bytes.size() : 0);
}

uint8_t widthFor(uint32_t value)
{
    return value <= 0xFF ? IXMSG_T_U8 : (value <= 0xFFFF ? IXMSG_T_U16 : IXMSG_T_U32);
}

struct Context {
    uint32_t type = 0;
    uint32_t no = 0;
};

size_t groupSize(const ReplyGroup &g, const Context &ctx)
{
    size_t size = 0;
    if (g.addressed) {
        if (g.chType != ctx.type)
            size += ixmsg_item_size(widthFor(g.chType));
        if (g.chNo != ctx.no)
            size += ixmsg_item_size(IXMSG_T_U8);
    }
    for (const ReplyItem &item : g.items)
        size += itemSize(item);
    return size;
}

bool putItem(ixmsg_buf *buf, const ReplyItem &item)
{
    if (item.type == IXMSG_T_BYTES)
        return ixmsg_put(buf, item.id, item.type, 0, reinterpret_cast<const uint8_t *>(item.bytes.data()),
                         static_cast<uint8_t>(item.bytes.size())) == 0;
    return ixmsg_put(buf, item.id, item.type, item.value) == 0;
}

} // namespace

bool ReplyQueue::push(ReplyGroup group)
{
    if (groups_.size() >= kMaxGroups || groupSize(group, Context{}) > kContentLimit || group.chNo > 0xFF)
        return false;
    for (const ReplyItem &item : group.items)
        if (item.type == IXMSG_T_BYTES && (item.bytes.empty() || item.bytes.size() > 61))
            return false;
    groups_.push_back(std::move(group));
    return true;
}

bool ReplyQueue::refresh(const ReplyGroup &group)
{
    for (ReplyGroup &waiting : groups_) {
        if (waiting.addressed && group.addressed && waiting.chType == group.chType &&
            waiting.chNo == group.chNo && waiting.items.size() == 1 && group.items.size() == 1 &&
            waiting.items.front().id == group.items.front().id) {
            waiting.items = group.items;
            return true;
        }
    }
    return false;
}

void ReplyQueue::fill(uint8_t *out, uint8_t ready)
{
    std::memset(out, 0, kReplySize);
    ixmsg_buf buf;
    ixmsg_init(&buf, out, static_cast<uint8_t>(kReplySize));
    Context ctx; // every reply starts from address 0/0 on the host
    while (!groups_.empty()) {
        const ReplyGroup &g = groups_.front();
        if (buf.position + groupSize(g, ctx) > kContentLimit)
            break;
        if (g.addressed && g.chType != ctx.type) {
            ixmsg_put(&buf, IXMSG_ID_CH_TYPE, widthFor(g.chType), g.chType);
            ctx.type = g.chType;
        }
        if (g.addressed && g.chNo != ctx.no) {
            ixmsg_put(&buf, IXMSG_ID_CH_NO, IXMSG_T_U8, g.chNo);
            ctx.no = g.chNo;
        }
        for (const ReplyItem &item : g.items)
            putItem(&buf, item);
        groups_.pop_front();
    }
    ixmsg_put(&buf, IXMSG_ID_READY, IXMSG_T_U8, ready);
}

} // namespace lyntra::fw
