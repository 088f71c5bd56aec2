// The panel's persistent state: the main store (mixer state and interface flags), the clock store, the
// scene-name store and the window-geometry store, with the defaults a missing key reads as.
//
// One program-wide object is created before the main window; tests create their own. Not copyable.
// GUI thread only: the two QSettings objects are not shared with other threads.
#pragma once

#include "settingkeys.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class QSettings;

class Settings {
public:
    enum class CompKnob { Threshold, Ratio, Gain, Attack, Release };
    enum class EqBand { High, HighMid, LowMid, Low };

    // Opens nothing yet: each store is opened on its first access and then kept until destruction
    // (or reopenMain()). Destruction writes pending changes.
    Settings();
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    // ---- Generic write to the main store.
    void writeValue(const QString &group, const QString &key, const QVariant &value);

    // ---- Clock store, group "Interface". A missing or unparsable value reads as 0.
    void writeClock(const QString &key, int value);
    int readClock(const QString &key) const;

    // ---- Table-driven reads: the stand-by of the key's type, replaced by the key's default from
    // settingkeys (the master default in "TrackMaster"). Keys outside the tables behave like the
    // generic reads.
    int intValue(const QString &group, const QString &key) const;
    bool boolValue(const QString &group, const QString &key) const;
    QString stringValue(const QString &group, const QString &key) const;
    double doubleValue(const QString &group, const QString &key) const;
    // Dispatches on the key's table type; an invalid QVariant for keys outside the tables.
    QVariant value(const QString &group, const QString &key) const;

    // ---- Channel groups (track = "Track7", "Track1_2", "TrackMaster" ...).
    QString name(const QString &track) const;
    void setName(const QString &track, const QString &text);
    bool select(const QString &track) const { return boolValue(track, QStringLiteral("Select")); }
    bool link(const QString &track) const { return boolValue(track, QStringLiteral("Link")); }
    bool phase(const QString &track) const { return boolValue(track, QStringLiteral("Phase")); }
    bool solo(const QString &track) const { return boolValue(track, QStringLiteral("Solo")); }
    bool mute(const QString &track) const { return boolValue(track, QStringLiteral("Mute")); }
    bool eq(const QString &track) const { return boolValue(track, QStringLiteral("Eq")); }
    bool comp(const QString &track) const { return boolValue(track, QStringLiteral("Comp")); }
    bool eqLowCutFilter(const QString &track) const
    {
        return boolValue(track, QStringLiteral("EqLowCutFilter"));
    }
    void setSelect(const QString &track, bool on) { writeValue(track, QStringLiteral("Select"), on); }
    void setLink(const QString &track, bool on) { writeValue(track, QStringLiteral("Link"), on); }
    void setPhase(const QString &track, bool on) { writeValue(track, QStringLiteral("Phase"), on); }
    void setSolo(const QString &track, bool on) { writeValue(track, QStringLiteral("Solo"), on); }
    void setMute(const QString &track, bool on) { writeValue(track, QStringLiteral("Mute"), on); }
    void setEq(const QString &track, bool on) { writeValue(track, QStringLiteral("Eq"), on); }
    void setComp(const QString &track, bool on) { writeValue(track, QStringLiteral("Comp"), on); }
    void setEqLowCutFilter(const QString &track, bool on)
    {
        writeValue(track, QStringLiteral("EqLowCutFilter"), on);
    }

    double fader(const QString &track) const; // 0.0; master -99.9

    // 20 when missing, or 79 where the pan control asks for its alternative default.
    int panPos(const QString &track, bool alternativeDefault = false) const;
    void setPan(const QString &track, int pos, const QString &text);

    // Sends 1..4; other numbers read as the defaults and are not written.
    int sendLevel(const QString &track, int send) const;     // 0; master 102
    int sendPoint(const QString &track, int send) const;     // 1
    void setSend(const QString &track, int send, int level, const QString &text);
    void setSendPoint(const QString &track, int send, int point);

    int returnLevel() const;     // "TrackMaster" only, 0
    QString returnValue() const; // "-inf."
    void setReturn(int level, const QString &text);

    int compPos(const QString &track, CompKnob knob) const;
    // Threshold and Ratio texts are strings; Gain, Attack and Release keep an int (no default: a
    // missing one reads as 365).
    QVariant compDisplay(const QString &track, CompKnob knob) const;
    void setCompKnob(const QString &track, CompKnob knob, int pos, const QVariant &display);

