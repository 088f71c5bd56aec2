// Control messages and unit replies for tests, built and read with the product's own item codec.
//
//   wire::message({wire::u8(IXMSG_ID_PAN, 20), wire::flag(IXMSG_ID_HZ)})  a host message, whole items only
//   Reply().u16(IXMSG_ID_METER, 7).text(IXMSG_ID_PRODUCTNAME, "K2")       a 64-byte reply, zero after its
//   items Reply().raw(bytes)                                                    bytes the encoder would
//   refuse describe(msg) == "97=4 98=1 129=0"                                    items of a message, for
//   comparisons wire::ReplyReader r; r.read(reply)                                    items with the address
//   and source
//                                                                         in force when each was read
#pragma once

#include "ixmsg.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstring>
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
inline Item u32(uint8_t id, uint32_t v)
{
    return {id, IXMSG_T_U32, v};
}
inline Item flag(uint8_t id)
{
    return {id, IXMSG_T_FLAG, 0};
}

inline QByteArray message(std::initializer_list<Item> items)
{
    uint8_t data[IXMSG_CAPACITY] = {};
    ixmsg_buf buf;
    ixmsg_init(&buf, data, IXMSG_CAPACITY);
    for (const Item &i : items)
        ixmsg_put(&buf, i.id, i.type, i.value);
    return QByteArray(reinterpret_cast<const char *>(data), buf.position);
}

// An item as the host reads it, with the address (97/98) and source (29) in force at that point.
struct Seen {
    uint8_t id;
    uint8_t type;
    uint32_t value;
    uint32_t chType;
    uint32_t chNo;
    uint32_t source;
    QString text;
    int reply; // index of the reply it came in
};

// Reads replies in order; the address starts at 0/0 in each reply, the source carries over.
class ReplyReader {
public:
    // Returns where the reader stopped.
    int read(QByteArray reply)
    {
        ixmsg_buf buf;
        ixmsg_init(&buf, reinterpret_cast<uint8_t *>(reply.data()), static_cast<uint8_t>(reply.size()));
        uint32_t chType = 0, chNo = 0;
        uint8_t id = 0, type = 0, length = 0;
        uint32_t value = 0;
        const uint8_t *bytes = nullptr;
        while (ixmsg_get(&buf, &id, &type, &value, &bytes, &length) == 0) {
            if (id == IXMSG_ID_CH_TYPE)
                chType = value;
            else if (id == IXMSG_ID_CH_NO)
                chNo = value & 0xFF;
            else if (id == IXMSG_ID_SRC)
                source_ = value;
            Seen s{id, type, value, chType, chNo, source_, {}, replies_};
            if (type == IXMSG_T_BYTES)
                s.text = QString::fromUtf8(reinterpret_cast<const char *>(bytes), length);
            items.append(s);
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

// A 64-byte reply assembled item by item.
class Reply {
public:
    Reply() { ixmsg_init(&buf_, data_, IXMSG_CAPACITY); }
    Reply &num(uint8_t id, uint32_t value, uint8_t type = IXMSG_T_U8)
    {
        ixmsg_put(&buf_, id, type, value);
        return *this;
    }
    Reply &u16(uint8_t id, uint32_t value) { return num(id, value, IXMSG_T_U16); }
    Reply &u32(uint8_t id, uint32_t value) { return num(id, value, IXMSG_T_U32); }
    Reply &text(uint8_t id, const char *s)
    {
        ixmsg_put(&buf_, id, IXMSG_T_BYTES, 0, reinterpret_cast<const uint8_t *>(s),
                  static_cast<uint8_t>(std::strlen(s)));
        return *this;
    }
    Reply &raw(const QByteArray &bytes)
    {
        std::memcpy(data_ + buf_.position, bytes.constData(), static_cast<size_t>(bytes.size()));
        buf_.position = static_cast<uint8_t>(buf_.position + bytes.size());
        return *this;
    }
    QByteArray bytes() const { return QByteArray(reinterpret_cast<const char *>(data_), IXMSG_CAPACITY); }
    operator QByteArray() const { return bytes(); }

private:
    uint8_t data_[IXMSG_CAPACITY] = {};
    ixmsg_buf buf_;
};

// "id=value id=value ..." of every item of `msg`, for readable comparisons.
inline QString describe(const QByteArray &msg)
{
    wire::ReplyReader reader;
    reader.read(msg);
    QStringList parts;
    for (const wire::Seen &it : reader.items)
        parts << QStringLiteral("%1=%2").arg(it.id).arg(it.value);
    return parts.join(QLatin1Char(' '));
}
