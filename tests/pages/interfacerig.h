// The interface page over the device object, the worker played by the test: the test reads every
// message the page causes, item by item.
#pragma once

#include "clockstatus.h"
#include "interfacepage.h"
#include "pagerig.h"
#include "settings.h"
#include "unitstatus.h"
#include "workerrig.h"

#include <QAbstractButton>
#include <QButtonGroup>

struct InterfaceRig : WorkerRig, PageRig {
    Settings settings;
    mixer::UnitStatus unit{dev};
    InterfacePage page{dev, settings, unit};

    QWidgetList roots() override { return {page.page()}; }

    // The user picks a clock source by its panel id.
    void choose(int id) { find<QButtonGroup>("buttonGroup_ClockSource")->button(id)->click(); }

    // The messages sent since the last call, as "id=value ...".
    QStringList drain()
    {
        QStringList out;
        for (const QByteArray &msg : WorkerRig::drain())
            out << describe(msg);
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
