#include "stereostrip.h"

#include "mixcontrols.h"
#include "mixermodel.h"
#include "stripcaption.h"
#include "stripgeometry.h"

#include <QPushButton>

using mixer::WidgetKind;
using stripstyle::Lamp;
namespace g = stripgeo;

StereoStrip::StereoStrip(StripContext &ctx, int pair, QWidget *parent)
    : StripWidget(ctx, {mixer::StripKind::Pair, pair}, parent)
{
    setFixedSize(g::kPairWidth, g::kHeight);
    const mixer::PairInfo *p = mixer::pairInfo(pair);

    QPushButton *unlink = addButton(WidgetKind::LinkOff, tr("LINK"), QRect(4, 2, 112, 16), Lamp::Link, true);
    connect(unlink, &QPushButton::clicked, this, [this] {
        m_ctx.controls.change(mixer::stripControl(mixer::ControlKind::Link, ref()), false);
    });

    addToggle(WidgetKind::Select, stripCaption(ref()), QRect(4, g::kSelectY, 112, 18), Lamp::Select);
    addToggle(WidgetKind::Phase, tr("\u00d8 L"), QRect(4, g::kRow1Y, 36, 16), Lamp::Phase,
              objectNameOf(WidgetKind::PhaseL), mixer::Side::Left);
    addToggle(WidgetKind::Phase, tr("\u00d8 R"), QRect(42, g::kRow1Y, 36, 16), Lamp::Phase,
              objectNameOf(WidgetKind::PhaseR), mixer::Side::Right);
    addToggle(WidgetKind::Bypass, tr("TB"), QRect(80, g::kRow1Y, 36, 16), Lamp::Bypass);
    addToggle(WidgetKind::Eq, tr("EQ"), QRect(4, g::kRow2Y, 55, 16), Lamp::Eq);
    addToggle(WidgetKind::Comp, tr("CMP"), QRect(61, g::kRow2Y, 55, 16), Lamp::Comp);
    addSendsMuteSolo(33, 61, 112);

    // Left marker on the odd track's lane, right marker on the even track's, in one panel.
    addCaption(tr("PAN L"), QRect(4, g::kPanDisplayY, 52, 14));
    addCaption(tr("PAN R"), QRect(64, g::kPanDisplayY, 52, 14));
    if (p) {
        addPanMarker(mixer::Side::Left, WidgetKind::PanKnobL, WidgetKind::PanDisplayL, 0, 0,
                     QRect(4, g::kPanDisplayY, 52, 14));
        addPanMarker(mixer::Side::Right, WidgetKind::PanKnobR, WidgetKind::PanDisplayR, 1, 0,
                     QRect(64, g::kPanDisplayY, 52, 14));
    }
    addFader(g::faderX(width()), QRect(4, g::kFaderBoxY, 112, 20));
    addMeter(WidgetKind::LevelMeterL, WidgetKind::PeakL, 2);
    addMeter(WidgetKind::LevelMeterR, WidgetKind::PeakR, 3);
    if (p)
        addCaption(QStringLiteral("%1 | %2").arg(p->first).arg(p->second), QRect(3, g::kNameY, 114, 20));
}
