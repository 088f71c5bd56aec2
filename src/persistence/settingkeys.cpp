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

// Positions of knobs and sliders: a value beyond an end is taken as that end.
KeyEntry clamped(KeyEntry e, double lo, double hi)
{
    e.lo = lo;
    e.hi = hi;
    return e;
}

// Codes and selector indexes: a value outside them means nothing, so the default stands in.
KeyEntry coded(KeyEntry e, int lo, int hi)
{
    e = clamped(std::move(e), lo, hi);
    e.outsideIsDefault = true;
    return e;
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
    t << clamped(channel("Fader_pos", V::Int, num(365), num(453)), 0, 100);
    t << channel("Fader_value", V::String, text("  0 dB"), text("-infinity"));
    t << clamped(channel("Fader", V::Double, num(0.0), num(-99.9)), -99.9, 6.0);
    t << clamped(channel("Pan_pos", V::Int, num(20)), 0, 99);
    t << channel("Pan_value", V::String, text("C"));
    for (int n = 1; n <= 4; ++n) {
        const QByteArray send = "Send" + QByteArray::number(n);
        t << clamped(channel(send + "_Level", V::Int, num(0), num(102)), 0, 127);
        t << channel(send + "_Value", V::String, text("-inf."), text("  0dB"));
        t << coded(channel(send + "_Point", V::Int, num(1)), 1, 3);
    }
    t << clamped(channel("Return_Level", V::Int, num(0)), 0, 127);
    t << channel("Return_Value", V::String, text("-inf."));
    t << clamped(channel("CompThresholdPos", V::Int, num(127)), 0, 127)
      << channel("CompThresholdText", V::String, text(""));
    t << clamped(channel("CompRatioPos", V::Int, num(0)), 0, 127) << channel("CompRatioText", V::String, text(""));
    for (const char *k : {"CompGain", "CompAttack", "CompRelease"}) {
        t << clamped(channel(QByteArray(k) + "Pos", V::Int, num(0)), 0, 127);
        t << channel(QByteArray(k) + "Text", V::Int, kNone);
    }
    for (const char *band : {"High", "HighMid", "LowMid", "Low"}) {
        t << clamped(channel(QByteArray("Eq") + band + "GainPos", V::Int, num(61)), 0, 127);
        t << channel(QByteArray("Eq") + band + "GainValue", V::Int, kNone);
        t << channel(QByteArray("Eq") + band + "FreqText", V::String, text(""));
    }
    t << clamped(channel("EqHighFreqPos", V::Int, num(60)), 0, 127)
      << clamped(channel("EqHighMidFreqPos", V::Int, num(54)), 0, 127);
    t << clamped(channel("EqLowMidFreqPos", V::Int, num(28)), 0, 127)
      << clamped(channel("EqLowFreqPos", V::Int, num(20)), 0, 127);
    for (const char *band : {"HighMid", "LowMid"}) {
        t << clamped(channel(QByteArray("Eq") + band + "QFreqPos", V::Int, num(36)), 0, 127);
        t << channel(QByteArray("Eq") + band + "QFreqText", V::String, text(""));
    }
}

void addFixedKeys(QVector<KeyEntry> &t)
{
    using V = ValueType;
    const auto s = [](const char *k) { return QString::fromLatin1(k); };
    t << fixed("Panel", s("MainWindowPanel"), V::Int, kNone);
    t << clamped(fixed("Interface", s("AudioPeformanceIndex"), V::Int, num(0)), 0, 10);
    t << fixed("Misc", s("Information_Dialog"), V::Bool, num(0));
    // Nothing stored means HALL, but a type the panel does not know is played as PLATE.
    KeyEntry mode = clamped(fixed("Reverb", s("Mode"), V::Int, num(1)), 1, 4);
    mode.outside = num(5);
    t << mode;
    t << fixed("Reverb", s("MasterReverb"), V::Bool, num(1));
    for (const ReverbRow &r : kReverb) {
        const QString suffix = s(r.suffix);
        t << clamped(fixed("Reverb", "RvbPreDelayPos_" + suffix, V::Int, num(r.preDelay)), 0, 250);
        t << clamped(fixed("Reverb", "RvbTimePos_" + suffix, V::Int, num(r.time)), 1, 100);
        t << fixed("Reverb", "RvbTimeValue_" + suffix, V::String, text(""));
        t << clamped(fixed("Reverb", "RvbDiffPos_" + suffix, V::Int, num(r.diff)), 0, 100);
    }
    t << coded(fixed("MoniCon", s("Output"), V::Int, num(0)), 1, 3);
    // Monitor levels keep what was stored: the dialog's own scale places any level.
    t << fixed("MoniCon", s("Master"), V::Double, num(0.0));
    for (const char *k : {"Mono1", "Mono2"})
        t << row(GroupKind::MonitorPair, {}, s(k), V::Double, num(0.0));
    t << row(GroupKind::MonitorPair, {}, s("LINK"), V::Bool, num(0));
    for (const char *k : {"SOURCE_L", "SOURCE_R"})
        t << coded(row(GroupKind::MonitorPair, {}, s(k), V::Int, num(0)), 0, 17);
    for (int n = 1; n <= 8; ++n)
        t << coded(fixed("LineOutSettings", QStringLiteral("LineOut%1").arg(n), V::Int, num(19 + n)), 0, 35);
    for (int n = 1; n <= 2; ++n)
        t << coded(fixed("LineOutSettings", QStringLiteral("LineOut%1_K1").arg(n), V::Int, num(9 + n)), 0, 19);
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

double clampedToRange(const KeyEntry &entry, double v, double fallback)
{
    if (entry.lo > entry.hi || (v >= entry.lo && v <= entry.hi))
        return v;
    if (entry.outside.has)
        return entry.outside.number;
    if (entry.outsideIsDefault)
        return fallback;
    return v < entry.lo ? entry.lo : entry.hi;
}

const KeyEntry *findClockKey(const QString &key)
{
    static const QVector<KeyEntry> rows = {
        coded(fixed("Interface", QStringLiteral("SampleClockSourceId"), ValueType::Int, num(0)), 1, 4),
        coded(fixed("Interface", QStringLiteral("Optical_A"), ValueType::Int, num(0)), 0, 3),
        coded(fixed("Interface", QStringLiteral("Optical_B"), ValueType::Int, num(0)), 0, 3),
    };
    for (const KeyEntry &r : rows)
        if (r.key == key)
            return &r;
    return nullptr;
}

int intStandby(const QString &group, const QString &key)
{
    return group == kMasterGroup && key == QLatin1String("Fader_pos") ? kMasterFaderStandby : kIntStandby;
}

} // namespace settings
