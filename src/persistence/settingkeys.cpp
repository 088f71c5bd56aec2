#include "settingkeys.h"

#include <QHash>

#include <iterator>

namespace settings {

namespace {

KeyDefault num(double n)
{
    return KeyDefault{true, n, {}};
}
KeyDefault text(const char *t)
{
    return KeyDefault{true, 0, QString::fromUtf8(t)};
}
const KeyDefault kNone{};

KeyEntry row(GroupKind kind, const QString &group, const QString &key, ValueType type, KeyDefault def)
{
    KeyEntry s;
    s.kind = kind;
    s.group = group;
    s.key = key;
    s.type = type;
    s.def = std::move(def);
    return s;
}

KeyEntry channel(const char *key, ValueType type, KeyDefault def)
{
    return row(GroupKind::Channel, {}, QString::fromLatin1(key), type, std::move(def));
}

KeyEntry channel(const char *key, ValueType type, KeyDefault def, KeyDefault master)
{
    KeyEntry s = channel(key, type, std::move(def));
    s.master = std::move(master);
    s.masterDiffers = true;
    return s;
}

KeyEntry fixed(const char *group, const QString &key, ValueType type, KeyDefault def)
{
    return row(GroupKind::Fixed, QString::fromLatin1(group), key, type, std::move(def));
}

struct ReverbRow {
    const char *suffix;
    int preDelay, time, diff;
};
// Index = reverb type - 1.
constexpr ReverbRow kReverb[] = {
    {"Hall", 90, 27, 20},  {"Room", 25, 14, 60},  {"Live", 6, 26, 50},
    {"Studio", 60, 4, 70}, {"Plate", 42, 27, 50},
};

void addChannelKeys(QVector<KeyEntry> &t)
{
    using V = ValueType;
    for (const char *k :
         {"Select", "Link", "Phase", "Solo", "Mute", "Eq", "Comp", "EqLowCutFilter", "TrueBypass"})
        t << channel(k, V::Bool, num(0));
    t << channel("Name", V::String, text(""));
    t << channel("Fader_pos", V::Int, num(365), num(453));
    t << channel("Fader_value", V::String, text("  0 dB"), text("-infinity"));
    t << channel("Fader", V::Double, num(0.0), num(-99.9));
    t << channel("Pan_pos", V::Int, num(20));
    t << channel("Pan_value", V::String, text("C"));
    for (int n = 1; n <= 4; ++n) {
        const QByteArray send = "Send" + QByteArray::number(n);
        t << channel(send + "_Level", V::Int, num(0), num(102));
        t << channel(send + "_Value", V::String, text("-inf."), text("  0dB"));
        t << channel(send + "_Point", V::Int, num(1));
    }
    t << channel("Return_Level", V::Int, num(0));
    t << channel("Return_Value", V::String, text("-inf."));
    t << channel("CompThresholdPos", V::Int, num(127)) << channel("CompThresholdText", V::String, text(""));
    t << channel("CompRatioPos", V::Int, num(0)) << channel("CompRatioText", V::String, text(""));
    for (const char *k : {"CompGain", "CompAttack", "CompRelease"}) {
        t << channel(QByteArray(k) + "Pos", V::Int, num(0));
        t << channel(QByteArray(k) + "Text", V::Int, kNone);
    }
    for (const char *band : {"High", "HighMid", "LowMid", "Low"}) {
        t << channel(QByteArray("Eq") + band + "GainPos", V::Int, num(61));
        t << channel(QByteArray("Eq") + band + "GainValue", V::Int, kNone);
        t << channel(QByteArray("Eq") + band + "FreqText", V::String, text(""));
    }
    t << channel("EqHighFreqPos", V::Int, num(60)) << channel("EqHighMidFreqPos", V::Int, num(54));
    t << channel("EqLowMidFreqPos", V::Int, num(28)) << channel("EqLowFreqPos", V::Int, num(20));
    for (const char *band : {"HighMid", "LowMid"}) {
        t << channel(QByteArray("Eq") + band + "QFreqPos", V::Int, num(36));
        t << channel(QByteArray("Eq") + band + "QFreqText", V::String, text(""));
    }
}

void addFixedKeys(QVector<KeyEntry> &t)
{
    using V = ValueType;
    const auto s = [](const char *k) { return QString::fromLatin1(k); };
    t << fixed("Panel", s("MainWindowPanel"), V::Int, kNone);
    t << fixed("Interface", s("AudioPeformanceIndex"), V::Int, num(0));
    t << fixed("Misc", s("Information_Dialog"), V::Bool, num(0));
    t << fixed("Reverb", s("Mode"), V::Int, num(1));
    t << fixed("Reverb", s("MasterReverb"), V::Bool, num(1));
    for (const ReverbRow &r : kReverb) {
        const QString suffix = s(r.suffix);
        t << fixed("Reverb", "RvbPreDelayPos_" + suffix, V::Int, num(r.preDelay));
        t << fixed("Reverb", "RvbTimePos_" + suffix, V::Int, num(r.time));
        t << fixed("Reverb", "RvbTimeValue_" + suffix, V::String, text(""));
        t << fixed("Reverb", "RvbDiffPos_" + suffix, V::Int, num(r.diff));
    }
    KeyEntry output = fixed("MoniCon", s("Output"), V::Int, num(0));
    output.lo = 1;
    output.hi = 3;
    t << output;
    t << fixed("MoniCon", s("Master"), V::Double, num(0.0));
    for (const char *k : {"Mono1", "Mono2"})
        t << row(GroupKind::MonitorPair, {}, s(k), V::Double, num(0.0));
    t << row(GroupKind::MonitorPair, {}, s("LINK"), V::Bool, num(0));
    for (const char *k : {"SOURCE_L", "SOURCE_R"})
        t << row(GroupKind::MonitorPair, {}, s(k), V::Int, num(0));
    for (int n = 1; n <= 8; ++n)
        t << fixed("LineOutSettings", QStringLiteral("LineOut%1").arg(n), V::Int, num(19 + n));
    for (int n = 1; n <= 2; ++n)
        t << fixed("LineOutSettings", QStringLiteral("LineOut%1_K1").arg(n), V::Int, num(9 + n));
    for (const char *k : {"SoftDialog", "FirmDialog", "InfoDialog", "JsonUrl"})
        t << fixed("Update", s(k), V::String, text(""));
}

struct Index {
    QVector<KeyEntry> rows;
    QHash<QString, int> byName; // "<kind>/<group>/<key>"
};

QString indexName(GroupKind kind, const QString &group, const QString &key)
{
    return QString::number(int(kind)) + QLatin1Char('/') + group + QLatin1Char('/') + key;
}

const Index &index()
{
    static const Index idx = [] {
        Index i;
        addChannelKeys(i.rows);
        addFixedKeys(i.rows);
        for (int n = 0; n < i.rows.size(); ++n) {
            const KeyEntry &r = i.rows.at(n);
            i.byName.insert(indexName(r.kind, r.group, r.key), n);
        }
        return i;
    }();
    return idx;
}

} // namespace

QString reverbSuffix(int type)
{
    const bool known = type >= 1 && type <= int(std::size(kReverb));
    return QString::fromLatin1(kReverb[known ? type - 1 : 0].suffix);
}

QString trackGroup(int track)
{
    return QStringLiteral("Track%1").arg(track);
}

QString pairGroup(int pair)
{
    return QStringLiteral("Track%1_%2").arg(2 * pair - 1).arg(2 * pair);
}

QString monitorGroup(int outPair)
{
    if (outPair < 1 || outPair > 4)
        return {};
    return QStringLiteral("MoniCon OUT%1_%2").arg(2 * outPair - 1).arg(2 * outPair);
}

const QStringList &channelGroups()
{
    static const QStringList groups = [] {
        QStringList g;
        for (int t = 1; t <= 20; ++t)
            g << trackGroup(t);
        for (int p = 1; p <= 10; ++p)
            g << pairGroup(p);
        g << kMasterGroup;
        return g;
    }();
    return groups;
}

const QStringList &monitorGroups()
{
    static const QStringList groups = [] {
        QStringList g;
        for (int p = 1; p <= 4; ++p)
            g << monitorGroup(p);
        return g;
    }();
    return groups;
}

const QVector<KeyEntry> &allKeys()
{
    return index().rows;
}

const KeyEntry *findKey(const QString &group, const QString &key)
{
    GroupKind kind = GroupKind::Fixed;
    QString fixedGroup;
    if (channelGroups().contains(group))
        kind = GroupKind::Channel;
    else if (monitorGroups().contains(group))
        kind = GroupKind::MonitorPair;
    else
        fixedGroup = group;
    const Index &idx = index();
    const auto it = idx.byName.constFind(indexName(kind, fixedGroup, key));
    return it == idx.byName.constEnd() ? nullptr : &idx.rows.at(*it);
}

int intStandby(const QString &group, const QString &key)
{
    return group == kMasterGroup && key == QLatin1String("Fader_pos") ? kMasterFaderStandby : kIntStandby;
}

} // namespace settings
