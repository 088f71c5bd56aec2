// The one stored mix of the tests: a settings file as a previous run would have left it (the fixture
// storedmix.ini), what the unit
// must hold once it is loaded (paths of the unit's state document), and what the window must show.
// Linked pairs keep stale mono faders and thresholds (the pair value must win) and their sends in step on
// both tracks; the linked pair carries a whole compressor and EQ setup, Track9 its low-cut filter; the
// other linked pair is soloed and in true bypass, Track10 soloed alone; "Trumpet" is one character too
// long; Track20's pan is off its lane; the reverb plays LIVE, so HALL's pre-delay must never reach the unit.
#pragma once

#include "virtualunit.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QVariant>
#include <QObject>

namespace lyntra_test {


// Writes the mix (tests/fixtures/storedmix.ini) as the main settings file under $XDG_CONFIG_HOME.
inline bool writeStoredMix()
{
    const QString dir = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/AVENOR");
    QFile fixture(QString::fromLocal8Bit(qgetenv("LYNTRA_SOURCE_DIR")) + QStringLiteral("/tests/fixtures/storedmix.ini"));
    QFile file(dir + QStringLiteral("/DUOMIX_Setting.ini"));
    if (!fixture.open(QIODevice::ReadOnly) || !QDir().mkpath(dir) ||
        !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray mix = fixture.readAll();
    return !mix.isEmpty() && file.write(mix) == mix.size();
}

// One wire value in the unit's state document (indices from 0).
struct UnitValue {
    const char *path;
    int value;
};

// clang-format off
inline const QList<UnitValue> kStoredMixAtUnit = {
    // Faders in tenths of a dB: linked pairs on both channels, -99.9 as -1270, a typed level as typed.
    {"fader.input.0", 60}, {"fader.input.1", 60}, {"fader.input.12", -1}, {"fader.input.13", -1},
    {"fader.input.8", -1270}, {"fader.input.9", -125}, {"fader.input.2", 0}, {"fader.master.0", -41},
    {"fader.master.1", -41},
    // Pan indices: the even lane starts at 59; off its lane is centred.
    {"pan.0", 40}, {"pan.1", 0}, {"pan.4", 0}, {"pan.5", 40}, {"pan.6", 13}, {"pan.7", 26}, {"pan.2", 20},
    {"pan.19", 20},
    {"mute.input.0", 0}, {"mute.input.1", 0}, {"mute.input.2", 1}, {"mute.input.3", 0}, {"mute.input.7", 1},
    {"mute.input.12", 1}, {"mute.input.13", 1}, {"mute.input.19", 1}, {"mute.master.0", 1}, {"mute.master.1", 1},
    {"phase.2", 1}, {"phase.3", 0},
    {"truebypass.2", 0}, {"truebypass.3", 1}, {"truebypass.12", 1}, {"truebypass.13", 1},
    // The linked pair's own switches win over its tracks': EQ on, compressor off, both channels.
    {"eq.0.0.on", 1}, {"eq.1.3.on", 1}, {"eq.2.0.on", 0}, {"comp.0.on", 0}, {"comp.0.threshold", -22},
    {"comp.1.threshold", -22},
    {"comp.0.link", 2}, {"comp.1.link", 3}, {"comp.12.link", 2}, {"comp.2.link", 1},
    // The pair's own group reaches both channels in wire units: ratio x 10, gain dB, attack ms, release
    // tens of ms; per band (low, low-mid, high-mid, high) gain step 0..24, frequency index, Q step or 255.
    {"comp.0.ratio", 160}, {"comp.0.gain", 3}, {"comp.0.attack", 200}, {"comp.0.release", 50},
    {"eq.0.0.gain", 0}, {"eq.0.0.freq", 31}, {"eq.0.0.q", 255}, {"eq.0.1.gain", 13}, {"eq.0.1.freq", 0},
    {"eq.0.1.q", 6}, {"eq.0.2.gain", 1}, {"eq.0.2.freq", 63}, {"eq.0.2.q", 5}, {"eq.0.3.gain", 24},
    {"eq.0.3.freq", 32}, {"eq.0.3.q", 255}, {"comp.1.ratio", 160}, {"comp.1.gain", 3},
    {"comp.1.attack", 200}, {"comp.1.release", 50}, {"eq.1.0.gain", 0}, {"eq.1.0.freq", 31},
    {"eq.1.0.q", 255}, {"eq.1.1.gain", 13}, {"eq.1.1.freq", 0}, {"eq.1.1.q", 6}, {"eq.1.2.gain", 1},
    {"eq.1.2.freq", 63}, {"eq.1.2.q", 5}, {"eq.1.3.gain", 24}, {"eq.1.3.freq", 32}, {"eq.1.3.q", 255},
    // A mono strip's low-cut filter sends the low band's gain as 255 whatever gain is stored.
    {"comp.8.on", 1}, {"comp.8.ratio", 255}, {"comp.8.link", 1}, {"eq.8.0.on", 1}, {"eq.8.0.gain", 255},
    {"eq.8.0.freq", 5}, {"eq.8.3.on", 1},
    // Sends: point 1 none, 2 pre, 3 post; levels in dB, -127 for -inf.
    {"send.input.0.0.point", 2}, {"send.input.0.0.level", -42}, {"send.input.1.0.point", 2},
    {"send.input.1.0.level", -42}, {"send.input.4.1.point", 3}, {"send.input.4.1.level", 0},
    {"send.input.5.3.point", 2}, {"send.input.5.3.level", -127}, {"send.input.12.3.point", 3},
    {"send.input.12.3.level", 6}, {"send.input.13.3.point", 3}, {"send.input.13.3.level", 6},
    {"send.input.3.0.point", 1}, {"send.input.3.0.level", -127},
    // Master sends carry point 1 whatever the tracks use.
    {"send.master.0.point", 1}, {"send.master.0.level", 6}, {"send.master.1.level", 0},
    {"send.master.2.level", -127}, {"send.master.3.level", 0}, {"return.on", 1}, {"return.level", -4},
    {"reverb.type", 3}, {"reverb.predelay", 140}, {"reverb.time", 63}, {"reverb.diff", 88},
};
// clang-format on

// One property of a window widget found by object name.
struct ShownValue {
    const char *object;
    const char *property;
    QVariant value;
};

inline const QList<ShownValue> &storedMixShown()
{
    // clang-format off
    static const QList<ShownValue> rows = {
        {"sW_channel1_2", "currentIndex", 1}, {"sW_channelAdat1_2", "currentIndex", 1},
        {"dSB_faderDisplay1_2", "value", 6.0}, {"vS_FaderKnob1_2", "value", 100},
        {"dSB_faderDisplay13_14", "value", -0.1}, {"dSB_faderDisplay9", "text", QStringLiteral("-infinity")},
        {"dSB_faderDisplay10", "value", -12.5}, {"dSB_faderDisplayMaster", "value", -4.1},
        {"pB_Mute1_2", "checked", false}, {"pB_MuteAdat1_2", "checked", true}, {"pB_MuteAdat2", "checked", true},
        {"pB_Mute3", "checked", true}, {"pB_Bypass4", "checked", true}, {"pB_Phase3", "checked", true},
        {"pB_SoloAdat1_2", "checked", true}, {"pB_Bypass13_14", "checked", true}, {"pB_Solo10", "checked", true},
        {"pB_EQ1_2", "checked", true}, {"pB_masterMute", "checked", true}, {"pB_Comp9", "checked", true},
        {"label_panDisplay1_2_L", "text", QStringLiteral("R20")}, {"label_panDisplay7", "text", QStringLiteral("L7")},
        {"label_panDisplayAdat8", "text", QStringLiteral("C")}, {"lineEdit_ch1", "text", QStringLiteral("Kick")},
        {"lineEdit_ch2", "text", QStringLiteral("Trumpe")}, {"lineEdit_ch5", "text", QString::fromUtf8("Gé声")},
        {"label_Send1Display2", "text", QStringLiteral("-42dB")},
        {"label_Send2Display5", "text", QStringLiteral("  0dB")},
        {"label_Send4Display6", "text", QStringLiteral("-inf.")},
        {"label_Send4DisplayAdat1_2", "text", QStringLiteral("  6dB")},
        {"label_Send1DisplayMaster", "text", QStringLiteral("  6dB")},
        {"label_SendDisplayReturn", "text", QStringLiteral(" -4dB")}, {"pB_Pre1_1_2", "checked", true},
        {"pB_Post2_5", "checked", true}, {"pB_Pre4_6", "checked", true},
        {"pB_masterReverb", "checked", true}, {"sW_return", "currentIndex", 1},
        {"label_PreDelayDisp", "text", QStringLiteral("140")},
    };
    // clang-format on
    return rows;
}

// The first stored-mix value the unit's state document does not hold; empty once it holds them all.
inline QString storedMixMissing(const QJsonObject &state)
{
    for (const UnitValue &u : kStoredMixAtUnit) {
        const QJsonValue v = json_at(state, QLatin1String(u.path));
        if (!v.isDouble() || v.toInt() != u.value)
            return QStringLiteral("%1 is %2, expected %3")
                .arg(u.path, v.isDouble() ? QString::number(v.toInt()) : "null")
                .arg(u.value);
    }
    return QString();
}

// The first stored-mix value the window does not show; empty once it shows them all.
inline QString storedMixNotShown(const QObject &window)
{
    for (const ShownValue &s : storedMixShown()) {
        const QObject *w = window.findChild<QObject *>(QLatin1String(s.object));
        const QVariant got = w ? w->property(s.property) : QVariant();
        const bool same = s.value.type() == QVariant::Double
                              ? qAbs(got.toDouble() - s.value.toDouble()) < 1e-9
                              : got == s.value;
        if (!same)
            return QStringLiteral("%1 %2: %3").arg(s.object, s.property, got.toString());
    }
    return QString();
}

} // namespace lyntra_test
