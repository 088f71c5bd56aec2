// A box that opens during a drag (the unit unplugged, an update found) takes the mouse: the release
// never reaches the control under the drag, which would keep its value display on screen and go on
// merging later changes into the drag's undo step. The drag ends when its window is blocked instead.
//
// GUI thread.
#pragma once

class QWidget;

namespace dragends {

// `control`: a knob or a slider; the filter lives as long as the control.
void install(QWidget *control);

} // namespace dragends
