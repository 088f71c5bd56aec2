// The look of the page navigation buttons, shared by every page so they read as one set.
#pragma once

#include <QString>

inline QString navButtonStyle()
{
    return QStringLiteral(
        "QPushButton{color: #e6e8ec; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5a5d63, "
        "stop:1 #2c2e32); border: 1px solid #101012; border-radius: 4px; font: bold 12px Arial; "
        "letter-spacing: 1px; padding: 0 6px;}"
        "QPushButton:hover{background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6a6d73, stop:1 "
        "#34363a);}"
        "QPushButton:pressed{background: #202226; color: #ffaa00;}");
}
