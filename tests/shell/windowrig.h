// The window in-process over a device object without worker, built the way main() builds it, the
// start-up information box already answered.
#pragma once

#include "idledevice.h"
#include "mainwindow.h"
#include "settings.h"

#include <QStackedWidget>
#include <QTest>

#include <memory>

struct WindowRig {
    WindowRig()
    {
        settings.setValue(settings::key::InformationDialog, true);
        window = std::make_unique<MainWindow>(device, settings);
    }
    // Waits for it: the mixer page is built once the unit is set up, the window is on screen or the page
    // is chosen.
    template <typename W = QWidget> W *find(const QString &name) const
    {
        W *w = nullptr;
        if (!QTest::qWaitFor([&] { return (w = window->findChild<W *>(name)); }))
            qWarning("no widget %s", qPrintable(name));
        return w;
    }
    // The unit reports its name and the presence check runs.
    void identify(const QString &name)
    {
        device.recv_is_selected(true);
        emit device.sig_recv_productname(name);
        window->timerInterrupt_100ms();
    }
    QWidget *page() const { return window->pages()->currentWidget(); }

    IdleDevice device;
    Settings settings;
    std::unique_ptr<MainWindow> window;
};
