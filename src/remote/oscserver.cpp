#include "oscserver.h"

#include "localnetwork.h"
#include "subscribers.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace remote {

struct OscServer::State {
    Subscribers subscribers;
    LocalNetwork local;
    bool metersWanted = false;
    Subscribers::Clock::time_point errorSecond{};
    int errorsThisSecond = 0;
    std::vector<uint8_t> buffer = std::vector<uint8_t>(wire::kMaxDatagram);
};

namespace {

// Datagrams read in one go before the thread looks at what it has to send.
constexpr int kReadsPerTurn = 256;
constexpr int kReceiveBuffer = 1 << 20;

sockaddr_in socketAddress(uint32_t ip, uint16_t port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(ip);
    a.sin_port = htons(port);
    return a;
}

} // namespace

OscServer::OscServer(std::function<void()> ready) : ready_(std::move(ready)) {}

OscServer::~OscServer()
{
    stop();
}

int OscServer::start(uint16_t port, bool network)
{
    stop();
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (socket_ < 0 || wake_ < 0) {
        const int error = errno;
        stop();
        return error;
    }
    // A flood is read off as fast as it comes; a larger buffer rides out the GUI's hiccups.
    ::setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, &kReceiveBuffer, sizeof kReceiveBuffer);
    const sockaddr_in here = socketAddress(network ? INADDR_ANY : INADDR_LOOPBACK, port);
    if (::bind(socket_, reinterpret_cast<const sockaddr *>(&here), sizeof here) != 0) {
        const int error = errno;
        stop();
        return error;
    }
    network_ = network;
    state_ = std::make_unique<State>();
    quit_ = false;
    thread_ = std::thread(&OscServer::run, this);
    pthread_setname_np(thread_.native_handle(), "lyntra-osc");
    return 0;
}

void OscServer::stop()
{
    if (thread_.joinable()) {
        quit_ = true;
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wake_, &one, sizeof one);
        thread_.join();
    }
    for (int *fd : {&socket_, &wake_})
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    state_.reset();
    subscriberCount_ = 0;
    const std::lock_guard<std::mutex> hold(lock_);
    waiting_.clear();
    outbox_.clear();
    announced_ = false;
}

std::vector<Request> OscServer::take()
{
    std::vector<Waiting> batch;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        batch.reserve(waiting_.size());
        for (auto &entry : waiting_)
            batch.push_back(std::move(entry.second));
        waiting_.clear();
        announced_ = false;
    }
    std::sort(batch.begin(), batch.end(), [](const Waiting &a, const Waiting &b) { return a.seq < b.seq; });
    std::vector<Request> out;
    out.reserve(batch.size());
    for (Waiting &w : batch)
        out.push_back(std::move(w.request));
    return out;
}

void OscServer::send(std::vector<Outgoing> out)
{
    if (out.empty() || wake_ < 0)
        return;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        outbox_.insert(outbox_.end(), std::make_move_iterator(out.begin()), std::make_move_iterator(out.end()));
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wake_, &one, sizeof one);
}

void OscServer::run()
{
    while (!quit_) {
        const auto next = state_->subscribers.expire(Subscribers::Clock::now());
        subscriberCount_ = int(state_->subscribers.size());
        if (state_->metersWanted && !state_->subscribers.anyWantsMeters()) {
            state_->metersWanted = false;
            queue(Request{Request::Kind::Meters, {}, {}, {}, false});
        }
        pollfd fds[] = {{socket_, POLLIN, 0}, {wake_, POLLIN, 0}};
        const int timeout = int(std::chrono::duration_cast<std::chrono::milliseconds>(next).count()) + 1;
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN) {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = ::read(wake_, &count, sizeof count);
        }
        if (fds[0].revents & POLLIN)
            receive();
        flushOutbox();
    }
}

void OscServer::receive()
{
    std::vector<uint8_t> &buffer = state_->buffer;
    for (int i = 0; i < kReadsPerTurn && !quit_; ++i) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t n = ::recvfrom(socket_, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr *>(&from), &length);
        if (n < 0)
            return;
        const Endpoint sender{ntohl(from.sin_addr.s_addr), ntohs(from.sin_port)};
        if (network_ && !state_->local.contains(sender.ip))
            continue; // not ours to answer
        handle(buffer.data(), size_t(n), sender);
    }
}

