// Escape in a field the user types into (a level box, a channel name, a port) puts back what the field
// showed before the typing began, and goes no further; an Escape with nothing typed goes on to the
// window (a dialog closes). Qt keeps typed text on Escape and the focus leaving then applies it, so an
// Escape meant as "no" would set a level after all.
//
// GUI thread.
#pragma once

class QWidget;

namespace escapereverts {

// `field`: a QLineEdit or a QAbstractSpinBox; the filter lives as long as the field.
void install(QWidget *field);

// The field now shows a value from elsewhere (the model changed while it had the focus): Escape returns
// to that one.
void shown(QWidget *field);

} // namespace escapereverts
