// What the host sent, read from the virtual unit's trace (`unit.control("trace")`).
#pragma once

#include "ixmsg.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>

namespace lyntra_test {

// The host's messages of the trace, as bytes.
inline QList<QByteArray> sentMessages(const QJsonObject &trace)
{
    QList<QByteArray> messages;
    for (const QJsonValue &entry : trace.value(QStringLiteral("trace")).toArray())
        if (entry.toObject().value(QStringLiteral("dir")).toString() == QLatin1String("out"))
            messages << QByteArray::fromHex(entry.toObject().value(QStringLiteral("hex")).toString().toLatin1());
    return messages;
}

// Values of every `id` item in the host's messages of the trace.
inline QList<uint32_t> sentValues(const QJsonObject &trace, uint8_t id)
{
    QList<uint32_t> values;
    for (QByteArray bytes : sentMessages(trace)) {
        ixmsg_buf buf;
        ixmsg_init(&buf, reinterpret_cast<uint8_t *>(bytes.data()), uint8_t(qMin(bytes.size(), 64)));
        uint8_t itemId = 0;
        uint32_t value = 0;
        while (ixmsg_get(&buf, &itemId, nullptr, &value, nullptr, nullptr) == 0)
            if (itemId == id)
                values << value;
    }
    return values;
}

} // namespace lyntra_test
