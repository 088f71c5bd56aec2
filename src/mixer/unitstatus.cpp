#include "unitstatus.h"

#include "qixdevice.h"

#include <iterator>

namespace mixer {
namespace {

constexpr SampleRate kRates[] = {
    {44100, "44.1kHz", 1}, {48000, "48kHz", 1},     {88200, "88.2kHz", 2},
    {96000, "96kHz", 2},   {176400, "176.4kHz", 4}, {192000, "192kHz", 4},
};

bool named(uint32_t source)
{
    return source == IXMSG_DATA_CLOCKSOURCE_INTERNAL || source == IXMSG_DATA_CLOCKSOURCE_WORD ||
           source == IXMSG_DATA_CLOCKSOURCE_OPTICAL_A || source == IXMSG_DATA_CLOCKSOURCE_OPTICAL_B;
}

} // namespace

const SampleRate *sampleRateOf(uint32_t hz)
{
    for (const SampleRate &r : kRates)
        if (r.hz == hz)
            return &r;
    return nullptr;
}

QString firmwareVersionText(uint16_t version, uint16_t build)
{
    if (version == 0 || build == 0)
        return QStringLiteral("No Device");
    return QStringLiteral("%1.%2 %3")
        .arg(version / 100)
        .arg(version % 100, 2, 10, QLatin1Char('0'))
        .arg(build, 4, 10, QLatin1Char('0'));
}

UnitStatus::UnitStatus(QIXDevice &device, QObject *parent) : QObject(parent), device_(device)
{
    connect(&device, &QIXDevice::sig_recv_productname, this, &UnitStatus::nameReceived);
    connect(&device, &QIXDevice::sig_recv_version, this, &UnitStatus::versionReceived);
    connect(&device, &QIXDevice::sig_recv_build, this, &UnitStatus::buildReceived);
    connect(&device, &QIXDevice::sig_recv_hz, this, &UnitStatus::rateReceived);
    connect(&device, &QIXDevice::sig_recv_clocksource, this, [this](ixmsg_data_clocksource_t source) {
        sourceReported_ = true;
        source_ = source;
        emit clockSourceReported(source);
    });
    connect(&device, &QIXDevice::sig_recv_clockhz, this, &UnitStatus::clockHzReceived);
    connect(&device, &QIXDevice::sig_recv_clocklock, this,
            [this](ixmsg_data_clocksource_t source, ixmsg_data_clocklock_t lock) {
                if (source < locks_.size())
                    locks_[source] = lock;
                emit lockReported(source, lock);
            });
    connect(&device, &QIXDevice::sig_unit_access, this, &UnitStatus::accessReported);
}

UnitModel UnitStatus::model() const
{
    return productName_ == QLatin1String("LYNTRA K1") ? UnitModel::K1 : UnitModel::K2;
}

bool UnitStatus::runsOn(uint32_t source) const
{
    return sourceReported_ && (named(source) || named(source_) ? source == source_ : true);
}

uint32_t UnitStatus::rememberedRate(uint32_t source) const
{
    const uint32_t *hz = const_cast<UnitStatus *>(this)->externalRate(source);
    return hz ? *hz : 0;
}

bool UnitStatus::mismatched(uint32_t source) const
{
    return rememberedRate(source) != rate_;
}

uint32_t *UnitStatus::externalRate(uint32_t source)
{
    switch (source) {
    case IXMSG_DATA_CLOCKSOURCE_WORD:
        return &wordHz_;
    case IXMSG_DATA_CLOCKSOURCE_OPTICAL_A:
        return &opticalAHz_;
    case IXMSG_DATA_CLOCKSOURCE_OPTICAL_B:
        return &opticalBHz_;
    default:
        return nullptr;
    }
}

void UnitStatus::presenceTick(bool present)
{
    if (present) {
        // Settings sent before the unit knows who it is would be lost on a unit still starting up.
        if (!awaitingUnit_ || identification_ != Identification::NameReceived)
            return;
        awaitingUnit_ = false;
        emit loadStoredState();
        identification_ = Identification::SetUp;
        emit restoreClock();
        return;
    }
    if (awaitingUnit_)
        return;
    awaitingUnit_ = true;
    identification_ = Identification::None;
    setProductName(QString());
    if (rateShown_) {
        rateShown_ = false;
        emit sampleRateChanged(0);
    }
    emit unitLost();
}

void UnitStatus::nameReceived(const QString &name)
{
    setProductName(name);
    if (name.isEmpty()) {
        // The unit answered but is not usable: look for it anew.
        device_.deselect();
        return;
    }
    if (identification_ == Identification::None)
        identification_ = Identification::NameReceived;
}

void UnitStatus::setProductName(const QString &name)
{
    productName_ = name;
    emit productNameChanged(name);
}

void UnitStatus::versionReceived(uint16_t version)
{
    if (version == version_)
        return;
    version_ = version;
    emit firmwareTextChanged(firmwareText());
}

void UnitStatus::buildReceived(uint16_t build)
{
    if (build == build_)
        return;
    build_ = build;
    emit firmwareTextChanged(firmwareText());
}

void UnitStatus::rateReceived(uint32_t hz)
{
    // Before set-up the unit may still run at its power-on rate, and while the driver restarts for a
    // new buffer size it reports transient rates; showing either would flip the mixer layout.
    if (identification_ != Identification::SetUp || rateHeld_)
        return;
    const SampleRate *rate = sampleRateOf(hz);
    if (!rate || (rateShown_ && hz == rate_))
        return;
    rate_ = hz;
    rateShown_ = true;
    emit sampleRateChanged(hz);
    emit rateClassChanged(rate->rateClass);
}

void UnitStatus::clockHzReceived(uint32_t source, uint32_t hz)
{
    if (uint32_t *remembered = externalRate(source))
        *remembered = hz;
}

void UnitStatus::accessReported(int access)
{
    const devif_access reported = access == DEVIF_ACCESS_DENIED || access == DEVIF_ACCESS_BUSY
                                      ? static_cast<devif_access>(access)
                                      : DEVIF_ACCESS_OK;
    if (reported == access_)
        return;
    access_ = reported;
    emit accessChanged();
}

} // namespace mixer
