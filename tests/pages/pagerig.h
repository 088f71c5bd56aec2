// An interface page over a device object without worker: the test plays the unit's readiness and reads
// every message the page causes, item by item.
#pragma once

#include "qixdevice.h"
#include "clockstatus.h"
#include "interfacepage.h"
#include "qixwire.h"
#include "settings.h"
#include "unitstatus.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QSignalSpy>
#include <QWidget>

struct PageRig {
    QIXDevice dev{QIXDevice::NoWorker{}};
    Settings settings;
    mixer::UnitStatus unit{dev};
    InterfacePage page{dev, settings, unit};
    QSignalSpy sends{&dev, &QIXDevice::sig_ix_send};
    int consumed = 0;

    template <typename T> T *find(const char *name)
    {
        return page.page()->findChild<T *>(QLatin1String(name));
    }
    // The user picks a clock source by its panel id.
    void choose(int id) { find<QButtonGroup>("buttonGroup_ClockSource")->button(id)->click(); }

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

    // A unit named `name` that has been identified and set up (again: nothing changes).
    void setUp(const QString &name = QStringLiteral("LYNTRA K2"))
    {
        emit dev.sig_recv_productname(name);
        unit.presenceTick(true);
    }
    // A set-up unit reports running at `hz`.
    void runAt(uint32_t hz)
    {
        setUp();
        emit dev.sig_recv_hz(hz);
    }
};
