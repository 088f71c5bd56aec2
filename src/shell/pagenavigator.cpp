#include "pagenavigator.h"

#include "boxes.h"

#include <QAbstractButton>
#include <QStackedWidget>

namespace {

using Slot = void (PageNavigator::*)();

struct Binding {
    const char *button;
    Slot slot;
};

const Binding Bindings[] = {
    {"pB_ToInterfaceFromMixer", &PageNavigator::toInterface},
    {"pB_ToOutputFromMixer", &PageNavigator::toRouting},
    {"pB_ToMixerFromInterface", &PageNavigator::toMixerFromInterface},
    {"pB_ToOutputFromInterface", &PageNavigator::toRoutingFromInterface},
    {"pB_ToMixerFromRoutingK1", &PageNavigator::toMixer},
    {"pB_ToMixerFromRoutingK2", &PageNavigator::toMixer},
    {"pB_ToInformationFromRoutingK1", &PageNavigator::toInterface},
    {"pB_ToInformationFromRoutingK2", &PageNavigator::toInterface},
};

} // namespace

PageNavigator::PageNavigator(QStackedWidget *stack, Hooks hooks, QObject *parent)
    : QObject(parent), stack_(stack), hooks_(std::move(hooks))
{}

int PageNavigator::bindButtons(QWidget *root)
{
    int found = 0;
    for (const Binding &b : Bindings) {
        auto *button = root->findChild<QAbstractButton *>(QLatin1String(b.button));
        if (!button)
            continue;
        connect(button, &QAbstractButton::released, this, b.slot, Qt::UniqueConnection);
        ++found;
    }
    return found;
}

void PageNavigator::show(Page page)
{
    stack_->setCurrentIndex(page);
    hooks_.storePage(page);
}

void PageNavigator::toMixer()
{
    show(Mixer);
}

void PageNavigator::toInterface()
{
    stack_->setCurrentIndex(Interface);
    emit interfaceChosen();
    hooks_.storePage(Interface);
}

void PageNavigator::toRouting()
{
    show(hooks_.smallModel() ? RoutingK1 : RoutingK2);
}

void PageNavigator::toMixerFromInterface()
{
    if (mayLeaveInterface())
        toMixer();
}

void PageNavigator::toRoutingFromInterface()
{
    if (mayLeaveInterface())
        toRouting();
}

void PageNavigator::goToMixer()
{
    if (stack_->currentIndex() == Interface)
        toMixerFromInterface();
    else
        toMixer();
}

void PageNavigator::goToRouting()
{
    if (stack_->currentIndex() == Interface)
        toRoutingFromInterface();
    else
        toRouting();
}

bool PageNavigator::mayLeaveInterface()
{
    if (hooks_.unitPresent() || hooks_.shiftHeld())
        return true;
    openWarning(stack_->window(), tr("AVENOR LYNTRA Settings Panel"), tr("Please connect the device."));
    return false;
}
