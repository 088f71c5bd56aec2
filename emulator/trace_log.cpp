#include "trace_log.h"

#include <QByteArray>
#include <QJsonArray>

namespace lyntra::fw {

void TraceLog::record(bool in, const uint8_t *data, size_t length)
{
    if (entries_.size() >= kMaxEntries)
        entries_.pop_front();
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(length));
    entries_.push_back({clock_.nsecsElapsed() / 1000, in, QString::fromLatin1(bytes.toHex())});
}

QJsonObject TraceLog::toJson() const
{
    QJsonArray a;
    for (const Entry &e : entries_)
        a.append(QJsonObject{{"t", e.micros}, {"dir", e.in ? "in" : "out"}, {"hex", e.hex}});
    return QJsonObject{{"trace", a}};
}

} // namespace lyntra::fw