void OscServer::handle(const uint8_t *data, size_t size, const Endpoint &from)
{
    std::vector<wire::InMessage> messages;
    if (!wire::decode(data, size, messages) && messages.empty()) {
        sendError(from, std::string(), "not an OSC message");
        return;
    }
    for (const wire::InMessage &m : messages) {
        const Parsed p = parse(m, from);
        switch (p.kind) {
        case Parsed::Kind::Error:
            sendError(from, m.path, p.error);
            break;
        case Parsed::Kind::Request:
            if (!queue(p.request))
                sendError(from, m.path, "busy");
            break;
        case Parsed::Kind::Unsubscribe:
            state_->subscribers.unsubscribe(p.who);
            break;
        case Parsed::Kind::Subscribe:
            switch (state_->subscribers.subscribe(p.who, p.meters, Subscribers::Clock::now())) {
            case Subscribers::Added::Full:
                sendError(from, m.path, "too many subscribers");
                break;
            case Subscribers::Added::New:
                queue(Request{Request::Kind::Dump, {}, {}, p.who, false});
                break;
            case Subscribers::Added::Renewed:
                break;
            }
            break;
        }
    }
    subscriberCount_ = int(state_->subscribers.size());
    if (state_->subscribers.anyWantsMeters() != state_->metersWanted) {
        state_->metersWanted = !state_->metersWanted;
        queue(Request{Request::Kind::Meters, {}, {}, {}, state_->metersWanted});
    }
}

bool OscServer::queue(Request r)
{
    // A change of an address replaces the one waiting, whoever sent it; queries and the rest wait
    // per asker.
    const bool perSender = r.kind != Request::Kind::Set && r.kind != Request::Kind::Meters;
    const Key key{int(r.kind), r.address.row, r.address.index, r.address.sub, perSender ? r.from.ip : 0,
                  perSender ? r.from.port : 0};
    bool announce = false;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        if (waiting_.size() >= kMostWaiting && waiting_.find(key) == waiting_.end())
            return false;
        waiting_[key] = Waiting{std::move(r), ++seq_};
        announce = !announced_;
        announced_ = true;
    }
    if (announce && ready_)
        ready_();
    return true;
}

void OscServer::flushOutbox()
{
    std::vector<Outgoing> out;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        out.swap(outbox_);
    }
    // Per receiver, in order, bundled.
    std::vector<std::pair<Endpoint, std::vector<OutMessage>>> byReceiver;
    const auto add = [&](const Endpoint &to, const OutMessage &m) {
        auto it = std::find_if(byReceiver.begin(), byReceiver.end(), [&](const auto &e) { return e.first == to; });
        if (it == byReceiver.end())
            it = byReceiver.insert(byReceiver.end(), {to, {}});
        it->second.push_back(m);
    };
    for (const Outgoing &o : out) {
        if (o.message.path == kErrorPath && !errorAllowed())
            continue;
        if (o.to == Outgoing::To::One)
            add(o.endpoint, o.message);
        else
            for (const Endpoint &to : state_->subscribers.receivers(o.endpoint, o.to == Outgoing::To::MeterSubscribers))
                add(to, o.message);
    }
    for (const auto &[to, messages] : byReceiver)
        sendTo(to, messages);
}

void OscServer::sendTo(const Endpoint &to, const std::vector<OutMessage> &messages)
{
    if (!to.valid())
        return;
    const sockaddr_in there = socketAddress(to.ip, to.port);
    for (const std::vector<uint8_t> &datagram : wire::encode(messages))
        ::sendto(socket_, datagram.data(), datagram.size(), MSG_DONTWAIT, reinterpret_cast<const sockaddr *>(&there),
                 sizeof there);
}

void OscServer::sendError(const Endpoint &to, const std::string &path, const std::string &why)
{
    if (errorAllowed())
        sendTo(to, {errorMessage(path, why)});
}

bool OscServer::errorAllowed()
{
    const auto now = Subscribers::Clock::now();
    if (now - state_->errorSecond >= std::chrono::seconds(1)) {
        state_->errorSecond = now;
        state_->errorsThisSecond = 0;
    }
    return ++state_->errorsThisSecond <= kErrorsPerSecond;
}

} // namespace remote
