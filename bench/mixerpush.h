// Every mixer parameter of a K2 as one table: how to set it on the device object and where the unit's
// state shows it, so that a push and its check use the same values.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QVariantList>

#include <functional>
#include <vector>

class QIXDevice;

namespace bench {

struct MixerParam {
    // Calls one setting operation; returns what the operation returned.
    std::function<bool(QIXDevice &)> apply;
    // Each value the unit should then hold: a path into the state JSON (keys and array indices).
    struct Field {
        QVariantList path;
        int value;
    };
    std::vector<Field> fields;
};

// Faders, pans, mutes, solos, phases, sends x4, EQ x4 bands, compressors, true bypass, masters,
// outputs, reverb, return and routes. `variant` 0 and 1 give values that differ in every field;
// variant 1 is far from the power-on values (switches on, levels off their defaults).
std::vector<MixerParam> k2_mixer_params(int variant);

// Fields of `params` that `state` does not hold; an empty list when all are held.
QStringList missing_fields(const std::vector<MixerParam> &params, const QJsonObject &state);

} // namespace bench
