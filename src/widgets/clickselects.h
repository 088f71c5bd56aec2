// A click into a field the user types into (a level box, a channel name, a port) selects what it shows,
// so the digits typed next replace the value: Qt puts the cursor where the click fell, and "-5" typed
// before "0.0" became -50.0 dB.
//
// GUI thread.
#pragma once

class QWidget;

namespace clickselects {

// `field`: a QLineEdit or a QAbstractSpinBox; the filter lives as long as the field.
void install(QWidget *field);

} // namespace clickselects
