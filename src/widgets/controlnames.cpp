#include "controlnames.h"

#include "dynscales.h"
#include "monitormodel.h"
#include "reverbmodel.h"
#include "scales.h"
#include "stripcaption.h"

#include <cmath>

using mixer::ControlKind;

namespace {

QString captionOf(mixer::StripRef strip)
{
    return strip.kind == mixer::StripKind::Master ? ControlNames::tr("MASTER") : stripCaption(strip);
}

QString sideWord(mixer::Side side)
{
    return side == mixer::Side::Left ? ControlNames::tr("left")
           : side == mixer::Side::Right ? ControlNames::tr("right")
                                        : QString();
}

// "pan" + "left" -> "pan left"; nothing to add gives the part alone.
QString withSide(const QString &part, mixer::Side side)
{
    return side == mixer::Side::None ? part : ControlNames::tr("%1 %2", "control and side").arg(part, sideWord(side));
}

} // namespace

QString ControlNames::stripPart(mixer::StripRef strip, const QString &part)
{
    return tr("%1 %2", "strip and control").arg(captionOf(strip), part);
}

QString ControlNames::onOff(bool on)
{
    return on ? tr("on") : tr("off");
}

QString ControlNames::level(double db)
{
    if (db <= mixer::fader::kMinDb + 0.05)
        return tr("minus infinity");
    const QString number = QString::number(std::fabs(db), 'f', 1);
    if (number == QLatin1String("0.0"))
        return tr("%1 dB").arg(number);
    return db < 0 ? tr("minus %1 dB").arg(number) : tr("plus %1 dB").arg(number);
}

QString ControlNames::signedUnit(int value, const QString &unit)
{
    if (value < 0)
        return tr("minus %1 %2").arg(-value).arg(unit);
    return tr("%1 %2", "number and unit").arg(value).arg(unit);
}

QString ControlNames::send(int position)
{
    return position <= 0 ? tr("minus infinity") : signedUnit(mixer::send::dbAt(position), tr("dB"));
}

QString ControlNames::pan(int position)
{
    const int i = mixer::pan::unitIndex(position); // 0 hard left, 20 centre, 40 hard right
    if (i == 20)
        return tr("centre");
    return i < 20 ? tr("left %1").arg(20 - i) : tr("right %1").arg(i - 20);
}

QString ControlNames::name(const mixer::Control &c, bool withStrip)
{
    if (c.kind >= ControlKind::MonitorTarget)
        return routingName(c);
    if (c.kind == ControlKind::DynKnob || c.kind == ControlKind::LowCut) {
        const QString part = c.kind == ControlKind::LowCut ? tr("low cut") : dynKnobName(c.index);
        return withStrip && c.strip.valid() ? stripPart(c.strip, part) : part;
    }
    return stripName(c);
}

QString ControlNames::stripName(const mixer::Control &c)
{
    switch (c.kind) {
    case ControlKind::Phase:
        return stripPart(c.strip, withSide(tr("phase"), c.side));
    case ControlKind::Eq:
        return stripPart(c.strip, tr("EQ"));
    case ControlKind::Comp:
        return stripPart(c.strip, tr("compressor"));
    case ControlKind::Mute:
        return stripPart(c.strip, tr("mute"));
    case ControlKind::Solo:
        return stripPart(c.strip, tr("solo"));
    case ControlKind::Bypass:
        return stripPart(c.strip, tr("true bypass"));
    case ControlKind::SendPoint:
        return stripPart(c.strip, tr("aux %1 send point").arg(c.index));
    case ControlKind::Fader:
        return stripPart(c.strip, tr("fader"));
    case ControlKind::Pan:
        return stripPart(c.strip, withSide(tr("pan"), c.side));
    case ControlKind::Send:
        if (c.strip.kind == mixer::StripKind::Master && c.index == 0)
            return tr("Reverb return");
        return stripPart(c.strip, tr("aux %1 send").arg(c.index));
    case ControlKind::Name:
        return stripPart(c.strip, tr("channel name"));
    case ControlKind::Link:
        return stripPart(c.strip, tr("link"));
    case ControlKind::ReverbType:
        return tr("Reverb type");
    case ControlKind::ReverbOn:
        return tr("Reverb");
    case ControlKind::ReverbParam:
        return c.index == 0 ? tr("Reverb pre-delay") : c.index == 1 ? tr("Reverb time") : tr("Reverb diffusion");
    default:
        return {};
    }
}

