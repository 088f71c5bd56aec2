// The one reverb of the unit's mixer: five types that each remember their own pre-delay, time and
// diffusion, the reverb switch and the return level. This is the only place that decides what
// set_reverb and set_return carry; everything is stored through Settings as it changes.
//
// GUI thread only. Like MixerModel, every operation emits the state it touched and nothing emitted
// calls back into the model, so widgets that reflect the signals without re-emitting cannot loop.
#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

#include <cstdint>

class QIXDevice;
class Settings;

namespace mixer {

// Knob positions of one type. Ranges: pre-delay 0..250 (ms), time 1..100 (tenths of a second),
// diffusion 0..100.
struct ReverbParams {
    int preDelay = 0;
    int time = 1;
    int diff = 0;
    bool operator==(const ReverbParams &o) const
    {
        return preDelay == o.preDelay && time == o.time && diff == o.diff;
    }
};

// What the reverb diagram draws: pre-delay in ms / 10 (0..25) and twice the time position (2..200).
struct ReverbCurveState {
    bool reverbOn = true;
    uint8_t preDelayPx = 0;
    uint8_t timePx = 2;
    int type = 1;
};

namespace reverb {

constexpr int kTypes = 5;
constexpr int kHall = 1;
constexpr int kPlate = 5;
constexpr int kMaxPreDelay = 250;
constexpr int kMinTime = 1;
constexpr int kMaxTime = 100;
constexpr int kMaxDiff = 100;

struct TypeInfo {
    int code;        // 1..5, the wire type
    QString name;    // "HALL"
    QString button;  // "pB_RevHall"
    QString picture; // ":Resource/Reverb/Rvb_hall.png"
};

// Type `code`; codes outside 1..5 give PLATE's row (see modeType()).
const TypeInfo &typeInfo(int code);
// "HALL" 1 .. "PLATE" 5; any other name 0.
int typeCode(const QString &name);
// The type a stored "Mode" stands for: 1..4 as stored, anything else PLATE.
int modeType(int storedMode);
// "%1.%2" in seconds from tenths: 27 -> "2.7", 4 -> "0.4", 100 -> "10.0".
QString timeLabel(int position);
// The values a type starts with and returns to on initialise (the stored keys' defaults).
ReverbParams factory(int code);

} // namespace reverb

class ReverbModel : public QObject {
    Q_OBJECT

public:
    // `settings` and `device` are not owned and must outlive the model. The stored keys are the state
    // (so a replaced settings file is seen at once); nothing is sent until an operation or load().
    ReverbModel(Settings &settings, QIXDevice &device, QObject *parent = nullptr);

    int type() const; // the stored "Mode" as modeType() reads it
    ReverbParams params(int code) const;
    ReverbParams current() const { return params(type()); }
    bool on() const;
    int returnPosition() const; // 0..127
    QString returnLabel() const;
    ReverbCurveState curve() const;

    // A type button: remembers the type, shows its own values and, with the reverb on, sends it and
    // the return. Codes outside 1..5 are ignored.
    void selectType(int code);
    // Knob moves on the current type: clamped, stored, and sent while the reverb is on.
    void setPreDelay(int position);
    void setTime(int position);
    void setDiffusion(int position);
    // The switch: on sends the current type then the return; off sends only the return, switched off.
    void setOn(bool on);
    // The return knob (0..127 on the send scale): stored and sent with the current switch state.
    void setReturnLevel(int position);
    // Every type back to its factory values, then HALL selected (sent if the reverb is on).
    void initialize();
    // Shows the stored type, its values, the switch and the return, and sends what the switch would
    // send. Writes nothing.
    void load();

signals:
    void typeChanged(int code);
    // The current type's values (after a type change, a knob move or a load).
    void paramsChanged(const mixer::ReverbParams &p);
    void onChanged(bool on);
    void returnChanged(int position, const QString &label);
    // Anything the diagram draws may have changed.
    void curveChanged();

private:
    void paramChanged();
    void sendReverb();
    void sendReturn();

    Settings &settings_;
    QIXDevice &device_;
};

} // namespace mixer

Q_DECLARE_METATYPE(mixer::ReverbParams)
