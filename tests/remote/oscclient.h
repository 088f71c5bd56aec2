// A real OSC client for tests, on liblo: sends from its own UDP port (so answers come back to it), or
// raw bytes from that port, and keeps what it receives, bundles unpacked.
#pragma once

#include <lo/lo.h>

#include <QVariant>
#include <QtEndian>
#include <QVariantList>

#include <algorithm>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <netinet/in.h>
#include <arpa/inet.h>
#include <unistd.h>

namespace lyntra_test {

// A port nobody listens on at the moment.
inline int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &length);
    ::close(fd);
    return ntohs(a.sin_port);
}

struct OscReceived {
    std::string path;
    QVariantList args;
};

class OscClient {
public:
    explicit OscClient(int serverPort)
        : server_(lo_server_new_with_proto(nullptr, LO_UDP, nullptr)),
          to_(lo_address_new("127.0.0.1", std::to_string(serverPort).c_str()))
    {
        lo_server_add_method(server_, nullptr, nullptr, &OscClient::keep, this);
    }
    ~OscClient()
    {
        lo_address_free(to_);
        lo_server_free(server_);
    }
    OscClient(const OscClient &) = delete;
    OscClient &operator=(const OscClient &) = delete;

    int port() const { return lo_server_get_port(server_); }

    // A message to the server: doubles as f, ints as i, texts as s; nothing is a query.
    void send(const std::string &path, const QVariantList &args = {})
    {
        lo_message m = lo_message_new();
        for (const QVariant &a : args) {
            if (a.type() == QVariant::Double)
                lo_message_add_float(m, float(a.toDouble()));
            else if (a.type() == QVariant::Int)
                lo_message_add_int32(m, a.toInt());
            else
                lo_message_add_string(m, a.toString().toUtf8().constData());
        }
        lo_send_message_from(to_, server_, path.c_str(), m);
        lo_message_free(m);
    }

    void sendRaw(const QByteArray &bytes, int serverPort)
    {
        const sockaddr_in there{AF_INET, htons(uint16_t(serverPort)), {htonl(INADDR_LOOPBACK)}, {}};
        ::sendto(lo_server_get_socket_fd(server_), bytes.constData(), size_t(bytes.size()), 0,
                 reinterpret_cast<const sockaddr *>(&there), sizeof there);
    }

    // Reads what has arrived, without waiting.
    const std::vector<OscReceived> &poll()
    {
        while (lo_server_recv_noblock(server_, 0) > 0) {
        }
        return received_;
    }
    // The last message received at `path` (empty path when none).
    OscReceived last(const std::string &path)
    {
        poll();
        const auto it = std::find_if(received_.rbegin(), received_.rend(), [&](auto &r) { return r.path == path; });
        return it == received_.rend() ? OscReceived{} : *it;
    }
    int count(const std::string &path)
    {
        poll();
        return int(std::count_if(received_.begin(), received_.end(), [&](auto &r) { return r.path == path; }));
    }
    void clear()
    {
        poll();
        received_.clear();
    }

private:
    static int keep(const char *path, const char *types, lo_arg **argv, int argc, lo_message, void *self)
    {
        OscReceived r{path, {}};
        for (int i = 0; i < argc; ++i) {
            // Arguments sit on 4-byte boundaries: copied out, never read through liblo's union.
            const void *at = argv[i];
            switch (types[i]) {
            case LO_INT32:
                r.args << qFromUnaligned<int32_t>(at);
                break;
            case LO_FLOAT:
                r.args << double(qFromUnaligned<float>(at));
                break;
            case LO_STRING:
                r.args << QString::fromUtf8(static_cast<const char *>(at));
                break;
            default:
                r.args << QVariant();
            }
        }
        static_cast<OscClient *>(self)->received_.push_back(std::move(r));
        return 0;
    }

    lo_server server_;
    lo_address to_;
    std::vector<OscReceived> received_;
};

} // namespace lyntra_test
