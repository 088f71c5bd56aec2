#include "fakeunit.h"

#include <QStringList>

#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
void putU32(char *at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<char>(v >> (8 * i));
}

quint32 getU32(const char *at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<quint8>(at[i]);
    return v;
}

void sendAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t n = ::send(fd, data, left, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        data += n;
        left -= static_cast<size_t>(n);
    }
}
} // namespace

FakeUnit::FakeUnit(const QString &path) : m_path(path), m_reply(64, '\0')
{
    for (int i = 0; i < 64; ++i)
        m_reply[i] = static_cast<char>(i * 3 + 1);
    m_clock.start();
    const QByteArray native = path.toLocal8Bit();
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (native.size() >= static_cast<int>(sizeof addr.sun_path) || ::pipe(m_wake) != 0)
        return;
    std::memcpy(addr.sun_path, native.constData(), static_cast<size_t>(native.size()) + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        return;
    }
    m_listenFd = fd;
    m_thread = std::thread([this] { run(); });
}

FakeUnit::~FakeUnit()
{
    if (m_thread.joinable()) {
        const char stop = 'x';
        [[maybe_unused]] ssize_t n = ::write(m_wake[1], &stop, 1);
        m_thread.join();
    }
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
        ::unlink(m_path.toLocal8Bit().constData());
    }
    for (int fd : m_wake)
        if (fd >= 0)
            ::close(fd);
}

void FakeUnit::script(const QVector<Answer> &answers)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_script.assign(answers.begin(), answers.end());
}

void FakeUnit::setReply(const QByteArray &reply)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_reply = reply;
}

QVector<FakeUnit::Frame> FakeUnit::frames() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frames;
}

FakeUnit::Answer FakeUnit::nextAnswer()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_script.empty())
        return Answer::Ok;
    const Answer a = m_script.front();
    m_script.pop_front();
    return a;
}

void FakeUnit::run()
{
    for (;;) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
            return;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ++m_connections;
        serve(fd);
        ::close(fd);
    }
}

bool FakeUnit::readExact(int fd, char *data, size_t size)
{
    while (size > 0) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
            return false;
        const ssize_t n = ::recv(fd, data, size, 0);
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void FakeUnit::serve(int fd)
{
    for (;;) {
        char head[8];
        if (!readExact(fd, head, sizeof head))
            return;
        Frame frame;
        frame.code = getU32(head);
        const quint32 inLength = getU32(head + 4);
        if (inLength > 4096)
            return;
        frame.block.resize(static_cast<int>(inLength));
        char tail[4];
        if (!readExact(fd, frame.block.data(), inLength) || !readExact(fd, tail, sizeof tail))
            return;
        frame.outLength = getU32(tail);
        frame.atMs = m_clock.elapsed();
        QByteArray reply;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_frames.append(frame);
            reply = m_reply;
        }
        reply = reply.leftJustified(static_cast<int>(frame.outLength), '\0', true);

        QByteArray answer(8, '\0');
        switch (nextAnswer()) {
        case Answer::Ok:
            putU32(answer.data() + 4, frame.outLength);
            answer += reply;
            break;
        case Answer::FailStatus:
            putU32(answer.data(), 0xC0000001u);
            break;
        case Answer::Short:
            putU32(answer.data() + 4, frame.outLength - 1);
            answer += reply.left(reply.size() - 1);
            break;
        case Answer::Long:
            putU32(answer.data() + 4, frame.outLength + 1);
            answer += reply + '\0';
            break;
        case Answer::HangUp:
            return;
        case Answer::Silent:
            continue; // keep the connection, never answer
        }
        sendAll(fd, answer);
    }
}

QVector<FakeUnit::Answer> fakeAnswers(const QString &list)
{
    QVector<FakeUnit::Answer> answers;
    for (const QString &word : list.split(',', Qt::SkipEmptyParts)) {
        if (word == "fail")
            answers << FakeUnit::Answer::FailStatus;
        else if (word == "short")
            answers << FakeUnit::Answer::Short;
        else if (word == "long")
            answers << FakeUnit::Answer::Long;
        else if (word == "hangup")
            answers << FakeUnit::Answer::HangUp;
        else if (word == "silent")
            answers << FakeUnit::Answer::Silent;
        else
            answers << FakeUnit::Answer::Ok;
    }
    return answers;
}
