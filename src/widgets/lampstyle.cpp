#include "lampstyle.h"

#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace {

const char kLampProperty[] = "lamp";
const char kLitProperty[] = "lit";
const char kValueProperty[] = "valueDisplay";

const QColor kDarkText(20, 20, 20);

} // namespace

LampStyle::LampStyle(QStyle *base) : QProxyStyle(base) {}

LampStyle *LampStyle::shared()
{
    // Never deleted: widgets keep a plain pointer to their style until their own end.
    static LampStyle *const style =
        new LampStyle(QStyleFactory::create(QApplication::style()->objectName()));
    return style;
}

QColor LampStyle::colour(stripstyle::Lamp lamp)
{
    using stripstyle::Lamp;
    switch (lamp) {
    case Lamp::Mute:
        return QColor(226, 52, 40);
    case Lamp::Solo:
        return QColor(246, 200, 40);
    case Lamp::Phase:
    case Lamp::Bypass:
        return QColor(255, 140, 20);
    case Lamp::Eq:
    case Lamp::Comp:
        return QColor(70, 200, 110);
    case Lamp::Select:
    case Lamp::Link:
    case Lamp::Reverb:
        return QColor(255, 170, 0);
    case Lamp::Point:
        return QColor(80, 180, 240);
    }
    return QColor(255, 170, 0);
}

void LampStyle::makeLamp(QWidget *button, stripstyle::Lamp lamp, bool lit)
{
    button->setProperty(kLampProperty, int(lamp));
    button->setProperty(kLitProperty, lit);
    button->setStyle(shared());
}

void LampStyle::makeValueDisplay(QWidget *label)
{
    label->setProperty(kValueProperty, true);
    label->setStyle(shared());
    // The frame's one pixel keeps the text off the border.
    if (auto *frame = qobject_cast<QFrame *>(label)) {
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
    }
}

void LampStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *p, const QWidget *w) const
{
    if (element == CE_PushButton && w && w->property(kLampProperty).isValid()) {
        drawLamp(option, p, w);
        return;
    }
    if (element == CE_ShapedFrame && w && w->property(kValueProperty).toBool()) {
        p->fillRect(option->rect, QColor(8, 8, 10, 220));
        p->setPen(QColor(90, 70, 30));
        p->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
    }
    QProxyStyle::drawControl(element, option, p, w);
}

void LampStyle::drawLamp(const QStyleOption *option, QPainter *p, const QWidget *w) const
{
    const QColor lamp = colour(stripstyle::Lamp(w->property(kLampProperty).toInt()));
    const QColor edge = lamp.darker(160);
    const bool lit = w->property(kLitProperty).toBool();
    const QStyle::State state = option->state;

    QBrush face;
    QColor border = edge, text = kDarkText;
    if (lit) {
        face = (state & State_Sunken) ? edge : lamp;
    } else if (state & State_On) {
        face = lamp;
    } else {
        QLinearGradient metal(option->rect.topLeft(), option->rect.bottomLeft());
        metal.setColorAt(0, QColor(62, 64, 70));
        metal.setColorAt(1, QColor(34, 35, 39));
        face = metal;
        border = QColor(12, 12, 14);
        text = QColor(190, 192, 196);
    }
    if (!lit && !(state & State_Enabled))
        text = QColor(84, 86, 90);
    // The keyboard focus: a light frame that shows on a lit and an unlit button alike.
    if (state & State_HasFocus)
        border = QColor(240, 240, 240);

    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(border);
    p->setBrush(face);
    p->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p->restore();

    if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
        p->save();
        p->setPen(text);
        p->drawText(option->rect.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextShowMnemonic, button->text);
        p->restore();
    }
}
