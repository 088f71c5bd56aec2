// The look shared by the routing pages and the monitor dialog: amber-on-black source read-outs and
// light keys that light amber while on, both made to sit on the light plates of the panel artwork.
#pragma once

class QComboBox;

namespace routingstyle {

// The amber-on-black source selector. Its list opens under it with a scroll bar rather than over the
// whole screen, and lights the row the arrows reach.
void styleSelector(QComboBox *selector);

inline const char *const kKey =
    "QPushButton{color: #202124; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6f6f4, "
    "stop:1 #c4c5c1); border: 1px solid #6f7175; border-radius: 4px; font: bold 13px Arial; "
    "letter-spacing: 1px;}"
    "QPushButton:hover{border-color: #303236;}"
    "QPushButton:pressed, QPushButton:checked{background: #26272a; color: #ffaa00; border-color: #050506;}";

// Dark captions on the light plates.
inline const char *const kPlateCaption = "QLabel{color: #202124; font: bold 17px Arial; letter-spacing: 1px;}";
inline const char *const kPlateHint = "QLabel{color: #3a3c40; font-size: 13px; font-family: Arial}";

} // namespace routingstyle
