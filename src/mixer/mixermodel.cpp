#include "mixermodel.h"

#include "qixdevice.h"
#include "ixcmd.h"
#include "scales.h"
#include "settings.h"

#include <algorithm>
#include <cmath>

namespace mixer {
namespace {
constexpr uint32_t kInput = IXMSG_DATA_CH_INPUT;
constexpr uint32_t kMaster = IXMSG_DATA_CH_MASTER;
constexpr uint32_t kAux = IXMSG_DATA_CH_AUX;

bool validSend(int send)
{
    return send >= 1 && send <= kSends;
}

// The side name that keeps a mono track's phase while its pair shows the stereo strip.
QString sideOf(int track)
{
    const TrackInfo *t = trackInfo(track);
    const PairInfo *p = pairInfo(t->pair);
    return t->odd ? p->leftSide : p->rightSide;
}
} // namespace

MixerModel::MixerModel(Settings &settings, QIXDevice &device, QObject *parent)
    : QObject(parent), settings_(settings), device_(device), dynamics_(settings, device), reverb_(settings, device)
{
    connect(&reverb_, &ReverbModel::returnChanged, this,
            [this](int position, const QString &label) { emit sendChanged(kMasterTrack, 0, position, label); });
    for (int n = 1; n <= kTracks; ++n)
        panPos_[n - 1] = pan::centre(n % 2 == 1);
    state(kMasterTrack).fader = fader::kMasterDefaultDb;
    for (int s = 1; s <= kSends; ++s)
        state(kMasterTrack).sendPos[s] = send::kMasterDefault;
}

MixerModel::~MixerModel() = default;

// ---------------------------------------------------------------- state

bool MixerModel::phase(const QString &name) const
{
    return stateOf(name).phase;
}
bool MixerModel::eqOn(const QString &name) const
{
    return stateOf(name).eq;
}
bool MixerModel::compOn(const QString &name) const
{
    return stateOf(name).comp;
}
bool MixerModel::mute(const QString &name) const
{
    return stateOf(name).mute;
}
bool MixerModel::solo(const QString &name) const
{
    return stateOf(name).solo;
}
bool MixerModel::selected(const QString &name) const
{
    return stateOf(name).select;
}
bool MixerModel::trueBypass(const QString &name) const
{
    return stateOf(name).bypass;
}

bool MixerModel::pairLinked(int pair) const
{
    return pair >= 1 && pair <= kPairs && linked_[static_cast<size_t>(pair - 1)];
}

bool MixerModel::muteBeforeSolo(int track) const
{
    return track >= 1 && track <= kTracks && muteBeforeSolo_[static_cast<size_t>(track - 1)];
}

QString MixerModel::channelName(int track) const
{
    return track >= 1 && track <= kTracks ? names_[static_cast<size_t>(track - 1)] : QString();
}

int MixerModel::sendPoint(const QString &name, int send) const
{
    return validSend(send) ? stateOf(name).point[static_cast<size_t>(send)] : 0;
}

double MixerModel::faderLevel(const QString &name) const
{
    return states_.contains(name) ? states_.value(name).fader : fader::kTrackDefaultDb;
}

int MixerModel::panPosition(int track) const
{
    return track >= 1 && track <= kTracks ? panPos_[static_cast<size_t>(track - 1)] : pan::kOddCentre;
}

QString MixerModel::panLabel(int track) const
{
    return pan::label(panPosition(track));
}

int MixerModel::sendPosition(const QString &name, int send) const
{
    if (send < 0 || send > kSends)
        return 0;
    if (name == kMasterTrack && send == 0)
        return reverb_.returnPosition();
    if (name == kMasterTrack && !states_.contains(name))
        return send == 0 ? 0 : send::kMasterDefault;
    return stateOf(name).sendPos[static_cast<size_t>(send)];
}

QString MixerModel::sendLabel(const QString &name, int send) const
{
    return send::label(sendPosition(name, send));
}

// ---------------------------------------------------------------- primitives

void MixerModel::applyMute(int track, bool on, bool store)
{
    const QString name = trackName(track);
    state(name).mute = on;
    if (store)
        settings_.setValue(name, settings::key::Mute, on);
    device_.set_mute(kInput, static_cast<uint32_t>(track), on);
    emit muteChanged(name, on);
}

void MixerModel::applyPhase(int track, bool on, bool store)
{
    const QString name = trackName(track);
    const QString side = sideOf(track);
    state(name).phase = on;
    state(side).phase = on;
    if (store) {
        settings_.setValue(name, settings::key::Phase, on);
        settings_.setValue(side, settings::key::Phase, on);
    }
    device_.set_phase(kInput, static_cast<uint32_t>(track), on);
    emit phaseChanged(name, on);
    emit phaseChanged(side, on);
}

void MixerModel::sendTrackSend(int track, int send)
{
    const StripState &st = states_[trackName(track)];
    const auto s = static_cast<size_t>(send);
    device_.set_send(kInput, static_cast<uint32_t>(track), kAux, static_cast<uint32_t>(send),
                     ixcmd_send_point(st.point[s]), static_cast<int8_t>(send::dbAt(st.sendPos[s])));
}

void MixerModel::applySendPoint(int track, int send, int code, bool store)
{
    const QString name = trackName(track);
    const int c = code >= 1 && code <= 3 ? code : 1;
    state(name).point[static_cast<size_t>(send)] = c;
    if (store)
        settings_.setValue(name, settings::key::sendPoint(send), c);
    sendTrackSend(track, send);
    emit sendPointChanged(name, send, c);
}

void MixerModel::applyTrackSend(int track, int send, int position, bool store)
{
    const QString name = trackName(track);
    const int p = std::clamp(position, 0, send::kPositions - 1);
    const QString label = send::label(p);
    state(name).sendPos[static_cast<size_t>(send)] = p;
    if (store) {
        settings_.setValue(name, settings::key::sendLevel(send), p);
        settings_.setValue(name, settings::key::sendValue(send), label);
    }
    sendTrackSend(track, send);
    emit sendChanged(name, send, p, label);
}

void MixerModel::applyMasterSend(int send, int position, bool store)
{
    const int p = std::clamp(position, 0, send::kPositions - 1);
    const QString label = send::label(p);
    const auto level = static_cast<int8_t>(send::dbAt(p));
    state(kMasterTrack).sendPos[static_cast<size_t>(send)] = p;
    if (store) {
        settings_.setValue(kMasterTrack, settings::key::sendLevel(send), p);
        settings_.setValue(kMasterTrack, settings::key::sendValue(send), label);
    }
    // Master sends have no tap point of their own.
    device_.set_send(kMaster, 1, kAux, static_cast<uint32_t>(send), 1, level);
    emit sendChanged(kMasterTrack, send, p, label);
}

void MixerModel::applyEqOn(const QString &name, bool on, bool store)
{
    dynamics_.setEqOn(parseStrip(name), on);
    state(name).eq = on;
    if (store)
        settings_.setValue(name, settings::key::Eq, on);
    emit eqChanged(name, on);
    if (name == selected_)
        emit equalizerRepaintRequested();
}

void MixerModel::applyCompOn(const QString &name, bool on, bool store)
{
    dynamics_.setCompOn(parseStrip(name), on);
    state(name).comp = on;
    if (store)
        settings_.setValue(name, settings::key::Comp, on);
    emit compChanged(name, on);
    if (name == selected_)
        emit compressorRepaintRequested();
}

void MixerModel::applyBypass(const QString &name, bool on, bool store)
{
    const StripRef s = parseStrip(name);
    const int first = s.kind == StripKind::Pair ? pairInfo(s.number)->first : s.number;
    const int last = s.kind == StripKind::Pair ? first + 1 : first;
    state(name).bypass = on;
    emit trueBypassChanged(name, on);
    if (on) {
        if (state(name).select) {
            setSelect(name, false);
            emit editorBypassChanged(true);
        }
    } else {
        emit editorBypassChanged(false);
    }
    for (int n = first; n <= last; ++n) {
        if (store)
            settings_.setValue(trackName(n), settings::key::TrueBypass, on);
        device_.set_truebypass(kInput, static_cast<uint32_t>(n), on);
    }
}

void MixerModel::applyFader(const QString &name, double db, bool store)
{
    const double level = std::round(std::clamp(db, fader::kMinDb, fader::kMaxDb) * 10.0) / 10.0;
    const int16_t v = fader::wire(level);
    state(name).fader = level;
    if (store)
        settings_.setValue(name, settings::key::Fader, level);
    const StripRef s = parseStrip(name);
    if (s.kind == StripKind::Master) {
        device_.set_fader(kMaster, 1, v);
        device_.set_fader(kMaster, 2, v);
    } else if (s.kind == StripKind::Mono) {
        device_.set_fader(kInput, static_cast<uint32_t>(s.number), v);
    } else if (s.kind == StripKind::Pair) {
        device_.set_fader(kInput, static_cast<uint32_t>(pairInfo(s.number)->first), v);
        device_.set_fader(kInput, static_cast<uint32_t>(pairInfo(s.number)->second), v);
    }
    emit faderChanged(name, level);
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
    emit panChanged(track, p, label);
}

void MixerModel::showPair(const QString &pair, bool StripState::*field, bool on,
                          void (MixerModel::*sig)(const QString &, bool))
{
    state(pair).*field = on;
    emit(this->*sig)(pair, on);
}

void MixerModel::showPairSend(int pair, int send, int position)
{
    const QString name = pairName(pair);
    state(name).sendPos[static_cast<size_t>(send)] = position;
    emit sendChanged(name, send, position, send::label(position));
}

void MixerModel::showPairPoint(int pair, int send, int code)
{
    const QString name = pairName(pair);
    state(name).point[static_cast<size_t>(send)] = code;
    emit sendPointChanged(name, send, code);
}

// ---------------------------------------------------------------- strip operations

bool MixerModel::setPhase(const QString &name, bool on)
{
    const StripRef s = parseStrip(name);
    if (s.kind == StripKind::Mono) {
        applyPhase(s.number, on);
        return true;
    }
    bool right = false;
    if (const int pair = parseSide(name, &right)) {
        applyPhase(right ? pairInfo(pair)->second : pairInfo(pair)->first, on);
        return true;
    }
    return false;
}

bool MixerModel::setEqOn(const QString &name, bool on)
{
    const StripKind k = parseStrip(name).kind;
    if (k != StripKind::Mono && k != StripKind::Pair)
        return false;
    applyEqOn(name, on);
    return true;
}

bool MixerModel::setCompOn(const QString &name, bool on)
{
    const StripKind k = parseStrip(name).kind;
    if (k != StripKind::Mono && k != StripKind::Pair)
        return false;
    applyCompOn(name, on);
    return true;
}

void MixerModel::muteTrack(int track, bool on)
{
    applyMute(track, on);
    const TrackInfo *t = trackInfo(track);
    if (t->odd)
        showPair(pairName(t->pair), &StripState::mute, on, &MixerModel::muteChanged);
}

bool MixerModel::setMute(const QString &name, bool on)
{
    const StripRef s = parseStrip(name);
    switch (s.kind) {
    case StripKind::Mono:
        muteTrack(s.number, on);
        return true;
    case StripKind::Pair:
        muteTrack(pairInfo(s.number)->first, on);
        muteTrack(pairInfo(s.number)->second, on);
        return true;
    case StripKind::Master:
        state(kMasterTrack).mute = on;
        settings_.setValue(kMasterTrack, settings::key::Mute, on);
        device_.set_mute(kMaster, 1, on);
        device_.set_mute(kMaster, 2, on);
        emit muteChanged(kMasterTrack, on);
        return true;
    default:
        return false;
    }
}

bool MixerModel::setSelect(const QString &name, bool on)
{
    const StripKind k = parseStrip(name).kind;
    if (k != StripKind::Mono && k != StripKind::Pair)
        return false;
    if (on && state(name).bypass)
        return false; // the select button is disabled while bypassed
    if (on) {
        if (selected_ != kNoTrack && selected_ != name) {
            state(selected_).select = false;
            emit selectChanged(selected_, false);
        }
        selected_ = name;
        state(name).select = true;
        emit selectChanged(name, true);
        emit selectionChanged(selected_);
        emit lowCutEnabledChanged(true);
        emit compressorRepaintRequested();
        settings_.setValue(name, settings::key::Select, true);
        emit editorLoadRequested(name);
    } else {
        selected_ = kNoTrack;
        state(name).select = false;
        emit selectChanged(name, false);
        emit selectionChanged(selected_);
        emit lowCutEnabledChanged(false);
        settings_.setValue(name, settings::key::Select, false);
    }
    emit compressorRepaintRequested();
    emit equalizerRepaintRequested();
    return true;
}

bool MixerModel::setChannelName(int track, const QString &text)
{
    if (track < 1 || track > kTracks)
        return false;
    const QString cut = text.left(6);
    names_[static_cast<size_t>(track - 1)] = cut;
    settings_.setValue(trackName(track), settings::key::Name, cut);
    emit channelNameChanged(track, cut);
    return true;
}

bool MixerModel::setTrueBypass(const QString &name, bool on)
{
    const StripKind k = parseStrip(name).kind;
    if (k != StripKind::Mono && k != StripKind::Pair)
        return false;
    applyBypass(name, on);
    return true;
}

void MixerModel::setPoint(const QString &name, int send, int code)
{
    const StripRef s = parseStrip(name);
    if (s.kind == StripKind::Pair) {
        const PairInfo *p = pairInfo(s.number);
        showPairPoint(p->number, send, code);
        applySendPoint(p->first, send, code);
        applySendPoint(p->second, send, code);
        return;
    }
    applySendPoint(s.number, send, code);
    const TrackInfo *t = trackInfo(s.number);
    if (t->odd)
        showPairPoint(t->pair, send, code);
}

bool MixerModel::setPre(const QString &name, int send, bool on)
{
    const StripKind k = parseStrip(name).kind;
    if ((k != StripKind::Mono && k != StripKind::Pair) || !validSend(send))
        return false;
    setPoint(name, send, on ? 2 : 1);
    return true;
}

bool MixerModel::setPost(const QString &name, int send, bool on)
{
    const StripKind k = parseStrip(name).kind;
    if ((k != StripKind::Mono && k != StripKind::Pair) || !validSend(send))
        return false;
    setPoint(name, send, on ? 3 : 1);
    return true;
}

// ---------------------------------------------------------------- levels

bool MixerModel::setFaderLevel(const QString &name, double db)
{
    if (!parseStrip(name).valid() || std::isnan(db))
        return false;
    applyFader(name, db);
    return true;
}

bool MixerModel::setPan(int track, int position)
{
    if (track < 1 || track > kTracks)
        return false;
    applyPan(track, position);
    return true;
}

bool MixerModel::resetPan(int track)
{
    return setPan(track, pan::centre(track % 2 == 1));
}

bool MixerModel::setSendLevel(const QString &name, int send, int position)
{
    const StripRef s = parseStrip(name);
    const int p = std::clamp(position, 0, send::kPositions - 1);
    if (s.kind == StripKind::Master) {
        if (send < 0 || send > kSends)
            return false;
        if (send == 0)
            reverb_.setReturnLevel(p);
        else
            applyMasterSend(send, p);
        return true;
    }
    if (!validSend(send))
        return false;
    if (s.kind == StripKind::Mono) {
        applyTrackSend(s.number, send, p);
        const TrackInfo *t = trackInfo(s.number);
        if (t->odd)
            showPairSend(t->pair, send, p);
        return true;
    }
    if (s.kind == StripKind::Pair) {
        // The stereo knob itself carries nothing to the unit; its two tracks do.
        const PairInfo *pi = pairInfo(s.number);
        showPairSend(pi->number, send, p);
        applyTrackSend(pi->first, send, p);
        applyTrackSend(pi->second, send, p);
        return true;
    }
    return false;
}

} // namespace mixer
