// What a screen reader and the keyboard find of the mix's controls. Every control carries a name a
// listener understands ("IN 3 fader") and answers its value when asked ("minus 12.5 dB", "on"), read
// from the models at that moment, so nothing has to keep a spoken text up to date. The Tab chain of a
// page runs in reading order: strip by strip from the left, each from top to bottom, then the band
// below the strips from the left.
//
// GUI thread.
#pragma once

#include "control.h"

#include <QString>

#include <functional>

class QAbstractButton;
class QWidget;

namespace mixer {
class MixControls;
}

namespace controlaccess {

// Makes the screen reader's interfaces of the attached widgets ours; once per program, before the
// first widget is asked for (repeated calls do nothing).
void install();

// `w` is the control `control` of `controls` (which must outlive `w`): named after it, its value read
// from the models.
void attach(QWidget *w, const mixer::MixControls &controls, const mixer::Control &control);
// The same for a widget whose control moves (an editor knob follows the edited strip, a reverb knob the
// type): `which` gives the control whenever the value is asked for; the name leaves out the strip.
void attach(QWidget *w, const mixer::MixControls &controls, const std::function<mixer::Control()> &which);
// A switch that is not a control of the mix (a strip's editor selection, a page button): named
// `name`, its value its own state.
void attachSwitch(QAbstractButton *button, const QString &name);

// The text a screen reader hears as the value of `w` (empty for a widget without one).
QString valueText(QWidget *w);

// Sets the Tab chain of every widget under `page` that takes focus by Tab in reading order.
void orderTabChain(QWidget *page);

} // namespace controlaccess
