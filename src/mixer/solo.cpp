// Solo is carried out by muting every other mono track; the unit's own solo is never used.
#include "mixermodel.h"

#include "settings.h"

namespace mixer {

bool MixerModel::setSolo(const QString &name, bool on)
{
    const StripRef s = parseStrip(name);
    if (s.kind == StripKind::Mono) {
        soloTrack(s.number, on, false);
        return true;
    }
    if (s.kind == StripKind::Pair) {
        soloPair(*pairInfo(s.number), on);
        return true;
    }
    return false;
}

void MixerModel::soloTrack(int track, bool on, bool fromStereo)
{
    const TrackInfo *t = trackInfo(track);
    const QString name = t->name;
    const QString pair = pairName(t->pair);
    state(name).solo = on;
    settings_.setValue(name, settings::key::Solo, on);
    emit soloChanged(name, on);
    if (t->odd)
        showPair(pair, &StripState::solo, on, &MixerModel::soloChanged);

    bool another = false;
    for (int n = 1; n <= kTracks; ++n)
        another = another || (n != track && state(trackName(n)).solo);

    // The stereo strip's mute button follows only when the stereo strip started this.
    const auto muteSelf = [&](bool mute) {
        applyMute(track, mute);
        if (fromStereo)
            showPair(pair, &StripState::mute, mute, &MixerModel::muteChanged);
    };

    if (on) {
        if (!another) {
            for (int n = 1; n <= kTracks; ++n)
                muteBeforeSolo_[static_cast<size_t>(n - 1)] = state(trackName(n)).mute;
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
    state(p.name).solo = on;
    emit soloChanged(p.name, on);
    soloTrack(p.first, on, true);
    soloTrack(p.second, on, true);
    // Both sides of a linked pair end with the same mute state.
    if (state(trackName(p.second)).mute)
        muteTrack(p.first, true);
}

} // namespace mixer
