#include "clickselects.h"

#include <QAbstractSpinBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

class ClickSelects : public QObject {
public:
    explicit ClickSelects(QWidget *field) : QObject(field), field_(field) {}

protected:
    bool eventFilter(QObject *, QEvent *ev) override
    {
        if (ev->type() != QEvent::FocusIn || static_cast<QFocusEvent *>(ev)->reason() != Qt::MouseFocusReason)
            return false;
        // After the press that brought the focus has placed the cursor.
        QTimer::singleShot(0, field_, [field = field_] {
            if (auto *spin = qobject_cast<QAbstractSpinBox *>(field))
                spin->selectAll();
            else if (auto *line = qobject_cast<QLineEdit *>(field))
                line->selectAll();
        });
        return false;
    }

private:
    QWidget *field_;
};

} // namespace

namespace clickselects {

void install(QWidget *field)
{
    if (qobject_cast<QLineEdit *>(field) || qobject_cast<QAbstractSpinBox *>(field))
        field->installEventFilter(new ClickSelects(field));
}

} // namespace clickselects
