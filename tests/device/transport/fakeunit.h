// A scriptable stand-in for a virtual unit: listens on a Unix socket in its own thread, records every
// request frame and answers each as scripted (ok, failing status, short, long, hang-up, silence).
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QVector>

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

class FakeUnit {
public:
    enum class Answer { Ok, FailStatus, Short, Long, HangUp, Silent };

    struct Frame {
        quint32 code = 0;
        QByteArray block;
        quint32 outLength = 0;
        qint64 atMs = 0;
    };

    // Listens at `path`; `listening()` tells whether that worked.
    explicit FakeUnit(const QString &path);
    ~FakeUnit();
    FakeUnit(const FakeUnit &) = delete;
    FakeUnit &operator=(const FakeUnit &) = delete;

    bool listening() const { return m_listenFd >= 0; }
    // Answers for the next requests, in order; afterwards every request is answered Ok.
    void script(const QVector<Answer> &answers);
    // Bytes returned to every IN request (padded or cut to the requested length).
    void setReply(const QByteArray &reply);

    int connections() const { return m_connections; }
    QVector<Frame> frames() const;

private:
    void run();
    void serve(int fd);
    bool readExact(int fd, char *data, size_t size);
    Answer nextAnswer();

    int m_listenFd = -1;
    int m_wake[2] = {-1, -1};
    QString m_path;
    QByteArray m_reply;
    std::deque<Answer> m_script;
    QVector<Frame> m_frames;
    mutable std::mutex m_mutex;
    std::atomic<int> m_connections{0};
    QElapsedTimer m_clock;
    std::thread m_thread;
};

// Parses "ok,fail,short,long,hangup,silent" into answers.
QVector<FakeUnit::Answer> fakeAnswers(const QString &list);
