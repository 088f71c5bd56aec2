#include "unitpresence.h"

QString firmwareVersionText(uint16_t version, uint16_t build)
{
    if (version == 0 || build == 0)
        return QStringLiteral("No Device");
    return QStringLiteral("%1.%2 %3")
        .arg(version / 100)
        .arg(version % 100, 2, 10, QLatin1Char('0'))
        .arg(build, 4, 10, QLatin1Char('0'));
}

UnitPresence::UnitPresence(ShellState &state, QObject *parent) : QObject(parent), state_(state) {}

void UnitPresence::tick(bool present)
{
    if (present) {
        // Settings sent before the unit knows who it is would be lost on a unit still starting up.
        if (!state_.awaiting_unit || state_.identification != ShellState::NameReceived)
            return;
        state_.awaiting_unit = false;
        emit loadStoredState();
        state_.identification = ShellState::SetUp;
        emit restoreClock();
        return;
    }
    if (state_.awaiting_unit)
        return;
    state_.awaiting_unit = true;
    state_.identification = ShellState::NotIdentified;
    emit unitLost();
}

void UnitPresence::productNameReceived(const QString &name)
{
    if (name.isEmpty()) {
        emit deviceNameChanged(QStringLiteral("No Device"));
        emit deselectWanted();
        return;
    }
    emit deviceNameChanged(name);
    if (state_.identification == ShellState::NotIdentified)
        state_.identification = ShellState::NameReceived;
}

void UnitPresence::firmwareVersionReceived(uint16_t version)
{
    if (version == state_.firmware_version)
        return;
    state_.firmware_version = version;
    firmwareChanged();
}

void UnitPresence::firmwareBuildReceived(uint16_t build)
{
    if (build == state_.firmware_build)
        return;
    state_.firmware_build = build;
    firmwareChanged();
}

void UnitPresence::clearFirmware()
{
    state_.firmware_version = 0;
    state_.firmware_build = 0;
}

void UnitPresence::firmwareChanged()
{
    emit firmwareTextChanged(firmwareVersionText(state_.firmware_version, state_.firmware_build));
}
