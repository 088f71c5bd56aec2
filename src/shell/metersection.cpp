#include "metersection.h"

#include "qixdevice.h"
#include "tracks.h"

MeterSection::MeterSection(QIXDevice &device, QObject *parent) : QObject(parent), device_(device)
{
    connect(&device_, &QIXDevice::sig_recv_meter, this, &MeterSection::slt_RecvLevelMeter);
    connect(&device_, &QIXDevice::sig_recv_grmeter, this, &MeterSection::slt_RecvGRMeter);
}

void MeterSection::bindGainReduction(QLabel *label, EditedInput edited)
{
    grLabel_ = label;
    edited_ = std::move(edited);
    // Nothing is reduced until a channel is edited and its unit says so.
    if (grLabel_)
        grLabel_->hide();
}

void MeterSection::slt_RecvLevelMeter(ixmsg_data_ch_t type, uint8_t number, uint32_t value)
{
    store_.storeLevel(type, number, value);
    // Asking again on every value keeps the meters running at the pace of the link; the device
    // merges the repeats into one request.
    device_.get_meter();
}

void MeterSection::slt_RecvGRMeter(ixmsg_data_ch_t, uint8_t, uint32_t value)
{
    store_.storeGainReduction(value);
}

void MeterSection::restartGainReduction()
{
    store_.gainReduction = meter::kNoReduction;
    draw_.clear_grmeter(grLabel_);
}

void MeterSection::tick()
{
    draw_.update_levels(store_);
    device_.get_meter();
    const int input = edited_ ? edited_() : 0;
    if (input < 1 || input > meter::kInputs)
        return;
    draw_.update_grmeter(grLabel_, store_.gainReduction);
    device_.get_grmeter(IXMSG_DATA_CH_INPUT, uint8_t(input));
}

int gainReductionInput(std::optional<mixer::StripRef> selection)
{
    const mixer::StripRef strip = selection.value_or(mixer::StripRef{});
    if (strip.kind == mixer::StripKind::Mono)
        return strip.number;
    if (strip.kind == mixer::StripKind::Pair)
        if (const mixer::PairInfo *pair = mixer::pairInfo(strip.number))
            return pair->first;
    return 0;
}
