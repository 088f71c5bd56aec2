#include "settings.h"

#include <QSettings>

#include <cmath>
#include <optional>

using namespace settings;

namespace {

const QString kClockGroup = QStringLiteral("Interface");

QString path(const QString &group, const QString &key)
{
    return group + QLatin1Char('/') + key;
}

// Stored values are whatever the file held: text that may not parse, lists (unquoted commas) or
// other variant types. Anything that is not cleanly the wanted type counts as missing.
std::optional<int> parseInt(const QVariant &v)
{
    if (!v.isValid() || v.type() == QVariant::StringList || v.type() == QVariant::Bool)
        return std::nullopt;
    if (v.type() == QVariant::Double) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d) || std::fabs(d) > 2147483647.0)
            return std::nullopt;
        return int(d);
    }
    bool ok = false;
    const int n = v.type() == QVariant::String ? v.toString().trimmed().toInt(&ok) : v.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

std::optional<double> parseDouble(const QVariant &v)
{
    if (!v.isValid() || v.type() == QVariant::StringList || v.type() == QVariant::Bool)
        return std::nullopt;
    bool ok = false;
    const double d = v.type() == QVariant::String ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    return ok && std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
}

std::optional<bool> parseBool(const QVariant &v)
{
    if (!v.isValid())
        return std::nullopt;
    if (v.type() == QVariant::Bool)
        return v.toBool();
    if (v.type() == QVariant::String) {
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true"))
            return true;
        if (s == QLatin1String("false"))
            return false;
    }
    if (const auto n = parseInt(v))
        return *n != 0;
    return std::nullopt;
}

std::optional<QString> parseString(const QVariant &v)
{
    if (!v.isValid())
        return std::nullopt;
    if (v.type() == QVariant::String)
        return v.toString();
    // An unquoted comma splits a value into a list; joining gives the text back.
    if (v.type() == QVariant::StringList)
        return v.toStringList().join(QStringLiteral(", "));
    if (v.type() == QVariant::ByteArray)
        return QString::fromUtf8(v.toByteArray());
    if (v.canConvert<QString>())
        return v.toString();
    return std::nullopt;
}

} // namespace

QVariant Settings::raw(const QString &group, const QString &key) const
{
    return mainStore().value(path(group, key));
}

// ---- Generic access

void Settings::writeValue(const QString &group, const QString &key, const QVariant &value)
{
    mainStore().setValue(path(group, key), value);
}

int Settings::intRead(const QString &group, const QString &key, int standby) const
{
    return parseInt(raw(group, key)).value_or(standby);
}

QString Settings::readString(const QString &group, const QString &key) const
{
    return parseString(raw(group, key)).value_or(QString());
}

double Settings::readDouble(const QString &group, const QString &key) const
{
    return parseDouble(raw(group, key)).value_or(kDoubleStandby);
}

void Settings::writeClock(const QString &key, int value)
{
    clockStore().setValue(path(kClockGroup, key), value);
}

int Settings::readClock(const QString &key) const
{
    const int v = parseInt(clockStore().value(path(kClockGroup, key))).value_or(0);
    const KeyEntry *entry = findClockKey(key);
    return entry ? int(clampedToRange(*entry, v, entry->def.number)) : v;
}

// ---- Table-driven reads

int Settings::intValue(const QString &group, const QString &key) const
{
    const int standby = intStandby(group, key);
    const int v = intRead(group, key, standby);
    const KeyEntry *entry = findKey(group, key);
    if (!entry)
        return v;
    const KeyDefault &def = defaultFor(*entry, group);
    if (v == standby)
        return def.has ? int(def.number) : v;
    return int(clampedToRange(*entry, v, def.has ? def.number : standby));
}

bool Settings::boolValue(const QString &group, const QString &key) const
{
    const KeyEntry *entry = findKey(group, key);
    const bool fallback = entry && defaultFor(*entry, group).has && defaultFor(*entry, group).number != 0;
    return parseBool(raw(group, key)).value_or(fallback);
}

QString Settings::stringValue(const QString &group, const QString &key) const
{
    const QString v = readString(group, key);
    const KeyEntry *entry = findKey(group, key);
    if (v.isEmpty() && entry && defaultFor(*entry, group).has)
        return defaultFor(*entry, group).text;
    return v;
}

double Settings::doubleValue(const QString &group, const QString &key) const
{
    const double v = readDouble(group, key);
    const KeyEntry *entry = findKey(group, key);
    if (!entry)
        return v;
    const KeyDefault &def = defaultFor(*entry, group);
    if (v == kDoubleStandby)
        return def.has ? def.number : v;
    return clampedToRange(*entry, v, def.has ? def.number : kDoubleStandby);
}

QVariant Settings::value(const QString &group, const QString &key) const
{
    const KeyEntry *entry = findKey(group, key);
    if (!entry)
        return {};
    switch (entry->type) {
    case ValueType::Int:
        return intValue(group, key);
    case ValueType::Bool:
        return boolValue(group, key);
    case ValueType::String:
        return stringValue(group, key);
    case ValueType::Double:
        return doubleValue(group, key);
    }
    return {};
}
