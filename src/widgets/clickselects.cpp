#include "clickselects.h"

#include <QAbstractSpinBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

// Lives as the field's child and filters only that field's events.
class ClickSelects : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *ev) override
    {
        if (ev->type() != QEvent::FocusIn || static_cast<QFocusEvent *>(ev)->reason() != Qt::MouseFocusReason)
            return false;
        // After the press that brought the focus has placed the cursor.
        QTimer::singleShot(0, watched, [watched] {
            if (auto *spin = qobject_cast<QAbstractSpinBox *>(watched))
                spin->selectAll();
            else if (auto *line = qobject_cast<QLineEdit *>(watched))
                line->selectAll();
        });
        return false;
    }
};

} // namespace

namespace clickselects {

void install(QWidget *field)
{
    if (qobject_cast<QLineEdit *>(field) || qobject_cast<QAbstractSpinBox *>(field))
        field->installEventFilter(new ClickSelects(field));
}

} // namespace clickselects
