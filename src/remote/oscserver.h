// The OSC server: a UDP socket and the thread that reads it. The thread decodes and checks every
// datagram, answers what is wrong on the error address, keeps the subscriptions, and coalesces what
// is left per address (the latest change of an address replaces the one still waiting), so a flood
// reaches the GUI thread as at most one batch of distinct addresses at a time. It also sends what the
// GUI thread hands back: answers, feedback and meters, to one client or to the subscribers.
//
// Construction, start(), stop(), take() and send(): GUI thread. The `ready` callback runs on the
// server's thread. Nothing else is shared between the two threads.
#pragma once

#include "oscrequest.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace remote {

class OscServer {
public:
    // Requests waiting beyond this many distinct addresses are refused ("busy") until taken.
    static constexpr size_t kMostWaiting = 4096;
    // Error answers beyond this many a second are not sent (a sender of garbage gets no flood back).
    static constexpr int kErrorsPerSecond = 100;

    // `ready` is called (on the server's thread) when requests wait and no call announced them since
    // the last take().
    explicit OscServer(std::function<void()> ready);
    ~OscServer();
    OscServer(const OscServer &) = delete;
    OscServer &operator=(const OscServer &) = delete;

    // Listens on UDP `port` of 127.0.0.1, or with `network` of every interface (answering senders on
    // this computer's networks only), and starts the thread. 0 when listening, else the errno of the
    // failure (EADDRINUSE: another program has the port).
    int start(uint16_t port, bool network);
    // Ends the thread and closes the socket; subscriptions end with it.
    void stop();
    bool running() const { return thread_.joinable(); }

    // The waiting requests in the order of their latest arrival.
    std::vector<Request> take();
    // Sends `out` from the server's thread, in order.
    void send(std::vector<Outgoing> out);
    // Subscribers at the moment (written by the server's thread).
    int subscribers() const { return subscriberCount_.load(); }

private:
    void run();
    void receive();
    void handle(const uint8_t *data, size_t size, const Endpoint &from);
    // False when too many wait already.
    bool queue(Request r);
    void flushOutbox();
    void sendTo(const Endpoint &to, const std::vector<OutMessage> &messages);
    void sendError(const Endpoint &to, const std::string &path, const std::string &why);
    bool errorAllowed();

    std::function<void()> ready_;
    int socket_ = -1;
    int wake_ = -1;
    bool network_ = false;
    std::thread thread_;
    std::atomic<bool> quit_{false};
    std::atomic<int> subscriberCount_{0};

    // Shared with the GUI thread, under lock_.
    using Key = std::tuple<int, int, int, int, uint32_t, uint16_t>;
    struct Waiting {
        Request request;
        uint64_t seq;
    };
    std::mutex lock_;
    std::map<Key, Waiting> waiting_;
    uint64_t seq_ = 0;
    bool announced_ = false;
    std::vector<Outgoing> outbox_;

    // The server's thread's own.
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace remote
