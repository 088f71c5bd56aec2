#include "monitormodel.h"

#include "qixdevice.h"
#include "ixmsgids.h"
#include "monitorscale.h"
#include "settings.h"

namespace mixer {

namespace {

// The settings number their monitor sections by output pair 1..4.
int section(int target)
{
    return MonitorModel::validTarget(target) + 1;
}

int leftOutput(int target)
{
    return 2 * MonitorModel::validTarget(target) + 1;
}

int rightOutput(int target)
{
    return leftOutput(target) + 1;
}

// English, as printed on the unit; the window translates at display time (sourceName()).
QString sourceText(const RouteSource &a)
{
    switch (a.type) {
    case IXMSG_DATA_CH_MASTER:
        return a.channel == 1 ? QStringLiteral(QT_TRANSLATE_NOOP("SourceName", "MASTER L"))
                              : QStringLiteral(QT_TRANSLATE_NOOP("SourceName", "MASTER R"));
    case IXMSG_DATA_CH_AUX:
        return QStringLiteral(QT_TRANSLATE_NOOP("SourceName", "AUX %1")).arg(a.channel);
    case IXMSG_DATA_CH_COMPUTER:
        return QStringLiteral(QT_TRANSLATE_NOOP("SourceName", "COMPUTER %1")).arg(a.channel);
    default:
        // Unit inputs 5..12 and 13..20 are the two optical ports.
        if (a.channel <= 4)
            return QStringLiteral(QT_TRANSLATE_NOOP("SourceName", "INPUT %1")).arg(a.channel);
        if (a.channel <= 12)
            return QStringLiteral(QT_TRANSLATE_NOOP("SourceName", "OPTICAL A%1")).arg(a.channel - 4);
        return QStringLiteral(QT_TRANSLATE_NOOP("SourceName", "OPTICAL B%1")).arg(a.channel - 12);
    }
}

} // namespace

const std::array<MonitorSource, kMonitorSources> &monitorSources()
{
    static const auto sources = [] {
        std::array<MonitorSource, kMonitorSources> s;
        for (int i = 0; i < kMonitorSources; ++i) {
            // Each source is a stereo pair of neighbouring channels, left odd.
            RouteSource left{IXMSG_DATA_CH_MASTER, 1};
            if (i >= 8)
                left = {IXMSG_DATA_CH_INPUT, uint8_t(2 * (i - 8) + 1)};
            else if (i >= 3)
                left = {IXMSG_DATA_CH_COMPUTER, uint8_t(2 * (i - 3) + 1)};
            else if (i >= 1)
                left = {IXMSG_DATA_CH_AUX, uint8_t(2 * i - 1)};
            const RouteSource right{left.type, uint8_t(left.channel + 1)};
            s[size_t(i)] = {sourceText(left), sourceText(right), left, right};
        }
        return s;
    }();
    return sources;
}

MonitorModel::MonitorModel(Settings &settings, QIXDevice &device, QObject *parent)
    : QObject(parent), settings_(settings), device_(device)
{}

int MonitorModel::validTarget(int target)
{
    return target >= 0 && target < kTargets ? target : 0;
}

bool MonitorModel::validSource(int index)
{
    return index >= 0 && index < kMonitorSources;
}

int MonitorModel::storedTarget() const
{
    return validTarget(settings_.value(settings::key::MoniConOutput));
}

double MonitorModel::masterLevel() const
{
    return settings_.value(settings::key::MoniConMaster);
}

double MonitorModel::leftLevel(int target) const
{
    return settings_.value(settings::monitorGroup(section(target)), settings::key::moniConMono(1));
}

double MonitorModel::rightLevel(int target) const
{
    return settings_.value(settings::monitorGroup(section(target)), settings::key::moniConMono(2));
}

bool MonitorModel::link(int target) const
{
    return settings_.value(settings::monitorGroup(section(target)), settings::key::MoniConLink);
}

int MonitorModel::leftSource(int target) const
{
    const int index = settings_.value(settings::monitorGroup(section(target)), settings::key::moniConSource(false));
    return validSource(index) ? index : 0;
}

int MonitorModel::rightSource(int target) const
{
    const int index = settings_.value(settings::monitorGroup(section(target)), settings::key::moniConSource(true));
    return validSource(index) ? index : 0;
}

void MonitorModel::selectTarget(int target)
{
    target_ = validTarget(target);
    settings_.setValue(settings::key::MoniConOutput, target_);
    const bool linked = link(target_);
    const double left = leftLevel(target_);
    // Stored pairs from before a link may disagree; the linked pair plays as its left side.
    storeSource(target_, Side::Left, leftSource(target_));
    storeSource(target_, Side::Right, linked ? leftSource(target_) : rightSource(target_));
    storeLevel(target_, Side::Left, left);
    storeLevel(target_, Side::Right, linked ? left : rightLevel(target_));
    if (monitoring_)
        muteAllBut(target_);
    emit targetChanged(target_);
}

void MonitorModel::setMasterLevel(double dB)
{
    settings_.setValue(settings::key::MoniConMaster, dB);
    if (monitoring_)
        sendLevel(kMasterChannel, dB);
    emit masterLevelChanged(dB);
}

void MonitorModel::storeLevel(int target, Side side, double dB)
{
    const bool right = side == Side::Right;
    settings_.setValue(settings::monitorGroup(section(target)), settings::key::moniConMono(right ? 2 : 1), dB);
    if (monitoring_ && validTarget(target) == target_)
        sendLevel(right ? rightOutput(target) : leftOutput(target), dB);
    emit levelChanged(validTarget(target), side, dB);
}

void MonitorModel::setLeftLevel(int target, double dB)
{
    storeLevel(target, Side::Left, dB);
}

void MonitorModel::setRightLevel(int target, double dB)
{
    storeLevel(target, Side::Right, dB);
}

void MonitorModel::setLink(int target, bool on)
{
    settings_.setValue(settings::monitorGroup(section(target)), settings::key::MoniConLink, on);
    if (on) {
        storeSource(target, Side::Right, leftSource(target));
        storeLevel(target, Side::Right, leftLevel(target));
    }
    emit linkChanged(validTarget(target), on);
}

void MonitorModel::storeSource(int target, Side side, int index)
{
    const bool right = side == Side::Right;
    settings_.setValue(settings::monitorGroup(section(target)), settings::key::moniConSource(right), index);
    if (monitoring_ && validTarget(target) == target_) {
        const MonitorSource &s = monitorSources()[size_t(index)];
        const RouteSource &from = right ? s.right : s.left;
        device_.set_assign_ch(from.type, from.channel, IXMSG_DATA_CH_OUTPUT,
                              uint32_t(right ? rightOutput(target) : leftOutput(target)));
    }
    emit sourceChanged(validTarget(target), side, index);
}

void MonitorModel::setLeftSource(int target, int index)
{
    if (!validSource(index))
        return;
    storeSource(target, Side::Left, index);
    if (link(target))
        storeSource(target, Side::Right, index);
}

void MonitorModel::setRightSource(int target, int index)
{
    if (validSource(index))
        storeSource(target, Side::Right, index);
}

void MonitorModel::muteTarget(int target)
{
    sendLevel(leftOutput(target), monitor::kMinDb);
    sendLevel(rightOutput(target), monitor::kMinDb);
}

void MonitorModel::resetLevelPair(int target)
{
    sendLevel(leftOutput(target), 0.0);
    sendLevel(rightOutput(target), 0.0);
}

void MonitorModel::muteAllBut(int target)
{
    for (int t = 0; t < kTargets; ++t)
        if (t != validTarget(target))
            muteTarget(t);
}

void MonitorModel::releaseOutputs()
{
    for (int t = 0; t < kTargets; ++t)
        resetLevelPair(t);
    sendLevel(kMasterChannel, 0.0);
}

void MonitorModel::sendLevel(int channel, double dB)
{
    device_.set_fader(IXMSG_DATA_CH_OUTPUT, uint32_t(channel), monitor::wire(dB));
}

} // namespace mixer
