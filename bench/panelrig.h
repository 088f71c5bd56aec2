// The panel's main window in this process against a K2 virtual unit, for the benches that watch its
// widgets: a returning user's settings (no start-up notice, the master at 0 dB so that its meters move
// too) in a private home, the window shown and the unit set up.
#pragma once

#include "benchrig.h"

#include <QTemporaryDir>

#include <memory>

class MainWindow;
class QIXDevice;
class Settings;

namespace bench {

class PanelRig {
public:
    // After the QApplication; `home` is the one given to use_private_home.
    explicit PanelRig(const QTemporaryDir &home);
    ~PanelRig();
    // Starts the unit, builds and shows the window and waits until it has set the unit up; false (with
    // a message on stderr) when any of it fails.
    bool start();

    UnitRig &unit() { return *unit_; }
    QIXDevice &device() { return *device_; }
    MainWindow &window() { return *window_; }

private:
    const QTemporaryDir &home_;
    std::unique_ptr<UnitRig> unit_;
    std::unique_ptr<QIXDevice> device_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace bench
