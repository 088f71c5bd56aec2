// An interface page over a device object without worker: the test plays the unit's readiness and reads
// every message the page causes, item by item.
#pragma once

#include "QIXDevice.h"
#include "clockstatus.h"
#include "interfacepage.h"
#include "qixwire.h"
#include "settings.h"
#include "shellstate.h"

#include <QSignalSpy>
#include <QWidget>

struct PageRig {
    QIXDevice dev{QIXDevice::NoWorker{}};
    Settings settings;
    ShellState state;
    InterfacePage page{dev, settings, &state};
    QSignalSpy sends{&dev, &QIXDevice::sig_ix_send};
    int consumed = 0;

    template <typename T> T *find(const char *name)
    {
        return page.page()->findChild<T *>(QLatin1String(name));
    }
    ClockStatus &clock() { return page.clock(); }

    // Completes every message sent since the last call, offering readiness after each as the worker
    // does, until nothing more goes out; returns them as "id=value ...". Afterwards the device is ready
    // and idle, so the next setting goes out at once and later ones wait for the next readiness.
    QStringList drain()
    {
        QStringList out;
        if (consumed == sends.count())
            dev.recv_ix_recv_result(true, Reply().num(IXMSG_ID_READY, 1));
        while (consumed < sends.count() && out.size() < 100) {
            out << describe(sends.at(consumed++).at(0).toByteArray());
            dev.recv_ix_send_result(true);
            dev.recv_ix_recv_result(true, Reply().num(IXMSG_ID_READY, 1));
        }
        return out;
    }

    // A unit that has been identified and set up, running at `hz`.
    void runAt(uint32_t hz)
    {
        state.identification = ShellState::SetUp;
        clock().slt_RecvSampleRate(hz);
    }
};
