// Bringing the strips and the unit back to the stored state. Reads only; every unit parameter of the
// strip is sent again (the full load has reset the device object's memory of what the unit holds).
#include "mixermodel.h"

#include "qixdevice.h"
#include "scales.h"
#include "settings.h"

#include <algorithm>

namespace mixer {
namespace {
// A stored pan off the track's own lane cannot be shown there; the lane's centre replaces it.
int storedPan(const Settings &settings, int track)
{
    const bool odd = track % 2 == 1;
    const int p = settings.value(trackName(track), settings::key::PanPos);
    return pan::clampToLane(p, odd) == p ? p : pan::centre(odd);
}
} // namespace

// The order within a strip follows the restore order of the kinds: solo, mute, phase, dynamics,
// send points and sends, pan; then what the unit needs besides (fader, bypass).
void MixerModel::loadTrack(int track, bool linked)
{
    const StripRef strip = monoRef(track);
    const QString name = trackName(track);
    StripState &st = state(strip);
    restoreSelect(strip, !linked);
    st.solo = settings_.value(name, settings::key::Solo);
    emit events(strip).soloChanged(st.solo);
    applyMute(track, settings_.value(name, settings::key::Mute), false);
    applyPhase(track, settings_.value(name, settings::key::Phase), false);

    dynamics_.loadTrack(track, linked);
    applyCompOn(strip, settings_.value(name, settings::key::Comp), false);
    applyEqOn(strip, settings_.value(name, settings::key::Eq), false);

    for (int s = 1; s <= kSends; ++s) {
        st.point[static_cast<size_t>(s)] = settings_.value(name, settings::key::sendPoint(s));
        st.sendPos[static_cast<size_t>(s)] =
            std::clamp(settings_.value(name, settings::key::sendLevel(s)), 0, send::kPositions - 1);
        applySendPoint(track, s, st.point[static_cast<size_t>(s)], false);
        applyTrackSend(track, s, st.sendPos[static_cast<size_t>(s)], false);
    }
    applyPan(track, storedPan(settings_, track), false);
    applyFader(strip, settings_.value(name, settings::key::Fader), false);
    applyBypass(strip, settings_.value(name, settings::key::TrueBypass), false);
    if (st.select)
        emit editorLoadRequested(strip);
}

// A reload keeps the strip being edited while that strip still shows, and tells every strip.
void MixerModel::restoreSelect(StripRef strip, bool shown)
{
    if (selected_ == strip && !shown)
        setSelect(strip, false);
    state(strip).select = selected_ == strip;
    emit events(strip).selectChanged(state(strip).select);
}

void MixerModel::loadMonoTrack(int track)
{
    const TrackInfo *t = trackInfo(track);
    if (!t)
        return;
    // A pair unlinked by the reload (an undo, a scene) hands the editor to its odd strip, as the link
    // button does.
    const bool heir = t->odd && selected_ == pairRef(t->pair);
    if (t->odd) {
        linked_[static_cast<size_t>(t->pair - 1)] = false;
        emit events(pairRef(t->pair)).linkChanged(false);
        restoreSelect(pairRef(t->pair), false);
    }
    loadTrack(track, false);
    if (heir)
        handEditorTo(monoRef(track));
}

void MixerModel::loadLinkedPair(int pair)
{
    const PairInfo *p = pairInfo(pair);
    if (!p)
        return;
    const StripRef stereo = pairRef(pair);
    const bool heir = selected_ == monoRef(p->first) || selected_ == monoRef(p->second);
    linked_[static_cast<size_t>(pair - 1)] = true;
    emit events(stereo).linkChanged(true);
    loadTrack(p->first, true);
    loadTrack(p->second, true);

    // The stereo strip's buttons come from the pair group; its records are its two channels'.
    const StripState &a = state(monoRef(p->first));
    restoreSelect(stereo, true);
    showPairSolo(pair, a.solo);
    showPairMute(pair, a.mute);
    applyCompOn(stereo, settings_.value(p->name, settings::key::Comp), false);
    applyEqOn(stereo, settings_.value(p->name, settings::key::Eq), false);
    for (int s = 1; s <= kSends; ++s) {
        showPairPoint(pair, s, a.point[static_cast<size_t>(s)]);
        showPairSend(pair, s, a.sendPos[static_cast<size_t>(s)]);
    }
    applyFader(stereo, settings_.value(p->name, settings::key::Fader), false);
    StripState &st = state(stereo);
    st.bypass = settings_.value(trackName(p->first), settings::key::TrueBypass);
    emit events(stereo).trueBypassChanged(st.bypass);
    if (st.select && st.bypass) {
        setSelect(stereo, false);
        emit editorBypassChanged(true);
    } else if (st.select) {
        emit editorLoadRequested(stereo);
    } else if (heir) {
        handEditorTo(stereo);
    }
}

void MixerModel::loadMaster()
{
    StripState &st = master_;
    st.mute = settings_.value(kMasterTrack, settings::key::Mute);
    device_.set_mute(IXMSG_DATA_CH_MASTER, 1, st.mute);
    device_.set_mute(IXMSG_DATA_CH_MASTER, 2, st.mute);
    emit masterEvents_->muteChanged(st.mute);
    applyFader(masterRef(), settings_.value(kMasterTrack, settings::key::Fader), false);
    for (int s = 1; s <= kSends; ++s)
        applyMasterSend(s, settings_.value(kMasterTrack, settings::key::sendLevel(s)), false);
    reverb_.load();
}

void MixerModel::loadAll()
{
    // The device object drops values equal to what it last sent; after a reconnection or a replaced
    // file the unit may hold anything, so everything goes out again.
    device_.reset_params();
    // Cleared once here, not by each strip loaded: an edited strip that comes back bypassed says so
    // whichever strip is loaded after it.
    emit editorBypassChanged(false);
    for (int pair = 1; pair <= kPairs; ++pair) {
        if (settings_.value(pairName(pair), settings::key::Link)) {
            loadLinkedPair(pair);
        } else {
            loadMonoTrack(2 * pair - 1);
            loadMonoTrack(2 * pair);
        }
    }
    loadMaster();
    for (int track = 1; track <= kTracks; ++track) {
        names_[static_cast<size_t>(track - 1)] = settings_.value(trackName(track), settings::key::Name).left(6);
        emit events(monoRef(track)).nameChanged(names_[static_cast<size_t>(track - 1)]);
    }
    emit loaded();
}

} // namespace mixer
