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

const KeyDefault &defaultFor(const KeyEntry &entry, const QString &group)
{
    return entry.masterDiffers && group == kMasterGroup ? entry.master : entry.def;
}

const char *const kCompKnobs[] = {"CompThreshold", "CompRatio", "CompGain", "CompAttack", "CompRelease"};
const char *const kEqBands[] = {"High", "HighMid", "LowMid", "Low"};

QString compKey(Settings::CompKnob knob, const char *suffix)
{
    return QString::fromLatin1(kCompKnobs[int(knob)]) + QLatin1String(suffix);
}

QString eqKey(Settings::EqBand band, const char *what)
{
    return QStringLiteral("Eq") + QLatin1String(kEqBands[int(band)]) + QLatin1String(what);
}

bool isMidBand(Settings::EqBand band)
{
    return band == Settings::EqBand::HighMid || band == Settings::EqBand::LowMid;
}

bool textDisplay(Settings::CompKnob knob)
{
    return knob == Settings::CompKnob::Threshold || knob == Settings::CompKnob::Ratio;
}

// Empty for send numbers outside 1..4.
QString sendKey(int send, const char *what)
{
    if (send < 1 || send > 4)
        return {};
    return QStringLiteral("Send%1_").arg(send) + QLatin1String(what);
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

// ---- Channel groups

QString Settings::name(const QString &track) const
{
    return stringValue(track, QStringLiteral("Name"));
}

void Settings::setName(const QString &track, const QString &text)
{
    writeValue(track, QStringLiteral("Name"), text);
}

double Settings::fader(const QString &track) const
{
    return doubleValue(track, QStringLiteral("Fader"));
}

int Settings::panPos(const QString &track, bool alternativeDefault) const
{
    const int v = intRead(track, QStringLiteral("Pan_pos"), kIntStandby);
    if (v == kIntStandby)
        return alternativeDefault ? 79 : 20;
    return int(clampedToRange(*findKey(track, QStringLiteral("Pan_pos")), v, v));
}

void Settings::setPan(const QString &track, int pos, const QString &text)
{
    writeValue(track, QStringLiteral("Pan_pos"), pos);
    writeValue(track, QStringLiteral("Pan_value"), text);
}

int Settings::sendLevel(const QString &track, int send) const
{
    const QString key = sendKey(send, "Level");
    if (key.isEmpty())
        return int(defaultFor(*findKey(kMasterGroup, sendKey(1, "Level")), track).number);
    return intValue(track, key);
}

int Settings::sendPoint(const QString &track, int send) const
{
    const QString key = sendKey(send, "Point");
    return key.isEmpty() ? 1 : intValue(track, key);
}

void Settings::setSend(const QString &track, int send, int level, const QString &text)
{
    if (sendKey(send, "Level").isEmpty())
        return;
    writeValue(track, sendKey(send, "Level"), level);
    writeValue(track, sendKey(send, "Value"), text);
}

void Settings::setSendPoint(const QString &track, int send, int point)
{
    if (!sendKey(send, "Point").isEmpty())
        writeValue(track, sendKey(send, "Point"), point);
}

int Settings::returnLevel() const
{
    return intValue(kMasterGroup, QStringLiteral("Return_Level"));
}

QString Settings::returnValue() const
{
    return stringValue(kMasterGroup, QStringLiteral("Return_Value"));
}

void Settings::setReturn(int level, const QString &text)
{
    writeValue(kMasterGroup, QStringLiteral("Return_Level"), level);
    writeValue(kMasterGroup, QStringLiteral("Return_Value"), text);
}

int Settings::compPos(const QString &track, CompKnob knob) const
{
    return intValue(track, compKey(knob, "Pos"));
}

QVariant Settings::compDisplay(const QString &track, CompKnob knob) const
{
    const QString key = compKey(knob, "Text");
    return textDisplay(knob) ? QVariant(stringValue(track, key)) : QVariant(intValue(track, key));
}

void Settings::setCompKnob(const QString &track, CompKnob knob, int pos, const QVariant &display)
{
    writeValue(track, compKey(knob, "Pos"), pos);
    writeValue(track, compKey(knob, "Text"), display);
}

int Settings::eqGainPos(const QString &track, EqBand band) const
{
    return intValue(track, eqKey(band, "GainPos"));
}

int Settings::eqGainValue(const QString &track, EqBand band) const
{
    return intValue(track, eqKey(band, "GainValue"));
}

void Settings::setEqGain(const QString &track, EqBand band, int pos, int value)
{
    writeValue(track, eqKey(band, "GainPos"), pos);
    writeValue(track, eqKey(band, "GainValue"), value);
}

int Settings::eqFreqPos(const QString &track, EqBand band) const
{
    return intValue(track, eqKey(band, "FreqPos"));
}

QString Settings::eqFreqText(const QString &track, EqBand band) const
{
    return stringValue(track, eqKey(band, "FreqText"));
}

void Settings::setEqFreq(const QString &track, EqBand band, int pos, const QString &text)
{
    writeValue(track, eqKey(band, "FreqPos"), pos);
    writeValue(track, eqKey(band, "FreqText"), text);
}

int Settings::eqQPos(const QString &track, EqBand band) const
{
    return isMidBand(band) ? intValue(track, eqKey(band, "QFreqPos")) : 36;
}

QString Settings::eqQText(const QString &track, EqBand band) const
{
    return isMidBand(band) ? stringValue(track, eqKey(band, "QFreqText")) : QString();
}

void Settings::setEqQ(const QString &track, EqBand band, int pos, const QString &text)
{
    if (!isMidBand(band))
        return;
    writeValue(track, eqKey(band, "QFreqPos"), pos);
    writeValue(track, eqKey(band, "QFreqText"), text);
}

bool Settings::trueBypass(int input) const
{
    return input >= 1 && input <= 20 && boolValue(trackGroup(input), QStringLiteral("TrueBypass"));
}

void Settings::setTrueBypass(int input, bool on)
{
    if (input >= 1 && input <= 20)
        writeValue(trackGroup(input), QStringLiteral("TrueBypass"), on);
}
