#include "escapereverts.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaProperty>

namespace {

constexpr const char *kName = "escapereverts";

class Reverter : public QObject {
public:
    explicit Reverter(QWidget *field)
        : QObject(field), field_(field), value_(field->metaObject()->userProperty())
    {
        setObjectName(QLatin1String(kName));
        remember();
        // A finished edit (Return keeps the focus in a dialog's field) is what the next Escape returns to.
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(field))
            connect(spin, &QAbstractSpinBox::editingFinished, this, &Reverter::remember);
        else if (auto *line = qobject_cast<QLineEdit *>(field))
            connect(line, &QLineEdit::editingFinished, this, &Reverter::remember);
    }

    void remember()
    {
        before_ = value_.read(field_);
        text_ = shownText();
    }

protected:
    bool eventFilter(QObject *, QEvent *ev) override
    {
        if (ev->type() == QEvent::FocusIn) {
            remember();
        } else if (ev->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(ev);
            // The text, not the value: a half-typed number ("-") leaves a spin box's value as it was.
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier && shownText() != text_) {
                value_.write(field_, before_);
                return true;
            }
        }
        return false;
    }

private:
    QString shownText() const
    {
        if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(field_))
            return spin->text();
        const auto *line = qobject_cast<const QLineEdit *>(field_);
        return line ? line->text() : QString();
    }

    QWidget *field_;
    QMetaProperty value_;
    QVariant before_;
    QString text_;
};

} // namespace

namespace escapereverts {

void install(QWidget *field)
{
    if (qobject_cast<QLineEdit *>(field) || qobject_cast<QAbstractSpinBox *>(field))
        field->installEventFilter(new Reverter(field));
}

void shown(QWidget *field)
{
    if (QObject *r = field->findChild<QObject *>(QLatin1String(kName), Qt::FindDirectChildrenOnly))
        static_cast<Reverter *>(r)->remember();
}

} // namespace escapereverts
