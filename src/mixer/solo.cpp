// Solo is carried out by muting every other mono track; the unit's own solo is never used.
#include "mixermodel.h"

#include "settings.h"

namespace mixer {

bool MixerModel::setSolo(StripRef strip, bool on)
{
    if (strip.kind == StripKind::Mono && trackInfo(strip.number)) {
        soloTrack(strip.number, on, false);
        return true;
    }
    if (strip.kind == StripKind::Pair && pairInfo(strip.number)) {
        soloPair(*pairInfo(strip.number), on);
        return true;
    }
    return false;
}

void MixerModel::soloTrack(int track, bool on, bool fromStereo)
{
    const TrackInfo *t = trackInfo(track);
    state(monoRef(track)).solo = on;
    settings_.setValue(t->name, settings::key::Solo, on);
    emit events(monoRef(track)).soloChanged(on);
    if (t->odd)
        showPairSolo(t->pair, on);

    bool another = false;
    for (int n = 1; n <= kTracks; ++n)
        another = another || (n != track && mono_[static_cast<size_t>(n - 1)].solo);

    // The stereo strip's mute button follows only when the stereo strip started this.
    const auto muteSelf = [&](bool mute) {
        applyMute(track, mute);
        if (fromStereo)
            showPairMute(t->pair, mute);
    };

    if (on) {
        if (!another) {
            for (int n = 1; n <= kTracks; ++n)
                muteBeforeSolo_[static_cast<size_t>(n - 1)] = mono_[static_cast<size_t>(n - 1)].mute;
            for (int n = 1; n <= kTracks; ++n) {
                if (n != track)
                    muteTrack(n, true);
            }
        }
        muteSelf(false);
        return;
    }
    if (another) {
        muteBeforeSolo_[static_cast<size_t>(track - 1)] = false;
        muteSelf(true);
        return;
    }
    // The stereo strips follow their odd tracks here too, so a later link shows what the unit holds.
    for (int n = 1; n <= kTracks; ++n) {
        if (!muteBeforeSolo_[static_cast<size_t>(n - 1)])
            muteTrack(n, false);
    }
    if (muteBeforeSolo_[static_cast<size_t>(track - 1)])
        muteSelf(true);
}

void MixerModel::soloPair(const PairInfo &p, bool on)
{
    pair_[static_cast<size_t>(p.number - 1)].solo = on;
    emit events(pairRef(p.number)).soloChanged(on);
    soloTrack(p.first, on, true);
    soloTrack(p.second, on, true);
    // Both sides of a linked pair end with the same mute state.
    if (mono_[static_cast<size_t>(p.second - 1)].mute)
        muteTrack(p.first, true);
}

} // namespace mixer
