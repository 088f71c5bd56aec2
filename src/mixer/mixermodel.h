// The mixer page's state and rules without widgets: per-strip switches, stereo link, solo by muting,
// selection for the editor, true bypass, send points, fader/pan/send levels, channel names and which
// pair containers are visible. Every operation stores through Settings and sends through QIXDevice.
//
// GUI thread only. Widgets call the operations on user actions and reflect the signals; a signal is
// emitted for every state an operation touches (also when the value did not change), and nothing the
// model emits calls back into it, so a widget that sets its own state from a signal without re-emitting
// its user signal (clicked, sliderMoved ...) cannot loop.
//
// Strip names: "Track1".."Track20" (mono), "Track1_2".."Track19_20" (stereo strips), side names
// "Track1_2_L"/"_R" (phase of a stereo strip), "TrackMaster". Operations given a name they do not apply
// to do nothing and return false.
#pragma once

#include "dynamicsmodel.h"
#include "reverbmodel.h"
#include "tracks.h"
#include "unitmodel.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

class QIXDevice;
class Settings;

namespace mixer {

class MixerModel : public QObject {
    Q_OBJECT

public:
    // `settings` and `device` are not owned and must outlive the model. Nothing is read or sent here;
    // call loadAll() for that.
    MixerModel(Settings &settings, QIXDevice &device, QObject *parent = nullptr);
    ~MixerModel() override;

    // ---- State, as the strips show it. Pair names give the stereo strip's own buttons.
    bool phase(const QString &name) const; // mono or side name
    bool eqOn(const QString &name) const;  // mono or pair
    bool compOn(const QString &name) const;
    bool mute(const QString &name) const;       // mono, pair or master
    bool solo(const QString &name) const;       // mono or pair
    bool selected(const QString &name) const;   // mono or pair
    bool trueBypass(const QString &name) const; // mono or pair
    bool pairLinked(int pair) const;
    bool muteBeforeSolo(int track) const;
    QString selectedTrack() const { return selected_; }              // "none" when no strip is selected
    StripRef selectedStrip() const { return parseStrip(selected_); } // invalid when none
    QString channelName(int track) const;
    // Send point code 1 (neither), 2 (pre), 3 (post) of a mono track or (display) of a stereo strip.
    int sendPoint(const QString &name, int send) const;
    double faderLevel(const QString &name) const; // mono, pair or master
    int panPosition(int track) const;
    QString panLabel(int track) const;
    // Send knob position of a mono track, stereo strip (display only) or master; send 1..4, and for
    // the master also 0 = reverb return.
    int sendPosition(const QString &name, int send) const;
    QString sendLabel(const QString &name, int send) const;
    // The compressor and EQ records and the editor's knobs; owned by this model.
    DynamicsModel &dynamics() { return dynamics_; }
    const DynamicsModel &dynamics() const { return dynamics_; }
    // The reverb with its switch and return; the master's send 0 is its return.
    ReverbModel &reverb() { return reverb_; }
    const ReverbModel &reverb() const { return reverb_; }

    // ---- Strip operations (the handlers of the strip buttons, with their mirroring rules).
    bool setPhase(const QString &name, bool on);  // mono or side name
    bool setEqOn(const QString &name, bool on);   // mono or pair
    bool setCompOn(const QString &name, bool on); // mono or pair
    bool setMute(const QString &name, bool on);   // mono, pair or master
    bool setSolo(const QString &name, bool on);   // mono or pair
    bool setSelect(const QString &name, bool on); // mono or pair
    bool setLink(int pair, bool on);
    bool setChannelName(int track, const QString &text); // cut to 6 characters
    bool setTrueBypass(const QString &name, bool on);    // mono or pair
    // Pre/post buttons of send 1..4 pressed to `on` (mono or pair).
    bool setPre(const QString &name, int send, bool on);
    bool setPost(const QString &name, int send, bool on);

    // ---- Levels. The label is derived from the position by the scales.
    bool setFaderLevel(const QString &name, double db); // mono, pair or master
    // Pan of mono track `track` at lane position `position` (clamped into the track's lane). A stereo
    // strip's L knob is its odd track's pan, its R knob its even track's.
    bool setPan(int track, int position);
    bool resetPan(int track); // double-click: centre of the lane
    // Send knob of a mono track, stereo strip or master (send 1..4), or the reverb return (master,
    // send 0). Position clamped to 0..127.
    bool setSendLevel(const QString &name, int send, int position);

