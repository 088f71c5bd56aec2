// The mixer page's state and rules without widgets: per-strip switches, stereo link, solo by muting,
// selection for the editor, true bypass, send points, fader/pan/send levels, channel names and which
// pair containers are visible.
//
// Every change, from a widget, a remote client, an undo step or a full load, is one call here: the
// model stores it through Settings, sends it through QIXDevice and tells the strips it touched. A strip
// is named by its StripRef only; the stereo strip's phase and pan knobs are its two tracks', named by
// the side. Operations given a strip they do not apply to do nothing and return false.
//
// GUI thread only. Each strip's changes arrive on that strip's own StripEvents; a notice is sent for
// every state an operation touches (also when the value did not change), and nothing the model emits
// calls back into it, so a widget that sets its own state from a notice without re-emitting its user
// signal (clicked, sliderMoved ...) cannot loop.
#pragma once

#include "dynamicsmodel.h"
#include "reverbmodel.h"
#include "tracks.h"
#include "unitmodel.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class QIXDevice;
class Settings;

namespace mixer {

// What one strip shows changed. The model owns one per strip; a strip widget listens to its own.
class StripEvents : public QObject {
    Q_OBJECT

signals:
    void phaseChanged(mixer::Side side, bool on); // Side::None on a mono strip
    void eqChanged(bool on);
    void compChanged(bool on);
    void muteChanged(bool on);
    void soloChanged(bool on);
    void selectChanged(bool on);
    // The strip's phase/EQ/comp/select buttons are disabled while bypassed.
    void trueBypassChanged(bool on);
    void linkChanged(bool on); // a stereo strip: shown (linked) or its two mono strips
    void sendPointChanged(int send, int code);
    void faderChanged(double db);
    void panChanged(mixer::Side side, int position, const QString &label);
    // send 1..4; the master's send 0 is the reverb return.
    void sendChanged(int send, int position, const QString &label);
    void nameChanged(const QString &text);
};

class MixerModel : public QObject {
    Q_OBJECT

public:
    // `settings` and `device` are not owned and must outlive the model. Nothing is read or sent here;
    // call loadAll() for that.
    MixerModel(Settings &settings, QIXDevice &device, QObject *parent = nullptr);
    ~MixerModel() override;

    // The notices of `strip`, which must be valid.
    StripEvents &events(StripRef strip);

    // ---- State, as the strips show it. A pair gives the stereo strip's own buttons.
    bool phase(StripRef strip, Side side = Side::None) const; // mono, or a pair's side
    bool eqOn(StripRef strip) const;                           // mono or pair
    bool compOn(StripRef strip) const;
    bool mute(StripRef strip) const; // mono, pair or master
    bool solo(StripRef strip) const; // mono or pair
    bool selected(StripRef strip) const;
    bool trueBypass(StripRef strip) const;
    bool pairLinked(int pair) const;
    // The strip the editor edits; none when no strip is selected.
    std::optional<StripRef> selection() const { return selected_; }
    QString channelName(StripRef mono) const;
    // Send point code 1 (neither), 2 (pre), 3 (post) of a mono track or (display) of a stereo strip.
    int sendPoint(StripRef strip, int send) const;
    double faderLevel(StripRef strip) const; // mono, pair or master
    int panPosition(StripRef strip, Side side = Side::None) const;
    // Send knob position of a mono track, stereo strip (display only) or master; send 1..4, and for
    // the master also 0 = reverb return.
    int sendPosition(StripRef strip, int send) const;
    // The compressor and EQ records and the editor's knobs; owned by this model.
    DynamicsModel &dynamics() { return dynamics_; }
    const DynamicsModel &dynamics() const { return dynamics_; }
    // The reverb with its switch and return; the master's send 0 is its return.
    ReverbModel &reverb() { return reverb_; }
    const ReverbModel &reverb() const { return reverb_; }

    // ---- Strip operations (the handlers of the strip buttons, with their mirroring rules).
    bool setPhase(StripRef strip, Side side, bool on); // mono with Side::None, or a pair's side
    bool setEqOn(StripRef strip, bool on);             // mono or pair
    bool setCompOn(StripRef strip, bool on);           // mono or pair
    bool setMute(StripRef strip, bool on);             // mono, pair or master
    bool setSolo(StripRef strip, bool on);             // mono or pair
    bool setSelect(StripRef strip, bool on);           // mono or pair
    bool setLink(int pair, bool on);
    bool setChannelName(StripRef mono, const QString &text); // cut to 6 characters
    bool setTrueBypass(StripRef strip, bool on);             // mono or pair
    // Pre/post buttons of send 1..4 pressed to `on` (mono or pair).
    bool setPre(StripRef strip, int send, bool on);
    bool setPost(StripRef strip, int send, bool on);

