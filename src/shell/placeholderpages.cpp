#include "placeholderpages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace placeholderpages {

namespace {

struct Button {
    QString objectName;
    QString text;
};

QWidget *page(const QString &objectName, const QString &caption, const Button (&buttons)[2])
{
    auto *widget = new QWidget;
    widget->setObjectName(objectName);
    auto *column = new QVBoxLayout(widget);
    auto *label = new QLabel(caption);
    label->setAlignment(Qt::AlignCenter);
    column->addWidget(label, 1);
    auto *row = new QHBoxLayout;
    for (const Button &b : buttons) {
        auto *button = new QPushButton(b.text);
        button->setObjectName(b.objectName);
        row->addWidget(button);
    }
    column->addLayout(row);
    return widget;
}

} // namespace

QWidget *routing(bool smallModel)
{
    const QString model = smallModel ? QStringLiteral("K1") : QStringLiteral("K2");
    const Button buttons[2] = {
        {QStringLiteral("pB_ToMixerFromRouting") + model, QObject::tr("MIXER")},
        {QStringLiteral("pB_ToInformationFromRouting") + model, QObject::tr("INTERFACE")}};
    return page(QStringLiteral("Routing_") + model, QObject::tr("OUTPUT ROUTING"), buttons);
}

} // namespace placeholderpages
