#include "dragends.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWidget>

namespace {

// Lives as the control's child and filters only that control's events.
class DragEnds : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *ev) override
    {
        switch (ev->type()) {
        case QEvent::MouseButtonPress:
            held_ = held_ || static_cast<QMouseEvent *>(ev)->button() == Qt::LeftButton;
            break;
        case QEvent::MouseButtonRelease:
            held_ = held_ && static_cast<QMouseEvent *>(ev)->buttons().testFlag(Qt::LeftButton);
            break;
        case QEvent::WindowBlocked:
            if (held_) {
                held_ = false;
                auto *control = static_cast<QWidget *>(watched);
                const QPoint at = QCursor::pos();
                QMouseEvent release(QEvent::MouseButtonRelease, control->mapFromGlobal(at), at, Qt::LeftButton,
                                    Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(control, &release);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool held_ = false;
};

} // namespace

namespace dragends {

void install(QWidget *control)
{
    control->installEventFilter(new DragEnds(control));
}

} // namespace dragends
