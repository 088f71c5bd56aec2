#include "boxkeys.h"

#include <QKeyEvent>
#include <QPushButton>

namespace boxkeys {

bool answer(QWidget *window, QKeyEvent *event, QAbstractButton *defaultButton, QAbstractButton *cancelButton)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto *focused = qobject_cast<QPushButton *>(window->focusWidget());
        if (QAbstractButton *button = focused && focused->window() == window ? focused : defaultButton)
            button->click();
        return true;
    }
    case Qt::Key_Escape:
        if (cancelButton)
            cancelButton->click();
        else
            window->close();
        return true;
    default:
        return false;
    }
}

} // namespace boxkeys
