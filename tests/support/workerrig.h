// The device object with its worker thread shut down, the worker's side played by the test.
//
//   WorkerRig r;           // nothing goes out until a reply offers readiness
//   r.offer_ready();       // a read came back with the ready token: whatever is pending is sent
//   r.complete_send();     // the message in flight went through and the read after it offered readiness
//   r.last_send();         // the last message sent; r.sends / r.polls count sends and read requests
//   r.drain();             // completes every message not yet answered, as the worker does, until
//                          // nothing more goes out; returns them. The reply to each is `reply(message)`
//                          // (`reply({})` for a read with nothing sent), the bare ready token when unset.
// Afterwards the device is ready and idle: the next setting goes out at once, later ones wait.
#pragma once

#include "idledevice.h"
#include "qixwire.h"

#include <QSignalSpy>

#include <functional>

struct WorkerRig {
    IdleDevice dev;
    QSignalSpy sends{&dev, &QIXDevice::sig_ix_send};
    QSignalSpy polls{&dev, &QIXDevice::sig_ix_recv};
    std::function<QByteArray(const QByteArray &)> reply;
    int answered = 0; // sends drain() has completed
    int messages = 0; // messages the unit has answered

    static QByteArray ready() { return Reply().num(IXMSG_ID_READY, 1); }
    void offer_ready() { dev.recv_ix_recv_result(true, ready()); }
    void complete_send()
    {
        dev.recv_ix_send_result(true);
        offer_ready();
    }
    QByteArray last_send() const { return sends.last().at(0).toByteArray(); }

    QList<QByteArray> drain()
    {
        QList<QByteArray> out;
        if (answered == sends.count())
            dev.recv_ix_recv_result(true, answer({}));
        while (answered < sends.count() && out.size() < 10000) {
            const QByteArray msg = sends.at(answered++).at(0).toByteArray();
            out << msg;
            ++messages;
            dev.recv_ix_send_result(true);
            dev.recv_ix_recv_result(true, answer(msg));
        }
        return out;
    }

private:
    QByteArray answer(const QByteArray &msg) { return reply ? reply(msg) : ready(); }
};
