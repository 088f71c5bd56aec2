#include "monostrip.h"

#include "stripcaption.h"
#include "stripgeometry.h"

using mixer::WidgetKind;
using stripstyle::Lamp;
namespace g = stripgeo;

MonoStrip::MonoStrip(StripContext &ctx, int track, QWidget *parent)
    : StripWidget(ctx, {mixer::StripKind::Mono, track}, parent)
{
    setFixedSize(g::kMonoWidth, g::kHeight);
    const mixer::TrackInfo *t = mixer::trackInfo(track);

    addToggle(WidgetKind::Select, stripCaption(ref()), QRect(4, g::kSelectY, 52, 18), Lamp::Select);
    addToggle(WidgetKind::Phase, QStringLiteral("\u00d8"), QRect(4, g::kRow1Y, 25, 16), Lamp::Phase);
    addToggle(WidgetKind::Bypass, tr("TB"), QRect(31, g::kRow1Y, 25, 16), Lamp::Bypass);
    addToggle(WidgetKind::Eq, tr("EQ"), QRect(4, g::kRow2Y, 25, 16), Lamp::Eq);
    addToggle(WidgetKind::Comp, tr("CMP"), QRect(31, g::kRow2Y, 25, 16), Lamp::Comp);
    addSendsMuteSolo(3, 31, 52);

    // Both mono strips of a pair share one panel: the even strip starts 59 into the pan lane.
    const bool odd = !t || t->odd;
    addCaption(tr("PAN"), QRect(4, g::kPanDisplayY, 52, 14));
    addPanMarker(mixer::Side::None, WidgetKind::PanKnob, WidgetKind::PanDisplay, odd ? 0 : 1, odd ? 0 : 59,
                 QRect(4, g::kPanDisplayY, 52, 14));
    addFader(g::faderX(width()), QRect(2, g::kFaderBoxY, 56, 20));
    // Both meters of a pair's mono strips live on the page that holds the two strips.
    addMeter(WidgetKind::LevelMeter, WidgetKind::Peak, odd ? 0 : 1, parentWidget());
    addNameEdit(QRect(3, g::kNameY, 54, 20));
}
