#include "tracks.h"

#include <array>

namespace mixer {
namespace {

// Suffix families of the strips: only their prefixes and numbering differ.
struct Family {
    int firstTrack;
    int lastTrack;
    const char *suffixPrefix; // "", "SP", "Adat"
    const char *selectPrefix; // "pB_Analog", ...
};
constexpr std::array<Family, 3> kFamilies{{
    {1, 10, "", "pB_Analog"},
    {11, 12, "SP", "pB_SPDIF"},
    {13, 20, "Adat", "pB_Adat"},
}};

struct Tables {
    std::array<TrackInfo, kTracks> tracks;
    std::array<PairInfo, kPairs> pairs;

    Tables()
    {
        for (const Family &f : kFamilies) {
            for (int n = f.firstTrack; n <= f.lastTrack; ++n) {
                const int local = n - f.firstTrack + 1;
                const QString suffix = QLatin1String(f.suffixPrefix) + QString::number(local);
                const int pair = (n + 1) / 2;
                tracks[n - 1] = {n,      QStringLiteral("Track%1").arg(n),
                                 suffix, QLatin1String(f.selectPrefix) + QString::number(local),
                                 pair,   n % 2 == 1};
                if (n % 2 == 0)
                    continue;
                const QString localPair = QStringLiteral("%1_%2").arg(local).arg(local + 1);
                const QString name = QStringLiteral("Track%1_%2").arg(n).arg(n + 1);
                pairs[pair - 1] = {pair,
                                   name,
                                   QLatin1String(f.suffixPrefix) + localPair,
                                   QStringLiteral("%1_%2").arg(n).arg(n + 1),
                                   QLatin1String(f.selectPrefix) + localPair,
                                   name + QStringLiteral("_L"),
                                   name + QStringLiteral("_R"),
                                   n,
                                   n + 1};
            }
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

// Names every strip builds alike: a prefix, the send number where there is one, then the strip's
// suffix (faders, value boxes and bypass buttons take the track-number suffix instead).
QString stripName(WidgetKind kind, const QString &s, const QString &numberSuffix, int send)
{
    switch (kind) {
    case WidgetKind::Phase:
        return QStringLiteral("pB_Phase") + s;
    case WidgetKind::Eq:
        return QStringLiteral("pB_EQ") + s;
    case WidgetKind::Comp:
        return QStringLiteral("pB_Comp") + s;
    case WidgetKind::Solo:
        return QStringLiteral("pB_Solo") + s;
    case WidgetKind::Mute:
        return QStringLiteral("pB_Mute") + s;
    case WidgetKind::PanKnob:
        return QStringLiteral("label_panKnob") + s;
    case WidgetKind::PanDisplay:
        return QStringLiteral("label_panDisplay") + s;
    case WidgetKind::LevelMeter:
        return QStringLiteral("label_LevelMeter") + s;
    case WidgetKind::Peak:
        return QStringLiteral("label_Peak") + s;
    case WidgetKind::SendKnob:
        return QStringLiteral("label_Send%1Knob").arg(send) + s;
    case WidgetKind::SendDisplay:
        return QStringLiteral("label_Send%1Display").arg(send) + s;
    case WidgetKind::Pre:
        return QStringLiteral("pB_Pre%1_").arg(send) + s;
    case WidgetKind::Post:
        return QStringLiteral("pB_Post%1_").arg(send) + s;
    case WidgetKind::Fader:
        return QStringLiteral("vS_FaderKnob") + numberSuffix;
    case WidgetKind::FaderDisplay:
        return QStringLiteral("dSB_faderDisplay") + numberSuffix;
    case WidgetKind::Bypass:
        return QStringLiteral("pB_Bypass") + numberSuffix;
    default:
        return {};
    }
}

QString monoName(WidgetKind kind, const TrackInfo &t, int send)
{
    switch (kind) {
    case WidgetKind::Strip:
        return QStringLiteral("mono") + t.suffix;
    case WidgetKind::Select:
        return t.selectButton;
    case WidgetKind::Name:
        return QStringLiteral("lineEdit_ch") + QString::number(t.number);
    default:
        return stripName(kind, t.suffix, QString::number(t.number), send);
    }
}

QString pairWidgetName(WidgetKind kind, const PairInfo &p, int send)
{
    // The pair strip's per-side widgets: the mono widget's name, then the side.
    struct Sided {
        WidgetKind kind;
        WidgetKind base;
        const char *side;
    };
    static constexpr Sided kSided[] = {
        {WidgetKind::PhaseL, WidgetKind::Phase, "_L"},
        {WidgetKind::PhaseR, WidgetKind::Phase, "_R"},
        {WidgetKind::PanKnobL, WidgetKind::PanKnob, "_L"},
        {WidgetKind::PanKnobR, WidgetKind::PanKnob, "_R"},
        {WidgetKind::PanDisplayL, WidgetKind::PanDisplay, "_L"},
        {WidgetKind::PanDisplayR, WidgetKind::PanDisplay, "_R"},
        {WidgetKind::LevelMeterL, WidgetKind::LevelMeter, "_L"},
        {WidgetKind::LevelMeterR, WidgetKind::LevelMeter, "_R"},
        {WidgetKind::PeakL, WidgetKind::Peak, "_L"},
        {WidgetKind::PeakR, WidgetKind::Peak, "_R"},
    };
    const QString &s = p.suffix;
    for (const Sided &sided : kSided)
        if (sided.kind == kind)
            return stripName(sided.base, s, p.faderSuffix, send) + QLatin1String(sided.side);
    switch (kind) {
    case WidgetKind::Strip:
        return QStringLiteral("st") + s;
    case WidgetKind::Stack:
        return QStringLiteral("sW_channel") + s;
    case WidgetKind::MonoPage:
        return QStringLiteral("mono") + s;
    case WidgetKind::StereoPage:
        return QStringLiteral("stereo") + s;
    case WidgetKind::Select:
        return p.selectButton;
    case WidgetKind::LinkOn:
        return QStringLiteral("pB_LinkOn") + s;
    case WidgetKind::LinkOff:
        return QStringLiteral("pB_LinkOff") + s;
    // A pair has no unsided phase, pan or meter widgets.
    case WidgetKind::Phase:
    case WidgetKind::PanKnob:
    case WidgetKind::PanDisplay:
    case WidgetKind::LevelMeter:
    case WidgetKind::Peak:
        return {};
    default:
        return stripName(kind, s, p.faderSuffix, send);
    }
}

QString masterWidgetName(WidgetKind kind, int send)
{
    switch (kind) {
    case WidgetKind::Strip:
        return QStringLiteral("master");
    case WidgetKind::Stack:
        return QStringLiteral("sW_master");
    case WidgetKind::Mute:
        return QStringLiteral("pB_masterMute");
    case WidgetKind::LevelMeterL:
        return QStringLiteral("label_LevelMeterMasterL");
    case WidgetKind::LevelMeterR:
        return QStringLiteral("label_LevelMeterMasterR");
    case WidgetKind::PeakL:
        return QStringLiteral("label_PeakMasterL");
    case WidgetKind::PeakR:
        return QStringLiteral("label_PeakMasterR");
    case WidgetKind::SendKnob:
        return QStringLiteral("label_Send%1KnobMaster").arg(send);
    case WidgetKind::SendDisplay:
        return QStringLiteral("label_Send%1DisplayMaster").arg(send);
    case WidgetKind::Fader:
        return QStringLiteral("vS_FaderKnobMaster");
    case WidgetKind::FaderDisplay:
        return QStringLiteral("dSB_faderDisplayMaster");
    case WidgetKind::ReturnStack:
        return QStringLiteral("sW_return");
    case WidgetKind::ReturnKnob:
        return QStringLiteral("label_SendKnobReturn");
    case WidgetKind::ReturnDisplay:
        return QStringLiteral("label_SendDisplayReturn");
    case WidgetKind::ReverbOn:
        return QStringLiteral("pB_masterReverb");
    default:
        return {};
    }
}

bool needsSend(WidgetKind kind)
{
    return kind == WidgetKind::SendKnob || kind == WidgetKind::SendDisplay || kind == WidgetKind::Pre ||
           kind == WidgetKind::Post;
}

} // namespace

const TrackInfo *trackInfo(int number)
{
    return number >= 1 && number <= kTracks ? &tables().tracks[number - 1] : nullptr;
}

const PairInfo *pairInfo(int number)
{
    return number >= 1 && number <= kPairs ? &tables().pairs[number - 1] : nullptr;
}

QString trackName(int number)
{
    const TrackInfo *t = trackInfo(number);
    return t ? t->name : QString();
}

QString pairName(int number)
{
    const PairInfo *p = pairInfo(number);
    return p ? p->name : QString();
}

QString stripName(StripRef strip)
{
    switch (strip.kind) {
    case StripKind::Mono:
        return trackName(strip.number);
    case StripKind::Pair:
        return pairName(strip.number);
    case StripKind::Master:
        return kMasterTrack;
    default:
        return {};
    }
}

QString widgetName(WidgetKind kind, StripRef strip, int send)
{
    if (needsSend(kind) && (send < 1 || send > kSends))
        return {};
    switch (strip.kind) {
    case StripKind::Mono:
        if (const TrackInfo *t = trackInfo(strip.number))
            return monoName(kind, *t, send);
        return {};
    case StripKind::Pair:
        if (const PairInfo *p = pairInfo(strip.number))
            return pairWidgetName(kind, *p, send);
        return {};
    case StripKind::Master:
        return strip.number == 0 ? masterWidgetName(kind, send) : QString();
    default:
        return {};
    }
}

} // namespace mixer
