#include "mixaccess.h"

#include "lineouts.h"
#include "mixermodel.h"
#include "unitstatus.h"

namespace remote {

std::string unavailable(const Mix &mix, const Address &a)
{
    const Param &p = param(a);
    const mixer::UnitModel model = mix.unit.model();
    switch (p.scope) {
    case Scope::Input: {
        const int pair = (a.index + 1) / 2;
        if (!mix.mixer.pairVisible(pair))
            return "the unit has no input " + std::to_string(a.index) + " at this sample rate";
        const mixer::StripRef strip = mix.mixer.pairLinked(pair) ? mixer::pairRef(pair) : mixer::monoRef(a.index);
        if (p.bypassable && mix.mixer.trueBypass(strip))
            return "input " + std::to_string(a.index) + " is in true bypass";
        return {};
    }
    case Scope::Reverb:
        return mix.mixer.rateClass() == 4 ? "the unit has no reverb at this sample rate" : std::string();
    case Scope::LineOut:
        return a.index > mixer::lineOutputs(model)
                   ? "the unit has " + std::to_string(mixer::lineOutputs(model)) + " line outputs"
                   : std::string();
    case Scope::Monitor:
        return model == mixer::UnitModel::K1 ? "the unit has no monitor control" : std::string();
    default:
        return {};
    }
}

} // namespace remote
