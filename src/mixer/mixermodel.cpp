// The model's state by strip and the primitives every rule is built from: each sets the state, stores
// it, sends it and tells the strip.
#include "mixermodel.h"

#include "ixcmd.h"
#include "qixdevice.h"
#include "scales.h"
#include "settings.h"

#include <algorithm>
#include <cmath>

namespace mixer {
namespace {
constexpr uint32_t kInput = IXMSG_DATA_CH_INPUT;
constexpr uint32_t kMaster = IXMSG_DATA_CH_MASTER;
constexpr uint32_t kAux = IXMSG_DATA_CH_AUX;

// The side group that keeps a mono track's phase while its pair shows the stereo strip.
QString sideGroup(int track)
{
    const TrackInfo *t = trackInfo(track);
    const PairInfo *p = pairInfo(t->pair);
    return t->odd ? p->leftSide : p->rightSide;
}

Side sideOf(int track)
{
    return track % 2 == 1 ? Side::Left : Side::Right;
}
} // namespace

MixerModel::MixerModel(Settings &settings, QIXDevice &device, QObject *parent)
    : QObject(parent), settings_(settings), device_(device), dynamics_(settings, device), reverb_(settings, device)
{
    qRegisterMetaType<StripRef>();
    qRegisterMetaType<Side>();
    for (auto &e : monoEvents_)
        e = std::make_unique<StripEvents>();
    for (auto &e : pairEvents_)
        e = std::make_unique<StripEvents>();
    masterEvents_ = std::make_unique<StripEvents>();
    connect(&reverb_, &ReverbModel::returnChanged, masterEvents_.get(),
            [this](int position, const QString &label) { emit masterEvents_->sendChanged(0, position, label); });
    for (int n = 1; n <= kTracks; ++n)
        panPos_[static_cast<size_t>(n - 1)] = pan::centre(n % 2 == 1);
    // Until a load, the master shows what a missing key reads as.
    master_.fader = settings::defaultValue(settings::key::Fader, settings::kMasterGroup);
    for (int s = 1; s <= kSends; ++s)
        master_.sendPos[static_cast<size_t>(s)] =
            settings::defaultValue(settings::key::sendLevel(s), settings::kMasterGroup);
}

MixerModel::~MixerModel() = default;

StripEvents &MixerModel::events(StripRef strip)
{
    switch (strip.kind) {
    case StripKind::Mono:
        return *monoEvents_[static_cast<size_t>(std::clamp(strip.number, 1, kTracks) - 1)];
    case StripKind::Pair:
        return *pairEvents_[static_cast<size_t>(std::clamp(strip.number, 1, kPairs) - 1)];
    default:
        return *masterEvents_;
    }
}

MixerModel::StripState &MixerModel::state(StripRef strip)
{
    return const_cast<StripState &>(static_cast<const MixerModel *>(this)->state(strip));
}

const MixerModel::StripState &MixerModel::state(StripRef strip) const
{
    switch (strip.kind) {
    case StripKind::Mono:
        return mono_[static_cast<size_t>(std::clamp(strip.number, 1, kTracks) - 1)];
    case StripKind::Pair:
        return pair_[static_cast<size_t>(std::clamp(strip.number, 1, kPairs) - 1)];
    default:
        return master_;
    }
}

StripRef MixerModel::trackOf(StripRef strip, Side side)
{
    if (strip.kind == StripKind::Mono && side == Side::None && trackInfo(strip.number))
        return strip;
    const PairInfo *p = strip.kind == StripKind::Pair ? pairInfo(strip.number) : nullptr;
    if (!p || side == Side::None)
        return {};
    return monoRef(side == Side::Left ? p->first : p->second);
}

// ---------------------------------------------------------------- state

bool MixerModel::phase(StripRef strip, Side side) const
{
    const StripRef t = trackOf(strip, side);
    return t.valid() && state(t).phase;
}
bool MixerModel::eqOn(StripRef strip) const
{
    return strip.valid() && state(strip).eq;
}
bool MixerModel::compOn(StripRef strip) const
{
    return strip.valid() && state(strip).comp;
}
bool MixerModel::mute(StripRef strip) const
{
    return strip.valid() && state(strip).mute;
}
bool MixerModel::solo(StripRef strip) const
{
    return strip.valid() && state(strip).solo;
}
bool MixerModel::selected(StripRef strip) const
{
    return strip.valid() && state(strip).select;
}
bool MixerModel::trueBypass(StripRef strip) const
{
    return strip.valid() && state(strip).bypass;
}

bool MixerModel::pairLinked(int pair) const
{
    return pair >= 1 && pair <= kPairs && linked_[static_cast<size_t>(pair - 1)];
}

QString MixerModel::channelName(StripRef mono) const
{
    return mono.kind == StripKind::Mono && trackInfo(mono.number) ? names_[static_cast<size_t>(mono.number - 1)]
                                                                  : QString();
}

int MixerModel::sendPoint(StripRef strip, int send) const
{
    return strip.valid() && send >= 1 && send <= kSends ? state(strip).point[static_cast<size_t>(send)] : 0;
}

double MixerModel::faderLevel(StripRef strip) const
{
    return strip.valid() ? state(strip).fader : fader::kTrackDefaultDb;
}

int MixerModel::panPosition(StripRef strip, Side side) const
{
    const StripRef t = trackOf(strip, side);
    return t.valid() ? panPos_[static_cast<size_t>(t.number - 1)] : pan::kOddCentre;
}

int MixerModel::sendPosition(StripRef strip, int send) const
{
    if (!strip.valid() || send < 0 || send > kSends)
        return 0;
    if (strip.kind == StripKind::Master && send == 0)
        return reverb_.returnPosition();
    return state(strip).sendPos[static_cast<size_t>(send)];
}

// ---------------------------------------------------------------- primitives

void MixerModel::applyMute(int track, bool on, bool store)
{
    state(monoRef(track)).mute = on;
    if (store)
        settings_.setValue(trackName(track), settings::key::Mute, on);
    device_.set_mute(kInput, static_cast<uint32_t>(track), on);
    emit events(monoRef(track)).muteChanged(on);
}

void MixerModel::applyPhase(int track, bool on, bool store)
{
    state(monoRef(track)).phase = on;
    if (store) {
        settings_.setValue(trackName(track), settings::key::Phase, on);
        settings_.setValue(sideGroup(track), settings::key::Phase, on);
    }
    device_.set_phase(kInput, static_cast<uint32_t>(track), on);
    emit events(monoRef(track)).phaseChanged(Side::None, on);
    emit events(pairRef(trackInfo(track)->pair)).phaseChanged(sideOf(track), on);
}

void MixerModel::sendTrackSend(int track, int send)
{
    const StripState &st = state(monoRef(track));
    const auto s = static_cast<size_t>(send);
    device_.set_send(kInput, static_cast<uint32_t>(track), kAux, static_cast<uint32_t>(send),
                     ixcmd_send_point(st.point[s]), static_cast<int8_t>(send::dbAt(st.sendPos[s])));
}

void MixerModel::applySendPoint(int track, int send, int code, bool store)
{
    const int c = code >= 1 && code <= 3 ? code : 1;
    state(monoRef(track)).point[static_cast<size_t>(send)] = c;
    if (store)
        settings_.setValue(trackName(track), settings::key::sendPoint(send), c);
    sendTrackSend(track, send);
    emit events(monoRef(track)).sendPointChanged(send, c);
}

void MixerModel::applyTrackSend(int track, int send, int position, bool store)
{
    const int p = std::clamp(position, 0, send::kPositions - 1);
    const QString label = send::label(p);
    state(monoRef(track)).sendPos[static_cast<size_t>(send)] = p;
    if (store) {
        settings_.setValue(trackName(track), settings::key::sendLevel(send), p);
        settings_.setValue(trackName(track), settings::key::sendValue(send), label);
    }
    sendTrackSend(track, send);
    emit events(monoRef(track)).sendChanged(send, p, label);
}

void MixerModel::applyMasterSend(int send, int position, bool store)
{
    const int p = std::clamp(position, 0, send::kPositions - 1);
    const QString label = send::label(p);
    master_.sendPos[static_cast<size_t>(send)] = p;
    if (store) {
        settings_.setValue(kMasterTrack, settings::key::sendLevel(send), p);
        settings_.setValue(kMasterTrack, settings::key::sendValue(send), label);
    }
    // Master sends have no tap point of their own.
    device_.set_send(kMaster, 1, kAux, static_cast<uint32_t>(send), 1, static_cast<int8_t>(send::dbAt(p)));
    emit masterEvents_->sendChanged(send, p, label);
}

void MixerModel::applyEqOn(StripRef strip, bool on, bool store)
{
    dynamics_.setEqOn(strip, on);
    state(strip).eq = on;
    if (store)
        settings_.setValue(group(strip), settings::key::Eq, on);
    emit events(strip).eqChanged(on);
    if (selected_ == strip)
        emit equalizerRepaintRequested();
}

void MixerModel::applyCompOn(StripRef strip, bool on, bool store)
{
    dynamics_.setCompOn(strip, on);
    state(strip).comp = on;
    if (store)
        settings_.setValue(group(strip), settings::key::Comp, on);
    emit events(strip).compChanged(on);
    if (selected_ == strip)
        emit compressorRepaintRequested();
}

void MixerModel::applyBypass(StripRef strip, bool on, bool store)
{
    const int first = strip.kind == StripKind::Pair ? pairInfo(strip.number)->first : strip.number;
    const int last = strip.kind == StripKind::Pair ? first + 1 : first;
    state(strip).bypass = on;
    emit events(strip).trueBypassChanged(on);
    if (on) {
        if (state(strip).select) {
            setSelect(strip, false);
            emit editorBypassChanged(true);
        }
    } else if (store) {
        emit editorBypassChanged(false);
    }
    for (int n = first; n <= last; ++n) {
        if (store)
            settings_.setValue(trackName(n), settings::key::TrueBypass, on);
        device_.set_truebypass(kInput, static_cast<uint32_t>(n), on);
    }
}

void MixerModel::applyFader(StripRef strip, double db, bool store)
{
    const double level = std::round(std::clamp(db, fader::kMinDb, fader::kMaxDb) * 10.0) / 10.0;
    const int16_t v = fader::wire(level);
    state(strip).fader = level;
    if (store)
        settings_.setValue(group(strip), settings::key::Fader, level);
    if (strip.kind == StripKind::Master) {
        device_.set_fader(kMaster, 1, v);
        device_.set_fader(kMaster, 2, v);
    } else if (strip.kind == StripKind::Mono) {
        device_.set_fader(kInput, static_cast<uint32_t>(strip.number), v);
    } else if (strip.kind == StripKind::Pair) {
        device_.set_fader(kInput, static_cast<uint32_t>(pairInfo(strip.number)->first), v);
        device_.set_fader(kInput, static_cast<uint32_t>(pairInfo(strip.number)->second), v);
    }
    emit events(strip).faderChanged(level);
}

void MixerModel::applyPan(int track, int position, bool store)
{
    const int p = pan::clampToLane(position, track % 2 == 1);
    const QString label = pan::label(p);
    panPos_[static_cast<size_t>(track - 1)] = p;
    if (store) {
        settings_.setValue(trackName(track), settings::key::PanPos, p);
        settings_.setValue(trackName(track), settings::key::PanValue, label);
    }
    device_.set_pan(kInput, static_cast<uint32_t>(track), pan::unitIndex(p));
    emit events(monoRef(track)).panChanged(Side::None, p, label);
    emit events(pairRef(trackInfo(track)->pair)).panChanged(sideOf(track), p, label);
}

void MixerModel::showPairMute(int pair, bool on)
{
    pair_[static_cast<size_t>(pair - 1)].mute = on;
    emit events(pairRef(pair)).muteChanged(on);
}

void MixerModel::showPairSolo(int pair, bool on)
{
    pair_[static_cast<size_t>(pair - 1)].solo = on;
    emit events(pairRef(pair)).soloChanged(on);
}

void MixerModel::showPairSend(int pair, int send, int position)
{
    pair_[static_cast<size_t>(pair - 1)].sendPos[static_cast<size_t>(send)] = position;
    emit events(pairRef(pair)).sendChanged(send, position, send::label(position));
}

void MixerModel::showPairPoint(int pair, int send, int code)
{
    pair_[static_cast<size_t>(pair - 1)].point[static_cast<size_t>(send)] = code;
    emit events(pairRef(pair)).sendPointChanged(send, code);
}

} // namespace mixer
