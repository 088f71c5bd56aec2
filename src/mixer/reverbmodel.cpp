#include "reverbmodel.h"

#include "qixdevice.h"
#include "scales.h"
#include "settingkeys.h"
#include "settings.h"

#include <algorithm>

namespace mixer {
namespace reverb {
namespace {

const std::array<TypeInfo, kTypes> &types()
{
    static const std::array<TypeInfo, kTypes> t = {{
        {1, QStringLiteral(QT_TRANSLATE_NOOP("ReverbPanel", "HALL")), QStringLiteral("pB_RevHall"),
         QStringLiteral(":Resource/Reverb/Rvb_hall.png")},
        {2, QStringLiteral(QT_TRANSLATE_NOOP("ReverbPanel", "ROOM")), QStringLiteral("pB_RevRoom"),
         QStringLiteral(":Resource/Reverb/Rvb_room.png")},
        {3, QStringLiteral(QT_TRANSLATE_NOOP("ReverbPanel", "LIVE")), QStringLiteral("pB_RevLive"),
         QStringLiteral(":Resource/Reverb/Rvb_live.png")},
        {4, QStringLiteral(QT_TRANSLATE_NOOP("ReverbPanel", "STUDIO")), QStringLiteral("pB_RevStudio"),
         QStringLiteral(":Resource/Reverb/Rvb_studio.png")},
        {5, QStringLiteral(QT_TRANSLATE_NOOP("ReverbPanel", "PLATE")), QStringLiteral("pB_RevPlate"),
         QStringLiteral(":Resource/Reverb/Rvb_plate.png")},
    }};
    return t;
}

} // namespace

const TypeInfo &typeInfo(int code)
{
    return types()[static_cast<size_t>(modeType(code) - 1)];
}

int typeCode(const QString &name)
{
    for (const TypeInfo &t : types())
        if (t.name == name)
            return t.code;
    return 0;
}

int modeType(int storedMode)
{
    return storedMode >= 1 && storedMode <= 4 ? storedMode : kPlate;
}

QString timeLabel(int position)
{
    return QStringLiteral("%1.%2").arg(position / 10).arg(position % 10);
}

ReverbParams factory(int code)
{
    // One table of factory values: the defaults the settings keys read as.
    return {settings::defaultValue(settings::key::rvbPreDelayPos(code)), settings::defaultValue(settings::key::rvbTimePos(code)),
            settings::defaultValue(settings::key::rvbDiffPos(code))};
}

} // namespace reverb

ReverbModel::ReverbModel(Settings &settings, QIXDevice &device, QObject *parent)
    : QObject(parent), settings_(settings), device_(device)
{}

int ReverbModel::type() const
{
    return reverb::modeType(settings_.value(settings::key::ReverbMode));
}

ReverbParams ReverbModel::params(int code) const
{
    code = reverb::modeType(code);
    // The settings reader keeps stored positions within the knobs' ranges.
    return {settings_.value(settings::key::rvbPreDelayPos(code)), settings_.value(settings::key::rvbTimePos(code)),
            settings_.value(settings::key::rvbDiffPos(code))};
}

bool ReverbModel::on() const
{
    return settings_.value(settings::key::MasterReverb);
}

int ReverbModel::returnPosition() const
{
    return settings_.value(settings::kMasterGroup, settings::key::ReturnLevel);
}

QString ReverbModel::returnLabel() const
{
    return send::label(returnPosition());
}

ReverbCurveState ReverbModel::curve() const
{
    const ReverbParams p = current();
    return {on(), uint8_t(p.preDelay / 10), uint8_t(p.time * 2), type()};
}

void ReverbModel::sendReverb()
{
    const ReverbParams p = current();
    device_.set_reverb(static_cast<uint32_t>(type()), static_cast<uint8_t>(p.preDelay),
                       static_cast<uint8_t>(p.time), static_cast<uint8_t>(p.diff));
}

void ReverbModel::sendReturn()
{
    device_.set_return(on() ? 1 : 0, static_cast<int8_t>(send::dbAt(returnPosition())));
}

void ReverbModel::selectType(int code)
{
    if (code < 1 || code > reverb::kTypes)
        return;
    settings_.setValue(settings::key::ReverbMode, code);
    emit typeChanged(code);
    emit paramsChanged(current());
    emit curveChanged();
    if (on())
        setOn(true);
}

void ReverbModel::setPreDelay(int position)
{
    settings_.setValue(settings::key::rvbPreDelayPos(type()), std::clamp(position, 0, reverb::kMaxPreDelay));
    paramChanged();
}

void ReverbModel::setTime(int position)
{
    const int p = std::clamp(position, reverb::kMinTime, reverb::kMaxTime);
    settings_.setValue(settings::key::rvbTimePos(type()), p);
    settings_.setValue(settings::key::rvbTimeValue(type()), reverb::timeLabel(p));
    paramChanged();
}

void ReverbModel::setDiffusion(int position)
{
    settings_.setValue(settings::key::rvbDiffPos(type()), std::clamp(position, 0, reverb::kMaxDiff));
    paramChanged();
}

void ReverbModel::paramChanged()
{
    emit paramsChanged(current());
    emit curveChanged();
    if (on())
        sendReverb();
}

void ReverbModel::setOn(bool on)
{
    settings_.setValue(settings::key::MasterReverb, on);
    emit onChanged(on);
    emit curveChanged();
    // The type goes first so that the return never opens onto stale parameters.
    if (on)
        sendReverb();
    sendReturn();
}

void ReverbModel::setReturnLevel(int position)
{
    const int p = std::clamp(position, 0, send::kPositions - 1);
    settings_.setValue(settings::kMasterGroup, settings::key::ReturnLevel, p);
    settings_.setValue(settings::kMasterGroup, settings::key::ReturnValue, send::label(p));
    sendReturn();
    emit returnChanged(p, send::label(p));
}

void ReverbModel::initialize()
{
    // The unit hears only the final HALL: sending each type on the way would switch it audibly.
    for (int code = 1; code <= reverb::kTypes; ++code) {
        const ReverbParams f = reverb::factory(code);
        settings_.setValue(settings::key::rvbPreDelayPos(code), f.preDelay);
        settings_.setValue(settings::key::rvbTimePos(code), f.time);
        settings_.setValue(settings::key::rvbTimeValue(code), reverb::timeLabel(f.time));
        settings_.setValue(settings::key::rvbDiffPos(code), f.diff);
    }
    selectType(reverb::kHall);
}

void ReverbModel::load()
{
    emit typeChanged(type());
    emit paramsChanged(current());
    emit onChanged(on());
    emit returnChanged(returnPosition(), returnLabel());
    emit curveChanged();
    if (on())
        sendReverb();
    sendReturn();
}

} // namespace mixer
