// Stereo link: two neighbouring mono strips merge into one stereo strip that drives both channels.
#include "mixermodel.h"

#include "settings.h"

namespace mixer {

bool MixerModel::setLink(int pair, bool on)
{
    const PairInfo *p = pairInfo(pair);
    if (!p)
        return false;
    if (on)
        linkOn(*p);
    else
        linkOff(*p);
    return true;
}

void MixerModel::setLinkFlags(const PairInfo &p, bool on)
{
    linked_[static_cast<size_t>(p.number - 1)] = on;
    dynamics_.setLinked(p.number, on);
}

void MixerModel::linkOn(const PairInfo &p)
{
    const QString a = trackName(p.first);
    const QString b = trackName(p.second);
    settings_.setValue(p.name, settings::key::Link, true);
    setLinkFlags(p, true);

    applyEqOn(p.name, state(a).eq);
    applyCompOn(p.name, state(a).comp);
    applyBypass(p.name, state(a).bypass);

    const bool muteA = state(a).mute;
    const bool muteB = state(b).mute;
    const bool soloA = state(a).solo;
    if (soloA != state(b).solo) {
        muteBeforeSolo_[static_cast<size_t>(p.first - 1)] = true;
        soloTrack(p.second, soloA, false);
        showPair(p.name, &StripState::solo, soloA, &MixerModel::soloChanged);
    }
    if (muteA != muteB)
        applyMute(p.second, muteA);
    // Also when both agree: a button must never keep a state from before the link.
    showPair(p.name, &StripState::mute, state(a).mute, &MixerModel::muteChanged);

    applyFader(p.name, state(a).fader);
    dynamics_.copyKeys({StripKind::Mono, p.first}, {StripKind::Pair, p.number});

    if (state(a).select || state(b).select)
        setSelect(p.name, true);

    // Pan needs nothing here: the stereo knobs are the tracks' own pans.
    for (int s = 1; s <= kSends; ++s) {
        showPairSend(p.number, s, state(a).sendPos[static_cast<size_t>(s)]);
        const int code = settings_.value(a, settings::key::sendPoint(s));
        applySendPoint(p.second, s, code == 2 || code == 3 ? code : 1);
        showPairPoint(p.number, s, state(a).point[static_cast<size_t>(s)]);
    }
    emit linkChanged(p.number, true);
}

void MixerModel::linkOff(const PairInfo &p)
{
    const QString a = trackName(p.first);
    const QString b = trackName(p.second);
    const StripState stereo = state(p.name);
    settings_.setValue(p.name, settings::key::Link, false);
    setLinkFlags(p, false);

    settings_.setValue(p.name, settings::key::Eq, stereo.eq);
    settings_.setValue(p.name, settings::key::Comp, stereo.comp);
    applyEqOn(a, stereo.eq);
    applyEqOn(b, stereo.eq);
    applyCompOn(a, stereo.comp);
    applyCompOn(b, stereo.comp);
    applyBypass(a, stereo.bypass);
    applyBypass(b, stereo.bypass);

    applyFader(a, stereo.fader);
    applyFader(b, stereo.fader);
    for (int track : {p.first, p.second})
        dynamics_.copyKeys({StripKind::Pair, p.number}, {StripKind::Mono, track});
    emit linkChanged(p.number, false);
}

} // namespace mixer
