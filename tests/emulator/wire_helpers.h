// Test-side message building and reply reading, with the host's receiver contexts.
#pragma once

#include "ixmsg.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>
#include <initializer_list>

namespace wire {

struct Item {
    uint8_t id;
    uint8_t type;
    uint32_t value;
};

inline Item u8(uint8_t id, uint32_t v)
{
    return {id, IXMSG_T_U8, v};
}
inline Item u16(uint8_t id, uint32_t v)
{
    return {id, IXMSG_T_U16, v};
}
inline Item flag(uint8_t id)
{
    return {id, IXMSG_T_FLAG, 0};
}

// One message from the host; items that do not fit are a test bug and leave the message short.
inline QByteArray message(std::initializer_list<Item> items)
{
    uint8_t data[IXMSG_CAPACITY] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, data, IXMSG_CAPACITY);
    for (const Item &i : items)
        ixmsg_put(&buf, i.id, i.type, i.value);
    return QByteArray(reinterpret_cast<const char *>(data), buf.position);
}

// An item of a reply as the host sees it: address and source as current when it was read.
struct Seen {
    uint8_t id;
    uint8_t type;
    uint32_t value;
    uint32_t chType;
    uint32_t chNo;
    uint32_t source;
    QString text;
    int reply;    // index of the reply it came in
    int position; // byte offset inside that reply
};

// Reads replies in order; the address starts at 0/0 in each reply, the source carries over.
class ReplyReader {
public:
    // Returns the number of bytes consumed, i.e. where the reader stopped.
    int read(const QByteArray &reply)
    {
        QByteArray copy = reply;
        ixmsg_buf buf;
        ixmsg_init(&buf, reinterpret_cast<uint8_t *>(copy.data()), static_cast<uint8_t>(copy.size()));
        uint32_t chType = 0, chNo = 0;
        uint8_t id = 0, type = 0, length = 0;
        uint32_t value = 0;
        const uint8_t *bytes = nullptr;
        int position = 0;
        while (ixmsg_get(&buf, &id, &type, &value, &bytes, &length) == 0) {
            if (id == IXMSG_ID_CH_TYPE)
                chType = value;
            else if (id == IXMSG_ID_CH_NO)
                chNo = value & 0xFF;
            else if (id == IXMSG_ID_SRC)
                source_ = value;
            Seen s{id, type, value, chType, chNo, source_, {}, replies_, position};
            if (type == IXMSG_T_BYTES)
                s.text = QString::fromUtf8(reinterpret_cast<const char *>(bytes), length);
            items.append(s);
            position = buf.position;
        }
        ++replies_;
        return buf.position;
    }

    QVector<Seen> withId(uint8_t id) const
    {
        QVector<Seen> out;
        for (const Seen &s : items)
            if (s.id == id)
                out.append(s);
        return out;
    }

    QVector<Seen> items;

private:
    uint32_t source_ = 0;
    int replies_ = 0;
};

} // namespace wire
