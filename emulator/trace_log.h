// Every message the unit received and every reply it sent, with the time since start.
#pragma once

#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <deque>

namespace lyntra::fw {

class TraceLog {
public:
    // Oldest entries go once this many are held, so a long demo cannot eat the memory.
    static constexpr size_t kMaxEntries = 100000;

    TraceLog() { clock_.start(); }
    // `in`: a reply to the host; otherwise a message from it. Copies `length` bytes at `data`.
    void record(bool in, const uint8_t *data, size_t length);
    // {"trace":[{"t":µs,"dir":"out"|"in","hex":"..."}]}
    QJsonObject toJson() const;
    size_t size() const { return entries_.size(); }
    void clear() { entries_.clear(); }

private:
    struct Entry {
        qint64 micros;
        bool in;
        QString hex;
    };
    QElapsedTimer clock_;
    std::deque<Entry> entries_;
};

} // namespace lyntra::fw
