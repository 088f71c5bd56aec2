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

template <typename T> KeyEntry channel(const Key<T> &key, KeyDefault def)
{
    return row(GroupKind::Channel, {}, key.name, valueType<T>(), std::move(def));
}

// A channel key whose master strip reads another default.
template <typename T> KeyEntry channel(const Key<T> &key, KeyDefault def, KeyDefault master)
{
    KeyEntry s = channel(key, std::move(def));
    s.master = std::move(master);
    s.masterDiffers = true;
    return s;
}

template <typename T> KeyEntry fixed(const Key<T> &key, KeyDefault def)
{
    return row(GroupKind::Fixed, key.group, key.name, valueType<T>(), std::move(def));
}

template <typename T> KeyEntry monitor(const Key<T> &key, KeyDefault def)
{
    return row(GroupKind::MonitorPair, {}, key.name, valueType<T>(), std::move(def));
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

// The editor's knobs in the editor's order: position key, display key, whether the display is a number,
// the position a missing key reads as.
struct EditorRow {
    const char *pos;
    const char *display;
    bool number;
    int def;
};
constexpr EditorRow kEditor[key::kEditorKnobs] = {
    {"CompThresholdPos", "CompThresholdText", false, 127},
    {"CompRatioPos", "CompRatioText", false, 0},
    {"CompGainPos", "CompGainText", true, 0},
    {"CompAttackPos", "CompAttackText", true, 0},
    {"CompReleasePos", "CompReleaseText", true, 0},
    {"EqHighGainPos", "EqHighGainValue", true, 61},
    {"EqHighMidGainPos", "EqHighMidGainValue", true, 61},
    {"EqLowMidGainPos", "EqLowMidGainValue", true, 61},
    {"EqLowGainPos", "EqLowGainValue", true, 61},
    {"EqHighFreqPos", "EqHighFreqText", false, 60},
    {"EqHighMidFreqPos", "EqHighMidFreqText", false, 54},
    {"EqLowMidFreqPos", "EqLowMidFreqText", false, 28},
    {"EqLowFreqPos", "EqLowFreqText", false, 20},
    {"EqHighMidQFreqPos", "EqHighMidQFreqText", false, 36},
    {"EqLowMidQFreqPos", "EqLowMidQFreqText", false, 36},
};

const EditorRow &editorRow(int knob)
{
    return kEditor[knob >= 0 && knob < key::kEditorKnobs ? knob : 0];
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
    using namespace key;
    for (const Key<bool> *k : {&Select, &Link, &Phase, &Solo, &Mute, &Eq, &Comp, &EqLowCutFilter, &TrueBypass})
        t << channel(*k, num(0));
    t << channel(Name, text(""));
    t << clamped(channel(FaderPos, num(365), num(453)), 0, 100);
    t << channel(FaderValue, text("  0 dB"), text("-infinity"));
    t << clamped(channel(Fader, num(0.0), num(-99.9)), -99.9, 6.0);
    // An even track's pan sits in the middle of its own lane.
    KeyEntry pan = clamped(channel(PanPos, num(20)), 0, 99);
    pan.evenTrack = num(79);
    t << pan << channel(PanValue, text("C"));
    for (int n = 1; n <= 4; ++n) {
        t << clamped(channel(sendLevel(n), num(0), num(102)), 0, 127);
        t << channel(sendValue(n), text("-inf."), text("  0dB"));
        t << coded(channel(sendPoint(n), num(1)), 1, 3);
    }
    t << clamped(channel(ReturnLevel, num(0)), 0, 127) << channel(ReturnValue, text("-inf."));
    // The display keys of the numbers have no default: a missing one reads as the stand-by.
    for (int k = 0; k < kEditorKnobs; ++k) {
        t << clamped(channel(editorPos(k), num(editorRow(k).def)), 0, 127);
        t << (editorShowsNumber(k) ? channel(editorNumber(k), kNone) : channel(editorText(k), text("")));
    }
}

void addFixedKeys(QVector<KeyEntry> &t)
{
    using namespace key;
    t << fixed(MainWindowPanel, kNone);
    t << clamped(fixed(AudioPerformanceIndex, num(0)), 0, 10);
    t << fixed(InformationDialog, num(0));
    // Nothing stored means HALL, but a type the panel does not know is played as PLATE.
    KeyEntry mode = clamped(fixed(ReverbMode, num(1)), 1, 4);
    mode.outside = num(5);
    t << mode;
    t << fixed(MasterReverb, num(1));
    for (int type = 1; type <= int(std::size(kReverb)); ++type) {
        const ReverbRow &r = kReverb[type - 1];
        t << clamped(fixed(rvbPreDelayPos(type), num(r.preDelay)), 0, 250);
        t << clamped(fixed(rvbTimePos(type), num(r.time)), 1, 100);
        t << fixed(rvbTimeValue(type), text(""));
        t << clamped(fixed(rvbDiffPos(type), num(r.diff)), 0, 100);
    }
    t << coded(fixed(MoniConOutput, num(0)), 1, 3);
    // Monitor levels keep what was stored: the dialog's own scale places any level.
    t << fixed(MoniConMaster, num(0.0));
    t << monitor(moniConMono(1), num(0.0)) << monitor(moniConMono(2), num(0.0));
    t << monitor(MoniConLink, num(0));
    t << coded(monitor(moniConSource(false), num(0)), 0, 17) << coded(monitor(moniConSource(true), num(0)), 0, 17);
    for (int n = 1; n <= 8; ++n)
        t << coded(fixed(lineOut(n), num(19 + n)), 0, 35);
    for (int n = 1; n <= 2; ++n)
        t << coded(fixed(lineOutK1(n), num(9 + n)), 0, 19);
    for (const Key<QString> *k : {&SoftDialog, &FirmDialog, &InfoDialog, &JsonUrl})
        t << fixed(*k, text(""));
    t << fixed(OscEnabled, num(0)) << coded(fixed(OscPort, num(9090)), 1, 65535) << fixed(OscNetwork, num(0));
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

namespace key {

Key<int> sendLevel(int send)
{
    return {{}, QStringLiteral("Send%1_Level").arg(send)};
}
Key<QString> sendValue(int send)
{
    return {{}, QStringLiteral("Send%1_Value").arg(send)};
}
Key<int> sendPoint(int send)
{
    return {{}, QStringLiteral("Send%1_Point").arg(send)};
}

Key<int> editorPos(int knob)
{
    return {{}, QString::fromLatin1(editorRow(knob).pos)};
}
Key<int> editorNumber(int knob)
{
    return {{}, QString::fromLatin1(editorRow(knob).display)};
}
Key<QString> editorText(int knob)
{
    return {{}, QString::fromLatin1(editorRow(knob).display)};
}
bool editorShowsNumber(int knob)
{
    return editorRow(knob).number;
}

Key<int> rvbPreDelayPos(int type)
{
    return {QStringLiteral("Reverb"), QStringLiteral("RvbPreDelayPos_") + reverbSuffix(type)};
}
Key<int> rvbTimePos(int type)
{
    return {QStringLiteral("Reverb"), QStringLiteral("RvbTimePos_") + reverbSuffix(type)};
}
Key<QString> rvbTimeValue(int type)
{
    return {QStringLiteral("Reverb"), QStringLiteral("RvbTimeValue_") + reverbSuffix(type)};
}
Key<int> rvbDiffPos(int type)
{
    return {QStringLiteral("Reverb"), QStringLiteral("RvbDiffPos_") + reverbSuffix(type)};
}

Key<double> moniConMono(int side)
{
    return {{}, QStringLiteral("Mono%1").arg(side)};
}
Key<int> moniConSource(bool right)
{
    return {{}, right ? QStringLiteral("SOURCE_R") : QStringLiteral("SOURCE_L")};
}

Key<int> lineOut(int output)
{
    return {QStringLiteral("LineOutSettings"), QStringLiteral("LineOut%1").arg(output)};
}
Key<int> lineOutK1(int output)
{
    return {QStringLiteral("LineOutSettings"), QStringLiteral("LineOut%1_K1").arg(output)};
}

} // namespace key

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
        coded(fixed(Key<int>{QStringLiteral("Interface"), QStringLiteral("SampleClockSourceId")}, num(0)), 1, 4),
        coded(fixed(Key<int>{QStringLiteral("Interface"), QStringLiteral("Optical_A")}, num(0)), 0, 3),
        coded(fixed(Key<int>{QStringLiteral("Interface"), QStringLiteral("Optical_B")}, num(0)), 0, 3),
    };
    for (const KeyEntry &r : rows)
        if (r.key == key)
            return &r;
    return nullptr;
}

const KeyDefault &defaultFor(const KeyEntry &entry, const QString &group)
{
    if (entry.masterDiffers && group == kMasterGroup)
        return entry.master;
    if (entry.evenTrack.has) {
        for (int track = 2; track <= 20; track += 2)
            if (group == trackGroup(track))
                return entry.evenTrack;
    }
    return entry.def;
}

int intStandby(const QString &group, const QString &key)
{
    return group == kMasterGroup && key == QLatin1String("Fader_pos") ? kMasterFaderStandby : kIntStandby;
}

} // namespace settings
