// A device object without worker, with the worker's side played by the test.
#pragma once

#include "QIXDevice.h"
#include "qixwire.h"

#include <QSignalSpy>

struct Rig {
    QIXDevice dev{QIXDevice::NoWorker{}};
    QSignalSpy sends{&dev, &QIXDevice::sig_ix_send};
    QSignalSpy polls{&dev, &QIXDevice::sig_ix_recv};

    // A read that came back with the ready token, as the worker delivers it.
    void offer_ready() { dev.recv_ix_recv_result(true, Reply().num(IXMSG_ID_READY, 1)); }
    // The worker's answers to the message in flight: the send went through, its read offers readiness.
    void complete_send()
    {
        dev.recv_ix_send_result(true);
        offer_ready();
    }
    QByteArray last_send() const { return sends.last().at(0).toByteArray(); }

    // Offers readiness until nothing more goes out; returns every message sent meanwhile.
    QList<QByteArray> drain()
    {
        QList<QByteArray> out;
        int seen = sends.count();
        offer_ready();
        while (sends.count() > seen && out.size() < 1000) {
            out << sends.at(seen).at(0).toByteArray();
            seen = sends.count();
            complete_send();
        }
        return out;
    }
};
