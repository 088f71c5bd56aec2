// What feeds the line outputs: the selector choices of each model (text, route, arrow picture), and
// the model that stores a choice and sends its route.
#pragma once

#include "unitmodel.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

class QIXDevice;
class Settings;

namespace mixer {

// A source as a route names it: channel type (2 master bus, 3 computer playback, 4 unit input, 5 aux
// bus) and channel.
struct RouteSource {
    uint32_t type;
    uint8_t channel;
};

// One entry of a line-out selector.
struct LineOutChoice {
    QString text;        // "OPT A3"
    RouteSource route;   // the source sent with the route
    QString arrow;       // resource path of the arrow picture of the source's kind
};

// The choices of a model's selectors in selector order: 36 on K2, 20 on K1. Constant data, any thread.
const QVector<LineOutChoice> &lineOutChoices(UnitModel model);
// 8 on K2, 2 on K1.
int lineOutputs(UnitModel model);
// The choice a missing key reads as: master left / right for outputs 1 / 2 ...
int defaultLineOutChoice(UnitModel model, int output);

class LineOutModel : public QObject {
    Q_OBJECT

public:
    // `settings`, `device`: not owned, must outlive the model. Nothing is read or sent here. GUI thread.
    LineOutModel(Settings &settings, QIXDevice &device, QObject *parent = nullptr);

    // The current choice of `output` (1..lineOutputs(model)): the default until loaded or selected.
    int choice(UnitModel model, int output) const;

    // The user chose `index` for `output`: stores it and sends the route. False, and nothing stored or
    // sent, for an output or index the model does not have.
    bool select(UnitModel model, int output, int index);

    // Start-up and reconnection: reads the stored choices of the model's outputs and sends each route.
    // A stored value that is no choice of the model counts as the key's default (and is left stored).
    void applyStored(UnitModel model);

    // Sends the current choices again (they were overridden meanwhile); nothing is stored.
    void reapply(UnitModel model);

    // While the monitor holds the outputs a choice is stored and shown but not sent; reapply() sends.
    void setHeld(bool held) { held_ = held; }

signals:
    // A choice was applied to the unit; selectors and arrows follow it.
    void choiceApplied(mixer::UnitModel model, int output, int index);

private:
    void route(UnitModel model, int output);
    int &slot(UnitModel model, int output);

    Settings &settings_;
    QIXDevice &device_;
    std::array<int, 8> k2_{};
    std::array<int, 2> k1_{};
    bool held_ = false;
};

} // namespace mixer
