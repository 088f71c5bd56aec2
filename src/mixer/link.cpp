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
    const StripRef stereo = pairRef(p.number);
    const StripState &a = state(monoRef(p.first));
    const StripState &b = state(monoRef(p.second));
    settings_.setValue(p.name, settings::key::Link, true);
    setLinkFlags(p, true);

    applyEqOn(stereo, a.eq);
    applyCompOn(stereo, a.comp);
    applyBypass(stereo, a.bypass);

    const bool muteA = a.mute;
    const bool muteB = b.mute;
    const bool soloA = a.solo;
    if (soloA != b.solo) {
        muteBeforeSolo_[static_cast<size_t>(p.first - 1)] = true;
        soloTrack(p.second, soloA, false);
        showPairSolo(p.number, soloA);
    }
    if (muteA != muteB)
        applyMute(p.second, muteA);
    // Also when both agree: a button must never keep a state from before the link.
    showPairMute(p.number, a.mute);

    applyFader(stereo, a.fader);
    dynamics_.copyKeys(monoRef(p.first), stereo);

    if (a.select || b.select)
        handEditorTo(stereo); // with B selected and A bypassed, nothing stays edited

    // Pan needs nothing here: the stereo knobs are the tracks' own pans.
    for (int s = 1; s <= kSends; ++s) {
        showPairSend(p.number, s, a.sendPos[static_cast<size_t>(s)]);
        const int code = settings_.value(trackName(p.first), settings::key::sendPoint(s));
        applySendPoint(p.second, s, code == 2 || code == 3 ? code : 1);
        showPairPoint(p.number, s, a.point[static_cast<size_t>(s)]);
    }
    emit events(stereo).linkChanged(true);
}

void MixerModel::linkOff(const PairInfo &p)
{
    const StripRef a = monoRef(p.first);
    const StripRef b = monoRef(p.second);
    const StripRef pair = pairRef(p.number);
    const StripState stereo = state(pair);
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
    for (const StripRef track : {a, b})
        dynamics_.copyKeys(pair, track);
    // The stereo strip leaves the screen: its odd strip, which now holds its values, takes the editor,
    // as linking hands a selected side's editor to the stereo strip.
    if (state(pair).select)
        setSelect(a, true);
    emit events(pair).linkChanged(false);
}

} // namespace mixer
