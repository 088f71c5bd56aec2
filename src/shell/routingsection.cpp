#include "routingsection.h"

#include "artlayout.h"
#include "lineouts.h"
#include "mixcontrols.h"
#include "monitorcontrol.h"
#include "monitormodel.h"
#include "navstyle.h"
#include "routingpage.h"

#include <QPushButton>

using mixer::UnitModel;

RoutingSection::RoutingSection(QIXDevice &device, Settings &settings, mixer::MixControls &controls,
                               QObject *parent)
    : QObject(parent), controls_(controls), lineOuts_(new mixer::LineOutModel(settings, device, this)),
      monitor_(new mixer::MonitorModel(settings, device, this))
{
    controls.setRouting(*monitor_, *lineOuts_);
}

RoutingSection::~RoutingSection()
{
    delete dialog_;
    delete k1_;
    delete k2_;
}

RoutingPage *RoutingSection::build(UnitModel unit)
{
    // The selectors take the model's current choices, so a page built late shows what a page built at
    // start would.
    auto *page = new RoutingPage(*lineOuts_, controls_, unit);
    const QString model = unit == UnitModel::K1 ? QStringLiteral("K1") : QStringLiteral("K2");
    const struct {
        const char *name;
        const char *text;
    } buttons[] = {{"pB_ToMixerFromRouting", QT_TR_NOOP("MIXER")},
                   {"pB_ToInformationFromRouting", QT_TR_NOOP("INTERFACE")}};
    const artlayout::Rect &area = artlayout::kNavArea;
    const int width = (area.w - 10) / 2;
    int x = area.x;
    for (const auto &b : buttons) {
        auto *button = new QPushButton(tr(b.text), page);
        button->setObjectName(QLatin1String(b.name) + model);
        button->setStyleSheet(navButtonStyle());
        button->setCursor(Qt::PointingHandCursor);
        button->setGeometry(x, area.y, width, area.h);
        x += width + 10;
    }
    if (QPushButton *monitor = page->monitorButton())
        connect(monitor, &QPushButton::released, this, &RoutingSection::on_pB_MoniconEnable_released);
    return page;
}

QWidget *RoutingSection::page(UnitModel unit)
{
    QPointer<RoutingPage> &page = unit == UnitModel::K1 ? k1_ : k2_;
    if (!page)
        page = build(unit);
    return page.data();
}

void RoutingSection::applyStored(bool smallModel)
{
    unit_ = smallModel ? UnitModel::K1 : UnitModel::K2;
    lineOuts_->applyStored(unit_);
    // A unit that comes back while the monitor is open gets the monitor's routes and levels again.
    // Otherwise the line outs go out as a closed monitor leaves them: a panel that ended while
    // monitoring (killed, logged out, power lost) may have left the other pairs muted on the unit.
    if (dialog_ && dialog_->isVisible())
        dialog_->prepare();
    else
        monitor_->releaseOutputs();
}

void RoutingSection::on_pB_MoniconEnable_released()
{
    if (!dialog_) {
        dialog_ = new MonitorControl(*monitor_, controls_, page(UnitModel::K2)->window());
        dialog_->addActions(dialogActions_);
        connect(dialog_, &QDialog::rejected, this, &RoutingSection::slt_CloseMoniconWindow);
    }
    if (dialog_->isVisible())
        return;
    k2_->monitorButton()->setChecked(true);
    lineOuts_->setHeld(true);
    dialog_->setModal(true);
    dialog_->prepare();
    dialog_->show();
}

void RoutingSection::slt_CloseMoniconWindow()
{
    k2_->monitorButton()->setChecked(false);
    dialog_->release();
    lineOuts_->setHeld(false);
    lineOuts_->reapply(unit_);
}
