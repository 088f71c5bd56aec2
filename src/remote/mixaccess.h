// What the address table acts on: the window's mixer models and, through the window, its scene
// memories. GUI thread only; everything referenced must outlive the Mix.
#pragma once

#include "addresstable.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace mixer {
class LineOutModel;
class MixerModel;
class MonitorModel;
class UnitStatus;
} // namespace mixer

namespace remote {

// The scene memories as the window's menu offers them (slots 1..10), without its boxes: load and save
// answer empty when done, else why not.
struct SceneAccess {
    std::function<QString(int slot)> load;
    std::function<QString(int slot)> save;
    std::function<QStringList()> names;
    std::function<void(int slot, const QString &name)> rename;
};

struct Mix {
    mixer::MixerModel &mixer;
    mixer::LineOutModel &lineOuts;
    mixer::MonitorModel &monitor;
    const mixer::UnitStatus &unit;
    SceneAccess scenes;
};

// Why `a` cannot be used on the unit as it is now (an input it does not have at this rate, the reverb
// at the highest rates, a line output or monitor it lacks, a bypassed strip's switches); empty when
// it can.
std::string unavailable(const Mix &mix, const Address &a);

} // namespace remote
