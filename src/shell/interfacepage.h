// Page 1 of the window: the interface panel with the clock source choice, the optical formats, the
// unit's status, the driver version and the buffer-size slider. Builds its widgets in code, each with
// the object name the rest of the program finds it by, on the painted front panel of the resources.
//
// GUI thread only.
#pragma once

#include "interfacebridge.h"

#include <QObject>
#include <QPointer>

class BufferSize;
class ClockStatus;
class QIXDevice;
class QWidget;
class Settings;
struct ShellState;

class InterfacePage : public QObject, public InterfaceBridge {
    Q_OBJECT

public:
    // Builds the page widget, its ClockStatus and BufferSize (both children of the widget) and connects
    // the device object's clock, rate and lock signals to the ClockStatus slots.
    // `device`, `settings`: program-wide, not owned, must outlive the page widget. `state`: the window's
    // shell state (see ClockStatus); may be null until attachShellState(). Call lyntra_init_resources()
    // first, or the panel is drawn without its artwork.
    InterfacePage(QIXDevice &device, Settings &settings, const ShellState *state = nullptr);
    // Deletes the page widget unless something (the window's page stack) has adopted it.
    ~InterfacePage() override;

    void attachShellState(const ShellState &state);

    // InterfaceBridge. page(): the widget, never null while the window lives.
    QWidget *page() override;
    // `fallBack` true is the set-up after a returning unit was identified (see ClockStatus).
    void applyStoredClock(bool smallModel, bool fallBack) override;
    void refreshBufferSize() override;
    void bufferSizeChangeSettled() override;
    void applyModelState() override;

    // The clock logic (for the disconnected look, the model state and the mixer's layout signals).
    ClockStatus &clock() const { return *clock_; }
    BufferSize &bufferSize() const { return *buffer_; }

signals:
    // Every applied slider position, including the refresh; the window restarts its 2000 ms timer.
    void sig_bufferSizeChangeStarted();
    // The buffer size's "recently changed" flag went on or off; the window mirrors it for the
    // sample-rate display.
    void sig_bufferSizeRecentlyChanged(bool on);

private:
    QPointer<QWidget> page_;
    ClockStatus *clock_ = nullptr;
    BufferSize *buffer_ = nullptr;
};
