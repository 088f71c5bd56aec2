// The readiness rig: a device object without its worker thread, the worker's side played by the test.
//
//   Rig r;                 // nothing goes out until a reply offers readiness
//   r.offer_ready();       // a read came back with the ready token: whatever is pending is sent
//   r.complete_send();     // the message in flight went through and the read after it offered readiness
//   r.last_send();         // the last message sent; r.sends / r.polls count sends and read requests
//   r.drain();             // offers readiness until nothing more goes out; every message sent meanwhile
//   r.drain(unit);         // the same, the reply to each message coming from `unit(message)`
#pragma once

#include "qixdevice.h"
#include "qixwire.h"

#include <QSignalSpy>

#include <functional>

struct Rig {
    QIXDevice dev{QIXDevice::NoWorker{}};
    QSignalSpy sends{&dev, &QIXDevice::sig_ix_send};
    QSignalSpy polls{&dev, &QIXDevice::sig_ix_recv};

    static QByteArray ready() { return Reply().num(IXMSG_ID_READY, 1); }
    void offer_ready() { dev.recv_ix_recv_result(true, ready()); }
    void complete_send()
    {
        dev.recv_ix_send_result(true);
        offer_ready();
    }
    QByteArray last_send() const { return sends.last().at(0).toByteArray(); }

    QList<QByteArray> drain(const std::function<QByteArray(const QByteArray &)> &unit = {})
    {
        QList<QByteArray> out;
        int seen = sends.count();
        offer_ready();
        while (sends.count() > seen && out.size() < 10000) {
            const QByteArray msg = sends.at(seen).at(0).toByteArray();
            out << msg;
            seen = sends.count();
            dev.recv_ix_send_result(true);
            dev.recv_ix_recv_result(true, unit ? unit(msg) : ready());
        }
        return out;
    }
};
