// The start-up hint about power settings and driver choice, with links to both models' FAQ pages.
#pragma once

#include <QString>

namespace informationdialog {

QString title();
// Rich text of the box; `japanese` selects the Japanese text and the Japanese FAQ pages.
QString text(bool japanese);
QString checkLabel(bool japanese);

// Shows the box through the message-box seam; returns whether "Do not show again" was checked.
// GUI thread.
bool show(bool japanese);

} // namespace informationdialog