    // ---- Levels. The label is derived from the position by the scales.
    bool setFaderLevel(StripRef strip, double db); // mono, pair or master
    // Pan of a mono track, or of a stereo strip's side (its track), at lane position `position`
    // (clamped into the track's lane).
    bool setPan(StripRef strip, Side side, int position);
    // Send knob of a mono track, stereo strip or master (send 1..4), or the reverb return (master,
    // send 0). Position clamped to 0..127.
    bool setSendLevel(StripRef strip, int send, int position);

    // ---- Visible pair containers.
    // The unit's model, as the unit status tells it after a full load.
    void setUnitModel(UnitModel model);
    // The class of the unit's rate (1, 2, 4); anything else, or the class already shown, changes nothing.
    void setRateClass(int rateClass);
    int rateClass() const { return rateClass_; } // 1, 2 or 4
    bool pairVisible(int pair) const;

    // ---- The full load: brings the strips and the unit back to the stored mixer state (start-up,
    // reconnection, "Initialize", scene load). Every unit parameter is sent again, even where the device
    // object believes the unit has it; nothing is written. Pairs 1..10 in turn (a linked pair as its
    // stereo strip, else its two mono tracks), then the master with the reverb, then the channel names;
    // emits loaded() at the end.
    void loadAll();

signals:
    // The editor's strip changed (selection() tells which, if any).
    void selectionChanged();
    void visibleChannelsChanged();
    void rateClassChanged(int rateClass);
    // Editor side: the selected strip was bypassed (titles "Bypass", value labels hidden) or a strip
    // was un-bypassed (titles empty, labels shown).
    void editorBypassChanged(bool bypassed);
    void lowCutEnabledChanged(bool enabled);
    void compressorRepaintRequested();
    void equalizerRepaintRequested();
    // A strip became selected: the editor knobs load from its group.
    void editorLoadRequested(mixer::StripRef strip);
    // The full load has run: what lies outside the strips (routing, menus, curves) follows the store.
    void loaded();

private:
    struct StripState {
        bool phase = false, eq = false, comp = false, solo = false, mute = false, select = false;
        bool bypass = false;
        double fader = 0.0;
        std::array<int, kSends + 1> point{{1, 1, 1, 1, 1}}; // index 1..4
        std::array<int, kSends + 1> sendPos{};              // index 1..4
    };
    StripState &state(StripRef strip);
    const StripState &state(StripRef strip) const;
    // The mono track a strip's side names: the strip itself, or a pair's odd or even track.
    static StripRef trackOf(StripRef strip, Side side);
    QString group(StripRef strip) const { return stripName(strip); }

    // Primitives: set the state, store it, send it, tell. No mirroring onto other strips.
    void applyMute(int track, bool on, bool store = true);
    void applyPhase(int track, bool on, bool store = true);
    void applySendPoint(int track, int send, int code, bool store = true);
    void applyTrackSend(int track, int send, int position, bool store = true);
    void applyEqOn(StripRef strip, bool on, bool store = true);
    void applyCompOn(StripRef strip, bool on, bool store = true);
    void applyBypass(StripRef strip, bool on, bool store = true);
    void applyFader(StripRef strip, double db, bool store = true);
    void applyPan(int track, int position, bool store = true);
    void applyMasterSend(int send, int position, bool store = true);
    void showPairMute(int pair, bool on);
    void showPairSolo(int pair, bool on);
    void showPairSend(int pair, int send, int position);
    void showPairPoint(int pair, int send, int code);
    void sendTrackSend(int track, int send);
    void setPoint(StripRef strip, int send, int code);
    void select(StripRef strip);
    void deselect(StripRef strip);
    void handEditorTo(StripRef heir);

    // Solo and link rules (solo.cpp, link.cpp).
    void soloTrack(int track, bool on, bool fromStereo);
    void soloPair(const PairInfo &p, bool on);
    void muteTrack(int track, bool on);
    void linkOn(const PairInfo &p);
    void linkOff(const PairInfo &p);
    void setLinkFlags(const PairInfo &p, bool on);

    // Restore (restore.cpp).
    void loadLinkedPair(int pair);
    void loadMonoTrack(int track);
    void loadMaster();
    void loadTrack(int track, bool linked);
    void restoreSelect(StripRef strip, bool shown);

    Settings &settings_;
    QIXDevice &device_;
    DynamicsModel dynamics_;
    std::array<StripState, kTracks> mono_{};
    std::array<StripState, kPairs> pair_{};
    StripState master_;
    std::array<std::unique_ptr<StripEvents>, kTracks> monoEvents_;
    std::array<std::unique_ptr<StripEvents>, kPairs> pairEvents_;
    std::unique_ptr<StripEvents> masterEvents_;
    std::array<bool, kPairs> linked_{};
    std::array<bool, kTracks> muteBeforeSolo_{};
    std::array<int, kTracks> panPos_{};
    std::array<QString, kTracks> names_{};
    std::optional<StripRef> selected_;
    UnitModel model_ = UnitModel::K2;
    int rateClass_ = 1;
    bool rateKnown_ = false;
    ReverbModel reverb_;
};

} // namespace mixer
