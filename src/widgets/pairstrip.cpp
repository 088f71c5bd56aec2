#include "pairstrip.h"

#include "controlaccess.h"

#include "mixcontrols.h"
#include "mixermodel.h"
#include "monostrip.h"
#include "stereostrip.h"
#include "stripgeometry.h"
#include "stripstyle.h"

#include <QPushButton>

using mixer::StripKind;
using mixer::WidgetKind;

PairStrip::PairStrip(StripContext &ctx, int pair, QWidget *parent) : QStackedWidget(parent), m_pair(pair)
{
    const mixer::StripRef ref{StripKind::Pair, pair};
    setObjectName(mixer::widgetName(WidgetKind::Stack, ref));
    setFixedSize(stripgeo::kPairWidth, stripgeo::kHeight);
    const mixer::PairInfo *info = mixer::pairInfo(pair);
    const int first = info ? info->first : 2 * pair - 1;

    auto *monoPage = new QWidget(this);
    monoPage->setObjectName(mixer::widgetName(WidgetKind::MonoPage, ref));
    m_odd = new MonoStrip(ctx, first, monoPage);
    m_even = new MonoStrip(ctx, first + 1, monoPage);
    m_even->move(stripgeo::kMonoWidth, 0);
    auto *link = new QPushButton(tr("LINK"), monoPage);
    link->setObjectName(mixer::widgetName(WidgetKind::LinkOn, ref));
    link->setFocusPolicy(Qt::TabFocus);
    controlaccess::attach(link, ctx.controls, mixer::stripControl(mixer::ControlKind::Link, ref));
    link->setGeometry(4, 2, stripgeo::kPairWidth - 8, 16);
    stripstyle::setLamp(link, stripstyle::Lamp::Link);
    connect(link, &QPushButton::clicked, this,
            [&ctx, ref] { ctx.controls.change(mixer::stripControl(mixer::ControlKind::Link, ref), true); });

    auto *stereoPage = new QWidget(this);
    stereoPage->setObjectName(mixer::widgetName(WidgetKind::StereoPage, ref));
    m_stereo = new StereoStrip(ctx, pair, stereoPage);

    addWidget(monoPage);
    addWidget(stereoPage);
    connect(&ctx.model.events(ref), &mixer::StripEvents::linkChanged, this, &PairStrip::reflectLink);
    // Also the strips' first showing of the model: they do not refresh themselves when built.
    reflectLink(ctx.model.pairLinked(pair));
}

void PairStrip::reflectLink(bool on)
{
    setCurrentIndex(on ? 1 : 0);
    // A link copies one side's state over the other; show every control as the model now has it.
    m_odd->refresh();
    m_even->refresh();
    m_stereo->refresh();
}
