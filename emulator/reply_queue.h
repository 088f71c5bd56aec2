// Answers waiting for the host, packed into 64-byte replies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace lyntra::fw {

struct ReplyItem {
    uint8_t id;
    uint8_t type;
    uint32_t value;
    std::string bytes; // type 5 payload only
};

// Items that belong together; an addressed group gets 97/98 in front as the reply's context needs.
struct ReplyGroup {
    bool addressed = false;
    uint32_t chType = 0;
    uint32_t chNo = 0;
    std::vector<ReplyItem> items;
};

class ReplyQueue {
public:
    static constexpr size_t kMaxGroups = 4096;
    static constexpr size_t kReplySize = 64;

    // Queues `group` (copied). Returns false and drops it when the queue is full or the group could
    // never fit a reply.
    bool push(ReplyGroup group);
    // Gives a still-waiting addressed group for the same channel and item the values of `group`;
    // false when none waits. Keeps readings the host asks for faster than it reads from piling up.
    bool refresh(const ReplyGroup &group);
    bool empty() const { return groups_.empty(); }
    size_t size() const { return groups_.size(); }
    void clear() { groups_.clear(); }

    // Writes one reply into `out` (kReplySize bytes, caller-owned): as many whole queued groups as fit,
    // each re-establishing the address from the host's fresh context, then 161 = `ready` (one byte), then
    // zeros. Consumes the groups written.
    void fill(uint8_t *out, uint8_t ready);

private:
    std::deque<ReplyGroup> groups_;
};

} // namespace lyntra::fw