QString ControlNames::routingName(const mixer::Control &c)
{
    const int left = 2 * mixer::MonitorModel::validTarget(c.index) + 1;
    switch (c.kind) {
    case ControlKind::MonitorTarget:
        return tr("Monitor output");
    case ControlKind::MonitorMaster:
        return tr("Monitor master");
    case ControlKind::MonitorLevel:
        if (c.side == mixer::Side::None)
            return tr("LINE OUT %1-%2 monitor level").arg(left).arg(left + 1);
        return tr("LINE OUT %1 monitor level").arg(c.side == mixer::Side::Right ? left + 1 : left);
    case ControlKind::MonitorLink:
        return tr("Monitor link");
    case ControlKind::MonitorSource:
        return c.side == mixer::Side::Right ? tr("Monitor right source") : tr("Monitor left source");
    case ControlKind::LineOut:
        return tr("LINE OUT %1 source").arg(c.index);
    default:
        return {};
    }
}

QString ControlNames::dynKnobName(int knob)
{
    static const char *const names[mixer::kDynKnobs] = {
        QT_TR_NOOP("compressor threshold"), QT_TR_NOOP("compressor ratio"),  QT_TR_NOOP("compressor gain"),
        QT_TR_NOOP("compressor attack"),    QT_TR_NOOP("compressor release"), QT_TR_NOOP("EQ high gain"),
        QT_TR_NOOP("EQ high-mid gain"),     QT_TR_NOOP("EQ low-mid gain"),    QT_TR_NOOP("EQ low gain"),
        QT_TR_NOOP("EQ high frequency"),    QT_TR_NOOP("EQ high-mid frequency"), QT_TR_NOOP("EQ low-mid frequency"),
        QT_TR_NOOP("EQ low frequency"),     QT_TR_NOOP("EQ high-mid Q"),      QT_TR_NOOP("EQ low-mid Q")};
    return knob >= 0 && knob < mixer::kDynKnobs ? tr(names[knob]) : QString();
}

QString ControlNames::dynValue(int knob, int p)
{
    using mixer::DynKnob;
    const DynKnob k = mixer::dynKnobAt(knob);
    const int unit = mixer::dynUnit(k, p);
    switch (k) {
    case DynKnob::Threshold:
    case DynKnob::Gain:
        return signedUnit(unit, tr("dB"));
    case DynKnob::Ratio:
        return unit == 255 ? tr("infinity to 1") : tr("%1 to 1").arg(QString::number(unit / 10.0, 'f', 1));
    case DynKnob::Attack:
    case DynKnob::Release:
        return signedUnit(mixer::dynLabel(k, p).toInt(), tr("milliseconds"));
    case DynKnob::HighFreq:
    case DynKnob::HighMidFreq:
    case DynKnob::LowMidFreq:
    case DynKnob::LowFreq:
        return signedUnit(mixer::eqscale::frequencyHz(unit), tr("hertz"));
    case DynKnob::HighMidQ:
    case DynKnob::LowMidQ:
        return tr("Q %1").arg(mixer::dynLabel(k, p));
    default:
        return signedUnit(mixer::eqscale::gainDb(p), tr("dB"));
    }
}

QString ControlNames::value(const mixer::Control &c, const QVariant &v)
{
    switch (c.kind) {
    case ControlKind::SendPoint:
        return v.toInt() == 2 ? tr("pre") : v.toInt() == 3 ? tr("post") : tr("neither pre nor post");
    case ControlKind::Fader:
    case ControlKind::MonitorMaster:
    case ControlKind::MonitorLevel:
        return level(v.toDouble());
    case ControlKind::Pan:
        return pan(v.toInt());
    case ControlKind::Send:
        return send(v.toInt());
    case ControlKind::DynKnob:
        return dynValue(c.index, v.toInt());
    case ControlKind::ReverbParam:
        return c.index == 0   ? signedUnit(v.toInt(), tr("milliseconds"))
               : c.index == 1 ? tr("%1 seconds").arg(mixer::reverb::timeLabel(v.toInt()))
                              : QString::number(v.toInt());
    // A name field and the selectors speak through Qt's own interfaces (their text is their value); the
    // reverb types and monitor outputs are switches, each with a name of its own.
    case ControlKind::Name:
    case ControlKind::ReverbType:
    case ControlKind::MonitorTarget:
    case ControlKind::MonitorSource:
    case ControlKind::LineOut:
        return {};
    default:
        return onOff(v.toBool());
    }
}
