// The start-up hint about power settings and driver choice, with links to both models' FAQ pages.
#pragma once

#include <QString>

class QMessageBox;

namespace informationdialog {

QString title();
// Rich text of the box; `japanese` selects the Japanese text and the Japanese FAQ pages.
QString text(bool japanese);
QString checkLabel(bool japanese);

// Shows the box, modal to the whole program, and returns at once. Without parent: the caller deletes
// it if it is still open when the program ends; it deletes itself when dismissed. Its check box is
// "Do not show again". GUI thread.
QMessageBox *open(bool japanese);

} // namespace informationdialog
