#include "controlaccess.h"

#include "controlnames.h"
#include "mixcontrols.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QSlider>

#include <algorithm>
#include <functional>

namespace {

using ValueOf = std::function<QString()>;

QHash<const QObject *, ValueOf> &values()
{
    static QHash<const QObject *, ValueOf> table;
    return table;
}

// Value boxes, selectors and text fields keep Qt's own interfaces (their text is their value, and a
// screen reader edits through them); the others are ours.
bool ours(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QAbstractSlider *>(w) ||
           w->inherits("KnobLabel");
}

class ControlAccessible;
void forgetQtsOwn(QWidget *w);

void remember(QWidget *w, ValueOf value)
{
    if (!ours(w))
        return;
    if (!values().contains(w))
        QObject::connect(w, &QObject::destroyed, [w] { values().remove(w); });
    values().insert(w, std::move(value));
    forgetQtsOwn(w);
}

// Role and state by the kind of widget; the value is the control's spoken value, never a raw position.
class ControlAccessible : public QAccessibleWidget {
public:
    explicit ControlAccessible(QWidget *w) : QAccessibleWidget(w, roleOf(w)) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return controlaccess::valueText(widget());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (const auto *b = qobject_cast<const QAbstractButton *>(object()); b && b->isCheckable()) {
            s.checkable = true;
            s.checked = b->isChecked();
        }
        return s;
    }
    QStringList actionNames() const override
    {
        if (qobject_cast<const QAbstractButton *>(object()))
            return {QAccessibleActionInterface::toggleAction()};
        return QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        auto *b = qobject_cast<QAbstractButton *>(object());
        if (b && action == QAccessibleActionInterface::toggleAction())
            b->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    static QAccessible::Role roleOf(QWidget *w)
    {
        if (qobject_cast<QAbstractButton *>(w))
            return QAccessible::CheckBox;
        if (qobject_cast<QSlider *>(w))
            return QAccessible::Slider;

        return QAccessible::Dial;
    }
};

// Qt keeps the first interface made for a widget, and a widget's construction (a text or a value set)
// may have made Qt's own already: that one goes, so the next question finds ours.
void forgetQtsOwn(QWidget *w)
{
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(w);
    if (made && !dynamic_cast<ControlAccessible *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    return w && values().contains(w) ? new ControlAccessible(w) : nullptr;
}

} // namespace

namespace controlaccess {

void install()
{
    static bool done = false;
    if (!done)
        QAccessible::installFactory(factory);
    done = true;
}

void attach(QWidget *w, const mixer::MixControls &controls, const mixer::Control &control)
{
    install();
    const QPointer<const mixer::MixControls> from(&controls);
    remember(w, [from, control] { return from ? ControlNames::value(control, from->value(control)) : QString(); });
    w->setAccessibleName(ControlNames::name(control));
}

void attach(QWidget *w, const mixer::MixControls &controls, const std::function<mixer::Control()> &which)
{
    install();
    const QPointer<const mixer::MixControls> from(&controls);
    remember(w, [from, which] {
        const mixer::Control c = which();
        return from ? ControlNames::value(c, from->value(c)) : QString();
    });
    w->setAccessibleName(ControlNames::name(which(), false));
}

void attachSwitch(QAbstractButton *button, const QString &name)
{
    install();
    const QPointer<QAbstractButton> b(button);
    remember(button, [b] { return b ? ControlNames::onOff(b->isChecked()) : QString(); });
    button->setAccessibleName(name);
}

QString valueText(QWidget *w)
{
    const auto found = values().constFind(w);
    return found == values().constEnd() ? QString() : (*found)();
}

void orderTabChain(QWidget *page)
{
    // The column a widget reads in: its strip, else the child of `page` it belongs to (the editor band).
    const auto column = [page](QWidget *w) {
        while (w->parentWidget() && w->parentWidget() != page && !w->inherits("StripWidget"))
            w = w->parentWidget();
        return w;
    };
    QList<QWidget *> chain;
    for (QWidget *w : page->findChildren<QWidget *>())
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
    const auto before = [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); };
    std::stable_sort(chain.begin(), chain.end(), [&](QWidget *a, QWidget *b) {
        // A pair's two pages and its link button share a place: there the widgets' own places decide.
        const QPoint ca = column(a)->mapTo(page, QPoint()), cb = column(b)->mapTo(page, QPoint());
        if (ca != cb)
            return before(ca, cb);
        return before(a->mapTo(page, QPoint()), b->mapTo(page, QPoint()));
    });
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace controlaccess
