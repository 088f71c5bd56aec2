#include "dynamicsmodel.h"

#include "qixdevice.h"
#include "ixcmd.h"
#include "settings.h"

#include <QStringList>

#include <algorithm>

namespace mixer {
namespace {

constexpr uint32_t kInput = IXMSG_DATA_CH_INPUT;
constexpr int kLowGainWithLowCut = 255;

uint8_t knobByte(int position)
{
    return static_cast<uint8_t>(std::clamp(position, 0, kDynPositions - 1));
}

// Groups a knob of `strip` is stored under: a pair keeps its two tracks in step, so that unlinking
// hands both the values the unit holds.
QStringList groupsOf(StripRef strip)
{
    QStringList groups{stripName(strip)};
    if (strip.kind == StripKind::Pair) {
        const PairInfo *p = pairInfo(strip.number);
        groups << trackName(p->first) << trackName(p->second);
    }
    return groups;
}

// The even side that a linked odd record passes its changes to; 0 when there is none.
template <typename Record> int linkedPartner(const Record &odd, int channel)
{
    return odd.link && channel % 2 == 1 && channel < kTracks ? channel + 1 : 0;
}

} // namespace

QVector<int> channelsOf(StripRef strip)
{
    if (strip.kind == StripKind::Mono && trackInfo(strip.number))
        return {strip.number};
    if (strip.kind == StripKind::Pair && pairInfo(strip.number))
        return {pairInfo(strip.number)->first, pairInfo(strip.number)->second};
    return {};
}

int recordChannel(StripRef strip)
{
    const QVector<int> channels = channelsOf(strip);
    return channels.isEmpty() ? 0 : channels.first();
}

DynamicsModel::DynamicsModel(Settings &settings, QIXDevice &device, QObject *parent)
    : QObject(parent), settings_(settings), device_(device)
{
    for (int n = 1; n <= kTracks; ++n) {
        comp(n).channel = static_cast<uint8_t>(n);
        eq(n).channel = static_cast<uint8_t>(n);
    }
}

int DynamicsModel::position(StripRef strip, DynKnob knob) const
{
    if (!recordChannel(strip))
        return settings::defaultValue(settings::key::editorPos(int(knob)));
    return knobByte(settings_.value(stripName(strip), settings::key::editorPos(int(knob))));
}

bool DynamicsModel::lowCut(StripRef strip) const
{
    return recordChannel(strip) && settings_.value(stripName(strip), settings::key::EqLowCutFilter);
}

// ---------------------------------------------------------------- records and the unit

void DynamicsModel::sendComp(int channel)
{
    const CompRecord &r = comp(channel);
    device_.set_comp(kInput, static_cast<uint32_t>(channel), r.on, ixcmd_comp_threshold(r.threshold),
                     ixcmd_comp_ratio(r.ratio), ixcmd_comp_attack(r.attack), ixcmd_comp_release(r.release),
                     ixcmd_comp_gain(r.gain), ixcmd_comp_link(r.link != 0, r.channel));
}

void DynamicsModel::sendEqBand(int channel, int band)
{
    const EqRecord &r = eq(channel);
    const EqBandWire w = eqBandWire(r, band);
    device_.set_eq(kInput, static_cast<uint32_t>(channel), r.on, static_cast<uint32_t>(band), w.gain, w.freq,
                   w.q);
}

void DynamicsModel::sendEq(int channel)
{
    for (int band = 1; band <= 4; ++band)
        sendEqBand(channel, band);
}

void DynamicsModel::writeComp(int channel, DynKnob knob, int position)
{
    CompRecord &r = comp(channel);
    r.*compField(knob) = knobByte(position);
    r.channel = static_cast<uint8_t>(channel);
    if (r.on)
        sendComp(channel);
    if (const int even = linkedPartner(r, channel)) {
        // The unit links the two sides' detectors: every parameter follows, not only this one.
        CompRecord &e = comp(even);
        e.threshold = r.threshold;
        e.ratio = r.ratio;
        e.gain = r.gain;
        e.attack = r.attack;
        e.release = r.release;
        e.channel = static_cast<uint8_t>(even);
        if (e.on)
            sendComp(even);
    }
}

void DynamicsModel::writeEq(int channel, DynKnob knob, int position)
{
    const int band = eqBandOf(knob);
    EqRecord &r = eq(channel);
    r.*eqField(knob) = knobByte(position);
    r.channel = static_cast<uint8_t>(channel);
    if (r.on)
        sendEqBand(channel, band);
    if (const int even = linkedPartner(r, channel)) {
        EqRecord &e = eq(even);
        e.*eqField(knob) = r.*eqField(knob);
        e.channel = static_cast<uint8_t>(even);
        if (e.on)
            sendEqBand(even, band);
    }
}

void DynamicsModel::writeLowCut(int channel, bool on)
{
    for (int ch : {channel, linkedPartner(eq(channel), channel)}) {
        if (!ch)
            continue;
        EqRecord &r = eq(ch);
        r.lowCut = on;
        // Also while the EQ is off: switching it on later must not send a stale 255.
        r.lowGain = on ? kLowGainWithLowCut : 0;
        if (r.on)
            sendEqBand(ch, 1);
    }
}

// ---------------------------------------------------------------- editor

void DynamicsModel::storeKnob(const QString &group, DynKnob knob, int position)
{
    const int k = int(knob);
    const QString shown = dynLabel(knob, position);
    settings_.setValue(group, settings::key::editorPos(k), position);
    if (settings::key::editorShowsNumber(k))
        settings_.setValue(group, settings::key::editorNumber(k), shown.toInt());
    else
        settings_.setValue(group, settings::key::editorText(k), shown);
}

void DynamicsModel::store(StripRef strip, DynKnob knob, int position)
{
    for (const QString &group : groupsOf(strip))
        storeKnob(group, knob, position);
}

bool DynamicsModel::setKnob(StripRef strip, DynKnob knob, int position)
{
    const int channel = recordChannel(strip);
    if (!channel || (knob == DynKnob::LowGain && lowCut(strip)))
        return false;
    const int p = knobByte(position);
    store(strip, knob, p);
    if (isCompKnob(knob))
        writeComp(channel, knob, p);
    else
        writeEq(channel, knob, p);
    emit knobChanged(strip, knob, p, dynLabel(knob, p));
    return true;
}

bool DynamicsModel::setLowCut(StripRef strip, bool on)
{
    const int channel = recordChannel(strip);
    if (!channel)
        return false;
    for (const QString &group : groupsOf(strip))
        settings_.setValue(group, settings::key::EqLowCutFilter, on);
    store(strip, DynKnob::LowGain, 0);
    writeLowCut(channel, on);
    emit lowCutChanged(strip, on);
    emit knobChanged(strip, DynKnob::LowGain, 0, dynLabel(DynKnob::LowGain, 0));
    return true;
}

// ---------------------------------------------------------------- strip switches and link

bool DynamicsModel::setEqOn(StripRef strip, bool on)
{
    const QVector<int> channels = channelsOf(strip);
    for (int ch : channels) {
        EqRecord &r = eq(ch);
        r.on = on;
        if (r.lowCut)
            r.lowGain = kLowGainWithLowCut;
        sendEq(ch);
    }
    return !channels.isEmpty();
}

bool DynamicsModel::setCompOn(StripRef strip, bool on)
{
    const QVector<int> channels = channelsOf(strip);
    for (int ch : channels) {
        comp(ch).on = on;
        sendComp(ch);
    }
    return !channels.isEmpty();
}

void DynamicsModel::setLinked(int pair, bool on)
{
    const PairInfo *p = pairInfo(pair);
    if (!p)
        return;
    for (int ch : {p->first, p->second})
        comp(ch).link = eq(ch).link = on;
    if (on) {
        copyCompParams(comp(p->first), comp(p->second));
        copyEqParams(eq(p->first), eq(p->second));
    }
}

void DynamicsModel::copyKeys(StripRef from, StripRef to)
{
    if (!recordChannel(from) || !recordChannel(to))
        return;
    const QString group = stripName(to);
    for (int i = 0; i < kDynKnobs; ++i) {
        const DynKnob knob = dynKnobAt(i);
        storeKnob(group, knob, position(from, knob));
    }
    settings_.setValue(group, settings::key::EqLowCutFilter, lowCut(from));
}

void DynamicsModel::loadTrack(int track, bool linked)
{
    const TrackInfo *t = trackInfo(track);
    if (!t)
        return;
    // A linked pair shows, and so sends, what its own group holds.
    const StripRef from = linked ? StripRef{StripKind::Pair, t->pair} : StripRef{StripKind::Mono, track};
    CompRecord &c = comp(track);
    EqRecord &e = eq(track);
    for (int i = 0; i < kDynKnobs; ++i) {
        const DynKnob knob = dynKnobAt(i);
        const uint8_t p = knobByte(position(from, knob));
        if (isCompKnob(knob))
            c.*compField(knob) = p;
        else
            e.*eqField(knob) = p;
    }
    e.lowCut = lowCut(from);
    if (e.lowCut)
        e.lowGain = kLowGainWithLowCut;
    c.link = e.link = linked;
    c.channel = e.channel = static_cast<uint8_t>(track);
}

} // namespace mixer
