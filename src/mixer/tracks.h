// The strips of the mixer page: track names, widget-name suffixes, unit channels and the object name of
// every strip widget. One table (tracks.cpp) holds what differs between strips; all names derive from it.
//
// Pure functions over constant data; callable from any thread.
#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>

namespace mixer {

constexpr int kTracks = 20;
constexpr int kPairs = 10;
constexpr int kSends = 4;

inline const QString kMasterTrack = QStringLiteral("TrackMaster");

// One mono strip. `suffix` names buttons, knobs, labels and meters; `number` names fader, value box,
// bypass and channel-name edit.
struct TrackInfo {
    int number;           // 1..20, also the unit input channel
    QString name;         // "Track11"
    QString suffix;       // "SP1"
    QString selectButton; // "pB_SPDIF1"
    int pair;             // 1..10
    bool odd;             // left side of its pair
};

// One stereo pair of two neighbouring mono strips.
struct PairInfo {
    int number;           // 1..10
    QString name;         // "Track11_12"
    QString suffix;       // "SP1_2" (buttons, knobs, labels, meters, containers)
    QString faderSuffix;  // "11_12" (fader, value box, bypass)
    QString selectButton; // "pB_SPDIF1_2"
    QString leftSide;     // "Track11_12_L": settings group of the left phase only
    QString rightSide;    // "Track11_12_R"
    int first;            // odd track number
    int second;           // even track number
};

enum class StripKind { Invalid, Mono, Pair, Master };

// A strip named by kind and number (mono 1..20, pair 1..10, master 0).
struct StripRef {
    StripKind kind = StripKind::Invalid;
    int number = 0;
    bool valid() const { return kind != StripKind::Invalid; }
    bool operator==(const StripRef &o) const { return kind == o.kind && number == o.number; }
    bool operator!=(const StripRef &o) const { return !(*this == o); }
};

inline StripRef monoRef(int track)
{
    return {StripKind::Mono, track};
}
inline StripRef pairRef(int pair)
{
    return {StripKind::Pair, pair};
}
inline StripRef masterRef()
{
    return {StripKind::Master, 0};
}

// A stereo strip's two tracks: its odd (left) and even (right) one. None on any other strip.
enum class Side { None, Left, Right };

// Every widget kind a strip may carry. A kind the strip does not have yields an empty object name.
enum class WidgetKind {
    Strip,      // mono1, st1_2, master
    Stack,      // sW_channel1_2 (pair), sW_master
    MonoPage,   // mono1_2
    StereoPage, // stereo1_2
    Phase,      // pB_Phase1
    PhaseL,     // pB_Phase1_2_L
    PhaseR,     // pB_Phase1_2_R
    Eq,         // pB_EQ1
    Comp,       // pB_Comp1
    Solo,       // pB_Solo1
    Mute,       // pB_Mute1, pB_masterMute
    Select,     // pB_Analog1, pB_SPDIF1_2
    LinkOn,     // pB_LinkOn1_2 (pair, on its mono page)
    LinkOff,    // pB_LinkOff1_2
    PanKnob,    // label_panKnob1
    PanDisplay, // label_panDisplay1
    PanKnobL,   // label_panKnob1_2_L
    PanKnobR,
    PanDisplayL, // label_panDisplay1_2_L
    PanDisplayR,
    LevelMeter,  // label_LevelMeter1
    Peak,        // label_Peak1
    LevelMeterL, // label_LevelMeter1_2_L, label_LevelMeterMasterL
    LevelMeterR,
    PeakL, // label_Peak1_2_L, label_PeakMasterL
    PeakR,
    SendKnob,      // label_Send2KnobAdat3 (send number needed)
    SendDisplay,   // label_Send2DisplayAdat3
    Pre,           // pB_Pre2_Adat3_4 (send number needed)
    Post,          // pB_Post2_Adat3_4
    Fader,         // vS_FaderKnob11, vS_FaderKnobMaster
    FaderDisplay,  // dSB_faderDisplay1_2
    Bypass,        // pB_Bypass11
    Name,          // lineEdit_ch7
    ReturnStack,   // sW_return (master)
    ReturnKnob,    // label_SendKnobReturn
    ReturnDisplay, // label_SendDisplayReturn
    ReverbOn,      // pB_masterReverb
};

// ---- Table access. Out-of-range numbers return nullptr.
const TrackInfo *trackInfo(int number);
const PairInfo *pairInfo(int number);

// ---- Names.
QString trackName(int number); // "Track7"; empty outside 1..20
QString pairName(int number);  // "Track7_8" for pair 4; empty outside 1..10

// The settings group of a strip ("Track7", "Track7_8", "TrackMaster"); empty for an invalid ref.
QString stripName(StripRef strip);

// Object name of widget `kind` on `strip`; `send` (1..4) only for the send knob, send display, pre and
// post kinds. Empty when that strip has no such widget or an argument is out of range.
QString widgetName(WidgetKind kind, StripRef strip, int send = 0);

} // namespace mixer

Q_DECLARE_METATYPE(mixer::StripRef)
Q_DECLARE_METATYPE(mixer::Side)
