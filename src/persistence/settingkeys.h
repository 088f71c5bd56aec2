// Every key the main settings store knows: its group, type and the default a missing key reads as.
// The numbered families (sends, line outputs, reverb types, monitor pairs) are expanded once into
// concrete rows so that lookups and "read everything" loops see plain (group, key) pairs.
//
// Plain data, immutable after first use; safe to read from any thread.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

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
    // Accepted range of stored numbers when lo <= hi. A number outside it is clamped into it, or, for
    // codes and selector indexes (outsideIsDefault), read as the default, or as `outside` when that
    // is set.
    double lo = 1;
    double hi = 0;
    bool outsideIsDefault = false;
    KeyDefault outside;
};

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

// The clock store's keys ("SampleClockSourceId", "Optical_A", "Optical_B"): default 0 and the range
// outside which a stored value reads as 0. Null for other keys.
const KeyEntry *findClockKey(const QString &key);

} // namespace settings
