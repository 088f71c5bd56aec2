// The two units the panel knows. Everything that is not the small model's exact product name counts
// as the large model (also "No Device").
#pragma once

#include <QString>

namespace mixer {

enum class UnitModel { K1, K2 };

inline UnitModel unitModelOf(const QString &productName)
{
    return productName == QLatin1String("LYNTRA K1") ? UnitModel::K1 : UnitModel::K2;
}

} // namespace mixer