    int eqGainPos(const QString &track, EqBand band) const;   // 61
    int eqGainValue(const QString &track, EqBand band) const; // no default (365 when missing)
    void setEqGain(const QString &track, EqBand band, int pos, int value);
    int eqFreqPos(const QString &track, EqBand band) const; // 60, 54, 28, 20
    QString eqFreqText(const QString &track, EqBand band) const;
    void setEqFreq(const QString &track, EqBand band, int pos, const QString &text);
    // Only the two mid bands have a Q: the outer bands read 36 / empty and are never written.
    int eqQPos(const QString &track, EqBand band) const;
    QString eqQText(const QString &track, EqBand band) const;
    void setEqQ(const QString &track, EqBand band, int pos, const QString &text);

    // Group "Track<input>", inputs 1..20; other inputs read false and write nothing.
    bool trueBypass(int input) const;
    void setTrueBypass(int input, bool on);

    // ---- Group "Reverb". Types 1 HALL .. 5 PLATE; any other type is taken as HALL.
    int reverbMode() const;    // 1
    bool masterReverb() const; // true
    void setReverbMode(int type);
    void setMasterReverb(bool on);
    int rvbPreDelayPos(int type) const;
    int rvbTimePos(int type) const;
    QString rvbTimeValue(int type) const;
    int rvbDiffPos(int type) const;
    void setRvbPreDelay(int type, int pos);
    void setRvbTime(int type, int pos, const QString &text);
    void setRvbDiff(int type, int pos);

    // ---- Monitor. Output pairs 1..4 ("MoniCon OUT1_2".."OUT7_8"); others read defaults, write nothing.
    int moniConOutput() const; // 1..3, anything else 0
    double moniConMaster() const;
    void setMoniConOutput(int output);
    void setMoniConMaster(double dB);
    double moniConMono(int outPair, int side) const; // side 1 or 2
    bool moniConLink(int outPair) const;
    int moniConSource(int outPair, bool right) const;
    void setMoniConMono(int outPair, int side, double dB);
    void setMoniConLink(int outPair, bool on);
    void setMoniConSource(int outPair, bool right, int index);

    // ---- Line outputs: LineOut1..8 (20..27) and the small model's LineOut1_K1, 2_K1 (10, 11).
    // Output numbers outside those read 365 (the stand-by: no such key) and write nothing.
    int lineOut(int output) const;
    int lineOutK1(int output) const;
    void setLineOut(int output, int source);
    void setLineOutK1(int output, int source);

    // ---- Interface flags.
    void setMainWindowPanel(int page); // written, never read
    int audioPerformanceIndex() const;
    void setAudioPerformanceIndex(int position);
    bool informationDialog() const;
    void setInformationDialog(bool doNotShow);
    // Group "Update": "SoftDialog", "FirmDialog", "InfoDialog", "JsonUrl".
    QString updateText(const QString &key) const;
    void setUpdateText(const QString &key, const QString &text);

    // ---- Main file handling (scene memories, "Initialize").
    QString mainFilePath() const;
    QString clockFilePath() const;
    // Writes pending changes of the open stores.
    void sync();
    // Writes pending changes (into whatever file is there now), then reopens the main store from disk.
    // Call it after the file was deleted or replaced behind the store's back.
    void reopenMain();
    // Writes pending changes, deletes the main file and reopens the (now empty) store. False, with
    // `error` set, when the file stays.
    bool deleteMainFile(QString *error = nullptr);
    // Writes pending changes, replaces the main file by a copy of `source` (whole, never half) and
    // reopens the store, which reads the copy. False, with `error` set where there is a reason, and
    // store and file unchanged, when `source` is the main file or cannot be read or the copy fails.
    bool replaceMainFile(const QString &source, QString *error = nullptr);

    // ---- Scene names: a fresh store object per access, group "SceneMemory". Scenes 1..10; the name
    // of a missing key is the key text ("SceneMemory3"); other numbers give an empty name.
    static QString sceneName(int scene);
    static QStringList sceneNames();
    static void setSceneName(int scene, const QString &text);
    static QString sceneNameFilePath();

    // ---- Window geometry, native store "AVENOR"/"DUOMIX", group "Window", key "geometry".
    static void writeWindowGeometry(const QByteArray &geometry);

private:
    QSettings &mainStore() const;
    QSettings &clockStore() const;
    QVariant raw(const QString &group, const QString &key) const;
    // Reads return the stand-by value itself for a missing key or one that does not parse.
    QString readString(const QString &group, const QString &key) const; // empty
    double readDouble(const QString &group, const QString &key) const;  // 1000
    int intRead(const QString &group, const QString &key, int standby) const;

    mutable std::unique_ptr<QSettings> main_;
    mutable std::unique_ptr<QSettings> clock_;
};
