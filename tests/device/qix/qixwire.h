// Test helpers: building unit replies and reading back the messages the device object sends.
#pragma once

#include "ixmsg.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstring>

// A 64-byte reply assembled item by item; unused bytes stay zero (an end item).
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
    // Raw bytes at the current position, for malformed replies the encoder refuses to write.
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

struct WireItem {
    uint8_t id;
    uint32_t value;
};

// Every item of a sent message, in order.
inline QVector<WireItem> items_of(const QByteArray &msg)
{
    QByteArray copy = msg;
    ixmsg_buf buf;
    ixmsg_init(&buf, reinterpret_cast<uint8_t *>(copy.data()), static_cast<uint8_t>(copy.size()));
    QVector<WireItem> out;
    uint8_t id = 0;
    uint32_t value = 0;
    while (ixmsg_get(&buf, &id, nullptr, &value, nullptr, nullptr) == 0)
        out.push_back({id, value});
    return out;
}

// "id=value id=value ..." for readable comparisons.
inline QString describe(const QByteArray &msg)
{
    QStringList parts;
    for (const WireItem &it : items_of(msg))
        parts << QStringLiteral("%1=%2").arg(it.id).arg(it.value);
    return parts.join(QLatin1Char(' '));
}
