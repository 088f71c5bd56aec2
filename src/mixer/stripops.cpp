// The strip operations: one call per user change, with the mirroring rules between a pair's mono strips
// and its stereo strip.
#include "mixermodel.h"

#include "qixdevice.h"
#include "scales.h"
#include "settings.h"

#include <algorithm>
#include <cmath>

namespace mixer {
namespace {
bool validSend(int send)
{
    return send >= 1 && send <= kSends;
}

bool monoOrPair(StripRef strip)
{
    return (strip.kind == StripKind::Mono && trackInfo(strip.number)) ||
           (strip.kind == StripKind::Pair && pairInfo(strip.number));
}
} // namespace

bool MixerModel::setPhase(StripRef strip, Side side, bool on)
{
    const StripRef t = trackOf(strip, side);
    if (!t.valid())
        return false;
    applyPhase(t.number, on);
    return true;
}

bool MixerModel::setEqOn(StripRef strip, bool on)
{
    if (!monoOrPair(strip))
        return false;
    applyEqOn(strip, on);
    return true;
}

bool MixerModel::setCompOn(StripRef strip, bool on)
{
    if (!monoOrPair(strip))
        return false;
    applyCompOn(strip, on);
    return true;
}

void MixerModel::muteTrack(int track, bool on)
{
    applyMute(track, on);
    const TrackInfo *t = trackInfo(track);
    if (t->odd)
        showPairMute(t->pair, on);
}

bool MixerModel::setMute(StripRef strip, bool on)
{
    if (strip.kind == StripKind::Master) {
        master_.mute = on;
        settings_.setValue(kMasterTrack, settings::key::Mute, on);
        device_.set_mute(IXMSG_DATA_CH_MASTER, 1, on);
        device_.set_mute(IXMSG_DATA_CH_MASTER, 2, on);
        emit masterEvents_->muteChanged(on);
        return true;
    }
    if (!monoOrPair(strip))
        return false;
    if (strip.kind == StripKind::Mono) {
        muteTrack(strip.number, on);
    } else {
        muteTrack(pairInfo(strip.number)->first, on);
        muteTrack(pairInfo(strip.number)->second, on);
    }
    return true;
}

bool MixerModel::setSelect(StripRef strip, bool on)
{
    if (!monoOrPair(strip))
        return false;
    if (on && state(strip).bypass)
        return false; // the select button is disabled while bypassed
    if (on)
        select(strip);
    else
        deselect(strip);
    emit compressorRepaintRequested();
    emit equalizerRepaintRequested();
    return true;
}

void MixerModel::select(StripRef strip)
{
    if (selected_ && *selected_ != strip) {
        state(*selected_).select = false;
        emit events(*selected_).selectChanged(false);
    }
    selected_ = strip;
    state(strip).select = true;
    emit events(strip).selectChanged(true);
    emit selectionChanged();
    emit lowCutEnabledChanged(true);
    settings_.setValue(group(strip), settings::key::Select, true);
    emit editorLoadRequested(strip);
}

// A strip that takes the edited one's place on screen takes the editor; a bypassed heir lets it go as
// bypassing the edited strip does, never leaving the editor on a strip that no longer shows.
void MixerModel::handEditorTo(StripRef heir)
{
    if (setSelect(heir, true))
        return;
    if (selected_)
        setSelect(*selected_, false);
    emit editorBypassChanged(true);
}

void MixerModel::deselect(StripRef strip)
{
    selected_.reset();
    state(strip).select = false;
    emit events(strip).selectChanged(false);
    emit selectionChanged();
    emit lowCutEnabledChanged(false);
    settings_.setValue(group(strip), settings::key::Select, false);
}

bool MixerModel::setChannelName(StripRef mono, const QString &text)
{
    if (mono.kind != StripKind::Mono || !trackInfo(mono.number))
        return false;
    const QString cut = text.left(6);
    names_[static_cast<size_t>(mono.number - 1)] = cut;
    settings_.setValue(group(mono), settings::key::Name, cut);
    emit events(mono).nameChanged(cut);
    return true;
}

bool MixerModel::setTrueBypass(StripRef strip, bool on)
{
    if (!monoOrPair(strip))
        return false;
    applyBypass(strip, on);
    return true;
}

void MixerModel::setPoint(StripRef strip, int send, int code)
{
    if (strip.kind == StripKind::Pair) {
        const PairInfo *p = pairInfo(strip.number);
        showPairPoint(p->number, send, code);
        applySendPoint(p->first, send, code);
        applySendPoint(p->second, send, code);
        return;
    }
    applySendPoint(strip.number, send, code);
    const TrackInfo *t = trackInfo(strip.number);
    if (t->odd)
        showPairPoint(t->pair, send, code);
}

bool MixerModel::setPre(StripRef strip, int send, bool on)
{
    if (!monoOrPair(strip) || !validSend(send))
        return false;
    setPoint(strip, send, on ? 2 : 1);
    return true;
}

bool MixerModel::setPost(StripRef strip, int send, bool on)
{
    if (!monoOrPair(strip) || !validSend(send))
        return false;
    setPoint(strip, send, on ? 3 : 1);
    return true;
}

// ---------------------------------------------------------------- levels

bool MixerModel::setFaderLevel(StripRef strip, double db)
{
    if (!(monoOrPair(strip) || strip == masterRef()) || std::isnan(db))
        return false;
    applyFader(strip, db);
    return true;
}

bool MixerModel::setPan(StripRef strip, Side side, int position)
{
    const StripRef t = trackOf(strip, side);
    if (!t.valid())
        return false;
    applyPan(t.number, position);
    return true;
}

bool MixerModel::setSendLevel(StripRef strip, int send, int position)
{
    const int p = std::clamp(position, 0, send::kPositions - 1);
    if (strip == masterRef()) {
        if (send < 0 || send > kSends)
            return false;
        if (send == 0)
            reverb_.setReturnLevel(p);
        else
            applyMasterSend(send, p);
        return true;
    }
    if (!monoOrPair(strip) || !validSend(send))
        return false;
    if (strip.kind == StripKind::Mono) {
        applyTrackSend(strip.number, send, p);
        const TrackInfo *t = trackInfo(strip.number);
        if (t->odd)
            showPairSend(t->pair, send, p);
        return true;
    }
    // The stereo knob itself carries nothing to the unit; its two tracks do.
    const PairInfo *pi = pairInfo(strip.number);
    showPairSend(pi->number, send, p);
    applyTrackSend(pi->first, send, p);
    applyTrackSend(pi->second, send, p);
    return true;
}

} // namespace mixer
