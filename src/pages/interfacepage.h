// Page 1 of the window: the interface panel with the clock source choice, the optical formats, the
// unit's status (or why a unit that is plugged in cannot be opened), the driver version, the
// buffer-size slider and where the size goes. Builds its widgets in code, each with
// the object name the rest of the program finds it by, on the painted front panel of the resources.
//
// GUI thread only.
#pragma once

#include <QObject>
#include <QPointer>

class BufferSize;
class ClockStatus;
class QIXDevice;
class QWidget;
class Settings;

namespace mixer {
class UnitStatus;
}

class InterfacePage : public QObject {
    Q_OBJECT

public:
    // Builds the page widget, its ClockStatus and BufferSize (both children of the widget); the status
    // fields follow `unit`, which holds its rate reports back while the buffer size changes.
    // `device`, `settings`, `unit`: program-wide, not owned, must outlive the page widget. Call
    // lyntra_init_resources() first, or the panel is drawn without its artwork.
    InterfacePage(QIXDevice &device, Settings &settings, mixer::UnitStatus &unit);
    // Deletes the page widget unless something (the window's page stack) has adopted it.
    ~InterfacePage() override;

    // The widget, never null while the window lives; the window's page stack adopts it.
    QWidget *page();
    // Applies the stored optical modes and clock source, sending them to the unit. `fallBack` true is
    // the set-up after a returning unit was identified: a stored Optical B or Word source becomes
    // Internal on the small model (see ClockStatus).
    void applyStoredClock(bool smallModel, bool fallBack);
    // The page was chosen: show the driver's current buffer size.
    void refreshBufferSize();
    // End of every full load: the model-dependent look (the small model greys what it lacks).
    void applyModelState();

private:
    QPointer<QWidget> page_;
    ClockStatus *clock_ = nullptr;
    BufferSize *buffer_ = nullptr;
};
