// Run-time state of the window that several parts of the shell read: the progress countdown and the
// meter-hold count. Owned by MainWindow, GUI thread only.
#pragma once

#include <cstdint>

struct ShellState {
    uint8_t progress_countdown = 0;
    uint8_t meter_tick = 0;
};