    // ---- Visible pair containers.
    // The unit's model, as the unit status tells it after a full load.
    void setUnitModel(UnitModel model);
    // The class of the unit's rate (1, 2, 4); anything else, or the class already shown, changes nothing.
    void setRateClass(int rateClass);
    int rateClass() const { return rateClass_; } // 1, 2 or 4
    bool pairVisible(int pair) const;
    // The table: which pairs (1..10) a model shows at a rate class (1, 2, 4; anything else: none).
    static bool pairVisibleAt(UnitModel model, int rateClass, int pair);

    // ---- The full load: brings the strips and the unit back to the stored mixer state (start-up,
    // reconnection, "Initialize", scene load). Every unit parameter is sent again, even where the device
    // object believes the unit has it; nothing is written. Pairs 1..10 in turn (a linked pair as its
    // stereo strip, else its two mono tracks), then the master with the reverb, then the channel names;
    // emits loaded() at the end.
    void loadAll();

signals:
    void phaseChanged(const QString &name, bool on); // mono and side names
    void eqChanged(const QString &name, bool on);    // mono and pair names
    void compChanged(const QString &name, bool on);
    void muteChanged(const QString &name, bool on);      // mono, pair, master
    void soloChanged(const QString &name, bool on);      // mono, pair
    void selectChanged(const QString &name, bool on);    // mono, pair
    void selectionChanged(const QString &selectedTrack); // "none" when nothing selected
    void linkChanged(int pair, bool on);                 // page 1 (stereo) when on
    void channelNameChanged(int track, const QString &text);
    // The strip's phase/EQ/comp/select buttons are disabled while bypassed.
    void trueBypassChanged(const QString &name, bool on);
    void sendPointChanged(const QString &name, int send, int code); // mono, pair
    void faderChanged(const QString &name, double db);
    void panChanged(int track, int position, const QString &label);
    // send 1..4; master send 0 is the reverb return. Pair names carry the stereo knob.
    void sendChanged(const QString &name, int send, int position, const QString &label);
    void visibleChannelsChanged();
    void rateClassChanged(int rateClass);
    // Editor side: the selected strip was bypassed (titles "Bypass", value labels hidden) or a strip
    // was un-bypassed (titles empty, labels shown).
    void editorBypassChanged(bool bypassed);
    void lowCutEnabledChanged(bool enabled);
    void compressorRepaintRequested();
    void equalizerRepaintRequested();
    // A strip became selected: the editor knobs load from this name's group.
    void editorLoadRequested(const QString &name);
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
    StripState &state(const QString &name) { return states_[name]; }
    StripState stateOf(const QString &name) const { return states_.value(name); }

    // Primitives: set the state, store it, send it, emit. No mirroring onto other strips.
    void applyMute(int track, bool on, bool store = true);
    void applyPhase(int track, bool on, bool store = true);
    void applySendPoint(int track, int send, int code, bool store = true);
    void applyTrackSend(int track, int send, int position, bool store = true);
    void applyEqOn(const QString &name, bool on, bool store = true);
    void applyCompOn(const QString &name, bool on, bool store = true);
    void applyBypass(const QString &name, bool on, bool store = true);
    void applyFader(const QString &name, double db, bool store = true);
    void applyPan(int track, int position, bool store = true);
    void applyMasterSend(int send, int position, bool store = true);
    void showPair(const QString &pair, bool StripState::*field, bool on,
                  void (MixerModel::*sig)(const QString &, bool));
    void showPairSend(int pair, int send, int position);
    void showPairPoint(int pair, int send, int code);
    void sendTrackSend(int track, int send);
    void setPoint(const QString &name, int send, int code);

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
    void restoreSelect(const QString &name, bool shown);

    Settings &settings_;
    QIXDevice &device_;
    DynamicsModel dynamics_;
    QHash<QString, StripState> states_;
    std::array<bool, kPairs> linked_{};
    std::array<bool, kTracks> muteBeforeSolo_{};
    std::array<int, kTracks> panPos_{};
    std::array<QString, kTracks> names_{};
    QString selected_ = kNoTrack;
    UnitModel model_ = UnitModel::K2;
    int rateClass_ = 1;
    bool rateKnown_ = false;
    ReverbModel reverb_;
};

} // namespace mixer
