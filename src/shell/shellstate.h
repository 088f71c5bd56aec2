// Run-time state of the window that several parts of the shell read: unit presence and identification,
// the progress countdown and the last firmware figures. Owned by MainWindow, GUI thread only.
#pragma once

#include <cstdint>

struct ShellState {
    enum Identification : uint8_t { NotIdentified = 0, NameReceived = 1, SetUp = 2 };

    bool awaiting_unit = true;
    uint8_t identification = NotIdentified;
    uint8_t progress_countdown = 0;
    uint16_t firmware_version = 0;
    uint16_t firmware_build = 0;
    bool buffer_size_change_pending = false;
    uint8_t meter_tick = 0;
};
