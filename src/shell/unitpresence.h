// Whether the unit is there and known: the awaiting-unit flag, the identification state and the
// firmware figures of ShellState, moved only by the 100 ms presence check and the identity replies.
// No widgets: the window reacts to the signals.
#pragma once

#include "shellstate.h"

#include <QObject>
#include <QString>

#include <cstdint>

// Firmware field text: "No Device" when either figure is 0, else "<v/100>.<v%100, 2 digits>
// <build, 4 digits>" (102, 34 -> "1.02 0034").
QString firmwareVersionText(uint16_t version, uint16_t build);

class UnitPresence : public QObject {
    Q_OBJECT

public:
    // `state`: not owned, must outlive this object; its presence and firmware fields are written
    // here only. GUI thread.
    explicit UnitPresence(ShellState &state, QObject *parent = nullptr);

    // One presence check. `present`: the device object's is_selected() answer. A unit that returns
    // (or appears for the first time) is set up once its product name has arrived; a unit that goes
    // away is reported once per absence.
    void tick(bool present);

    // The unit's product name. Empty means the unit answered but is not usable.
    void productNameReceived(const QString &name);

    // Firmware figures; a repeated value changes nothing.
    void firmwareVersionReceived(uint16_t version);
    void firmwareBuildReceived(uint16_t build);

    // Forgets the firmware figures (start-up) without emitting anything.
    void clearFirmware();

signals:
    // The unit is present and named after an absence: push the stored state (identification is
    // still 1 while this runs).
    void loadStoredState();
    // Right after loadStoredState, identification now 2: send the clock choices.
    void restoreClock();
    // The unit went away; identification is already 0. Emitted once per absence.
    void unitLost();
    // Text for the device-name field.
    void deviceNameChanged(const QString &text);
    // An empty name: the unit should be looked for anew.
    void deselectWanted();
    // New text for the firmware field.
    void firmwareTextChanged(const QString &text);

private:
    void firmwareChanged();

    ShellState &state_;
};
