// The product's device object after shutdown(): no worker, no thread. Its requests go nowhere unless
// the test answers them through the result slots, as the worker would.
#pragma once

#include "qixdevice.h"

struct IdleDevice : QIXDevice {
    IdleDevice() { shutdown(); }
};
