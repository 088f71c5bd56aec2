// The compressor and equaliser of every mixer input: the per-channel records that mirror what the unit
// holds, the editor's knob positions stored per strip, the low-cut filter, and the copies a stereo link
// makes. Every change stores through Settings and, while the record is on, sends through QIXDevice.
//
// GUI thread only. Strips are addressed by StripRef: a mono track or a stereo pair; any other strip is
// refused (false, nothing changed). A pair's record is its odd channel's; while linked, the odd record
// carries every change over to the even one.
#pragma once

#include "dynrecords.h"
#include "tracks.h"

#include <QObject>
#include <QVector>

#include <array>

class QIXDevice;
class Settings;

namespace mixer {

class DynamicsModel : public QObject {
    Q_OBJECT

public:
    // `settings` and `device` are not owned and must outlive the model.
    DynamicsModel(Settings &settings, QIXDevice &device, QObject *parent = nullptr);

    // Stored position of `knob` on `strip`, the knob's default where nothing usable is stored.
    int position(StripRef strip, DynKnob knob) const;
    bool lowCut(StripRef strip) const;

    // A knob of the editor turned to `position` (clamped) while `strip` is selected: stores position and
    // display under the strip (and under both tracks of a pair), writes the record and sends the band or
    // the compressor while the record is on. The low gain is fixed while the low-cut filter replaces it.
    bool setKnob(StripRef strip, DynKnob knob, int position);
    // The low-cut filter of `strip`: the low band goes out with gain 255 while on, and the low gain
    // returns to its lowest position both ways.
    bool setLowCut(StripRef strip, bool on);

    // The strip's EQ / compressor switch: the records of its channels (both for a pair) switched and
    // sent whole, whatever the previous state.
    bool setEqOn(StripRef strip, bool on);
    bool setCompOn(StripRef strip, bool on);

    // Stereo link of pair 1..10: the link flags of both channels; linking copies the odd channel's
    // records into the even one's. Nothing is sent here: the link's switches send.
    void setLinked(int pair, bool on);
    // Copies every knob's position and display and the low-cut state between strips' groups.
    void copyKeys(StripRef from, StripRef to);
    // Fills the records of input `track` from the stored keys: its own group, or its pair's group while
    // the pair is linked. Nothing is sent.
    void loadTrack(int track, bool linked);

signals:
    void knobChanged(mixer::StripRef strip, mixer::DynKnob knob, int position, const QString &label);
    // Always followed by the low gain's knobChanged: switching the cut resets that gain.
    void lowCutChanged(mixer::StripRef strip, bool on);

private:
    CompRecord &comp(int channel) { return comp_[static_cast<size_t>(channel - 1)]; }
    EqRecord &eq(int channel) { return eq_[static_cast<size_t>(channel - 1)]; }
    void store(StripRef strip, DynKnob knob, int position);
    // The knob's position and what it shows, under `group`.
    void storeKnob(const QString &group, DynKnob knob, int position);
    void writeComp(int channel, DynKnob knob, int position);
    void writeEq(int channel, DynKnob knob, int position);
    void writeLowCut(int channel, bool on);
    void sendComp(int channel);
    void sendEqBand(int channel, int band);
    void sendEq(int channel);

    Settings &settings_;
    QIXDevice &device_;
    std::array<CompRecord, kTracks> comp_{};
    std::array<EqRecord, kTracks> eq_{};
};

// The input channels a strip's switches address: one for a mono track, two for a pair, none otherwise.
QVector<int> channelsOf(StripRef strip);
// The channel whose record a strip's editor edits (a pair's odd channel); 0 when it has none.
int recordChannel(StripRef strip);

} // namespace mixer
