// What the mix's controls are called where a person reads or hears them: the Edit menu's steps ("Undo
// IN 3 fader") and the screen reader ("IN 3 fader, minus 12.5 dB"). Strips are named as the panel shows
// them; values are spelt out in words a listener understands. Every text goes through tr().
//
// GUI thread (translations); pure otherwise.
#pragma once

#include "control.h"

#include <QCoreApplication>
#include <QString>
#include <QVariant>

class ControlNames {
    Q_DECLARE_TR_FUNCTIONS(ControlNames)

public:
    // "IN 3 fader", "IN 1-2 pan left", "Reverb type", "LINE OUT 3 source". `withStrip` false leaves out
    // the strip of an editor knob (the editor names the strip it edits).
    static QString name(const mixer::Control &control, bool withStrip = true);
    // "minus 12.5 dB", "on", "left 7"; empty for a control whose widget speaks for itself.
    static QString value(const mixer::Control &control, const QVariant &value);

    // A part of a strip named with the strip: "IN 3" + "aux 1 pre".
    static QString stripPart(mixer::StripRef strip, const QString &part);
    // A level in dB: "minus 12.5 dB", "plus 6.0 dB", "0.0 dB", "minus infinity".
    static QString level(double db);
    static QString onOff(bool on);

private:
    static QString stripName(const mixer::Control &c);
    static QString routingName(const mixer::Control &c);
    static QString dynKnobName(int knob);
    static QString dynValue(int knob, int position);
    static QString send(int position);
    static QString pan(int position);
    static QString signedUnit(int value, const QString &unit);
};
