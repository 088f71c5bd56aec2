// Which pair containers the page shows, by model and sample-rate class.
#include "mixermodel.h"

namespace mixer {
namespace {
// Bit p-1 set: pair p shown.
constexpr unsigned kAll = 0x3FF;
constexpr unsigned bits(std::initializer_list<int> pairs)
{
    unsigned b = 0;
    for (int p : pairs)
        b |= 1u << (p - 1);
    return b;
}

unsigned visibleMask(UnitModel model, int rateClass)
{
    const bool k1 = model == UnitModel::K1;
    switch (rateClass) {
    case 1:
        return k1 ? bits({1, 3, 4, 5, 6}) : kAll;
    case 2:
        return k1 ? bits({1, 3, 4}) : bits({1, 2, 3, 4, 7, 8});
    case 4:
        return k1 ? bits({1, 3}) : bits({1, 2, 3, 7});
    default:
        return 0;
    }
}
} // namespace

bool MixerModel::pairVisible(int pair) const
{
    return pair >= 1 && pair <= kPairs && (visibleMask(model_, rateClass_) >> (pair - 1)) & 1u;
}

void MixerModel::setUnitModel(UnitModel model)
{
    model_ = model;
    if (model_ == UnitModel::K1) {
        for (int n : {1, 2}) {
            setEqOn(monoRef(n), eqOn(monoRef(n)));
            setCompOn(monoRef(n), compOn(monoRef(n)));
        }
    }
    emit visibleChannelsChanged();
}

void MixerModel::setRateClass(int rc)
{
    if ((rc != 1 && rc != 2 && rc != 4) || (rateKnown_ && rc == rateClass_))
        return;
    rateKnown_ = true;
    rateClass_ = rc;
    emit rateClassChanged(rc);
    emit visibleChannelsChanged();
}

} // namespace mixer
