// Return and Escape in the update windows, which are plain windows rather than dialogs but must answer
// the keyboard as every box does: Return presses the focused button, else the default one; Escape
// presses the cancelling one.
#pragma once

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace boxkeys {

// Answers `event` on `window`: true when it was Return, Enter or Escape. `defaultButton` may be null
// (Return then presses only a focused button); a null `cancelButton` makes Escape close the window as its
// frame would. Disabled buttons are not pressed.
bool answer(QWidget *window, QKeyEvent *event, QAbstractButton *defaultButton, QAbstractButton *cancelButton);

} // namespace boxkeys
