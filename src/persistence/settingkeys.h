// Every key the main settings store knows: its group, type and the default a missing key reads as.
// The numbered families (sends, line outputs, reverb types, monitor pairs) are expanded once into
// concrete rows so that lookups and "read everything" loops see plain (group, key) pairs.
//
// Plain data, immutable after first use; safe to read from any thread.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <type_traits>

namespace settings {

enum class ValueType { Int, Bool, String, Double };

// Which groups a row applies to.
enum class GroupKind {
    Fixed,       // exactly `group`
    Channel,     // "Track1".."Track20", "Track1_2".."Track19_20", "TrackMaster"
    MonitorPair, // "MoniCon OUT1_2".."MoniCon OUT7_8"
};

struct KeyDefault {
    bool has = false;  // false: nothing replaces the stand-by value
    double number = 0; // Int, Bool (0/1), Double
    QString text;      // String
};

struct KeyEntry {
    GroupKind kind = GroupKind::Fixed;
    QString group; // Fixed only
    QString key;
    ValueType type = ValueType::Int;
    KeyDefault def;
    KeyDefault master; // "TrackMaster" value when masterDiffers
    bool masterDiffers = false;
    KeyDefault evenTrack; // "Track2", "Track4" .. "Track20" value when it has one
    // Accepted range of stored numbers when lo <= hi. A number outside it is clamped into it, or, for
    // codes and selector indexes (outsideIsDefault), read as the default, or as `outside` when that
    // is set.
    double lo = 1;
    double hi = 0;
    bool outsideIsDefault = false;
    KeyDefault outside;
};

// A key of the main store and the type it holds. `group` is set for keys of one fixed group and empty
// for the channel and monitor keys, whose group the caller names. The names below are the only keys
// code reads or writes; each is a row of the table in settingkeys.cpp, with its default and range.
template <typename T> struct Key {
    QString group;
    QString name;
};

template <typename T> constexpr ValueType valueType();
template <> constexpr ValueType valueType<int>() { return ValueType::Int; }
template <> constexpr ValueType valueType<bool>() { return ValueType::Bool; }
template <> constexpr ValueType valueType<QString>() { return ValueType::String; }
template <> constexpr ValueType valueType<double>() { return ValueType::Double; }

namespace key {
// ---- Channel groups: "Track1".."Track20", "Track1_2".."Track19_20", "TrackMaster".
inline const Key<bool> Select{{}, QStringLiteral("Select")};
inline const Key<bool> Link{{}, QStringLiteral("Link")};
inline const Key<bool> Phase{{}, QStringLiteral("Phase")};
inline const Key<bool> Solo{{}, QStringLiteral("Solo")};
inline const Key<bool> Mute{{}, QStringLiteral("Mute")};
inline const Key<bool> Eq{{}, QStringLiteral("Eq")};
inline const Key<bool> Comp{{}, QStringLiteral("Comp")};
inline const Key<bool> EqLowCutFilter{{}, QStringLiteral("EqLowCutFilter")};
inline const Key<bool> TrueBypass{{}, QStringLiteral("TrueBypass")};
inline const Key<QString> Name{{}, QStringLiteral("Name")};
inline const Key<int> FaderPos{{}, QStringLiteral("Fader_pos")};
inline const Key<QString> FaderValue{{}, QStringLiteral("Fader_value")};
inline const Key<double> Fader{{}, QStringLiteral("Fader")};
inline const Key<int> PanPos{{}, QStringLiteral("Pan_pos")};
inline const Key<QString> PanValue{{}, QStringLiteral("Pan_value")};
inline const Key<int> ReturnLevel{{}, QStringLiteral("Return_Level")};
inline const Key<QString> ReturnValue{{}, QStringLiteral("Return_Value")};
// Sends 1..4.
Key<int> sendLevel(int send);
Key<QString> sendValue(int send);
Key<int> sendPoint(int send);
// The channel editor's knobs 0..14 in the editor's order (threshold, ratio, gain, attack, release; high,
// high-mid, low-mid, low gain; the four frequencies; the two Qs): the knob position, and what it
// showed, a number for the gains, attack and release (editorNumber), a text for the others (editorText).
constexpr int kEditorKnobs = 15;
Key<int> editorPos(int knob);
bool editorShowsNumber(int knob);
Key<int> editorNumber(int knob);
Key<QString> editorText(int knob);

// ---- Group "Reverb". Types 1 HALL .. 5 PLATE; any other type is taken as HALL.
inline const Key<int> ReverbMode{QStringLiteral("Reverb"), QStringLiteral("Mode")};
inline const Key<bool> MasterReverb{QStringLiteral("Reverb"), QStringLiteral("MasterReverb")};
Key<int> rvbPreDelayPos(int type);
Key<int> rvbTimePos(int type);
Key<QString> rvbTimeValue(int type);
Key<int> rvbDiffPos(int type);

// ---- Monitor: group "MoniCon" and the output-pair groups "MoniCon OUT1_2".."MoniCon OUT7_8".
inline const Key<int> MoniConOutput{QStringLiteral("MoniCon"), QStringLiteral("Output")};
inline const Key<double> MoniConMaster{QStringLiteral("MoniCon"), QStringLiteral("Master")};
inline const Key<bool> MoniConLink{{}, QStringLiteral("LINK")};
Key<double> moniConMono(int side); // side 1 or 2
Key<int> moniConSource(bool right);

// ---- Line outputs: LineOut1..8 of the large model, LineOut1_K1, 2_K1 of the small one.
Key<int> lineOut(int output);
Key<int> lineOutK1(int output);

// ---- Interface flags.
inline const Key<int> MainWindowPanel{QStringLiteral("Panel"), QStringLiteral("MainWindowPanel")};
inline const Key<int> AudioPerformanceIndex{QStringLiteral("Interface"), QStringLiteral("AudioPeformanceIndex")};
inline const Key<bool> InformationDialog{QStringLiteral("Misc"), QStringLiteral("Information_Dialog")};
inline const Key<QString> SoftDialog{QStringLiteral("Update"), QStringLiteral("SoftDialog")};
inline const Key<QString> FirmDialog{QStringLiteral("Update"), QStringLiteral("FirmDialog")};
inline const Key<QString> InfoDialog{QStringLiteral("Update"), QStringLiteral("InfoDialog")};
inline const Key<QString> JsonUrl{QStringLiteral("Update"), QStringLiteral("JsonUrl")};

// ---- Remote control over OSC: off until turned on; this computer only unless the network is allowed.
inline const Key<bool> OscEnabled{QStringLiteral("Remote"), QStringLiteral("OscEnabled")};
inline const Key<int> OscPort{QStringLiteral("Remote"), QStringLiteral("OscPort")};
inline const Key<bool> OscNetwork{QStringLiteral("Remote"), QStringLiteral("OscNetwork")};
} // namespace key

// What a stored number outside its key's range reads as: `v` itself when the key has no range.
double clampedToRange(const KeyEntry &entry, double v, double fallback);

// Stand-by values that mark an integer or double as missing.
constexpr int kIntStandby = 365;
constexpr int kMasterFaderStandby = 453;
constexpr double kDoubleStandby = 1000.0;

inline const QString kMasterGroup = QStringLiteral("TrackMaster");

// "Track<n>" for n in 1..20.
QString trackGroup(int track);
// "Track<2p-1>_<2p>" for pair p in 1..10.
QString pairGroup(int pair);
// "MoniCon OUT<2p-1>_<2p>" for output pair p in 1..4; empty outside.
QString monitorGroup(int outPair);
// Key suffix of reverb type 1 HALL .. 5 PLATE ("Hall" .. "Plate"); any other type gives "Hall".
QString reverbSuffix(int type);
// Every channel group: the twenty mono, the ten pair groups, then the master.
const QStringList &channelGroups();
const QStringList &monitorGroups();

// All expanded rows.
const QVector<KeyEntry> &allKeys();
// The row for a concrete group and key, or null when the pair is not in the tables.
const KeyEntry *findKey(const QString &group, const QString &key);
// The stand-by value an integer key is read with in `group` (453 only for the master fader position).
int intStandby(const QString &group, const QString &key);
// The default of `entry` in `group` (the master and the even tracks may read another one).
const KeyDefault &defaultFor(const KeyEntry &entry, const QString &group);

// What `key` reads as in `group` (or its own group) when nothing usable is stored; a channel key with
// no group named reads as a mono track's. The one place the defaults live is the table; models and
// controls that show something before a load take theirs from here.
template <typename T> T defaultValue(const Key<T> &key, const QString &group = {})
{
    const QString g = !key.group.isEmpty() ? key.group : !group.isEmpty() ? group : trackGroup(1);
    const KeyEntry *entry = findKey(g, key.name);
    const KeyDefault d = entry ? defaultFor(*entry, g) : KeyDefault{};
    if constexpr (std::is_same_v<T, QString>)
        return d.text;
    else if constexpr (std::is_same_v<T, int>)
        return d.has ? int(d.number) : intStandby(g, key.name);
    else if constexpr (std::is_same_v<T, bool>)
        return d.number != 0;
    else
        return d.has ? d.number : kDoubleStandby;
}

// The clock store's keys ("SampleClockSourceId", "Optical_A", "Optical_B"): default 0 and the range
// outside which a stored value reads as 0. Null for other keys.
const KeyEntry *findClockKey(const QString &key);

} // namespace settings
