#include "metersection.h"

#include "qixdevice.h"
#include "tracks.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace {

// A bar falls from full to empty in 15 steps: no more are ever owed.
constexpr int kMostStepsOwed = 14;
constexpr uint32_t kGainReductionBit = 1u << (meter::kInputs + meter::kMasters);

uint32_t channelBit(uint32_t type, uint32_t number)
{
    return type == IXMSG_DATA_CH_INPUT ? 1u << (number - 1) : 1u << (meter::kInputs + number - 1);
}

} // namespace

MeterSection::MeterSection(QIXDevice &device, QObject *parent) : QObject(parent), device_(device)
{
    connect(&device_, &QIXDevice::sig_recv_meter, this, &MeterSection::slt_RecvLevelMeter);
    connect(&device_, &QIXDevice::sig_recv_grmeter, this, &MeterSection::slt_RecvGRMeter);
    connect(&device_, &QIXDevice::sig_unit_quiet, this, &MeterSection::unitQuiet);
}

void MeterSection::bindGainReduction(QLabel *label, EditedInput edited)
{
    grLabel_ = label;
    edited_ = std::move(edited);
    // Nothing is reduced until a channel is edited and its unit says so.
    if (grLabel_)
        grLabel_->hide();
}

void MeterSection::bindDisplay(QWidget *page)
{
    page_ = page;
    shown_ = page->isVisible();
    // Showing and hiding the page, and the window system mapping the window (minimised or not), come
    // as show and hide events; nothing needs looking at on the tick.
    page->installEventFilter(this);
}

bool MeterSection::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == page_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        shown_ = event->type() == QEvent::Show;
        // Back on screen: ask at once rather than at the next tick.
        if (shown_ && present_ && !waiting_)
            ask();
        if (!shown_)
            waiting_ = false;
    }
    return false;
}

void MeterSection::reset()
{
    store_.reset();
    present_ = false;
    waiting_ = false;
}

void MeterSection::slt_RecvLevelMeter(ixmsg_data_ch_t type, uint8_t number, uint32_t value)
{
    if (store_.storeLevel(type, number, value))
        answered(channelBit(type, number));
}

void MeterSection::slt_RecvGRMeter(ixmsg_data_ch_t, uint8_t, uint32_t value)
{
    store_.storeGainReduction(value);
    answered(kGainReductionBit);
}

void MeterSection::answered(uint32_t bit)
{
    got_ |= bit;
    if (waiting_ && expected_ != 0 && (got_ & expected_) == expected_)
        draw();
}

void MeterSection::unitQuiet()
{
    // Everything asked for is in: what came is what the unit answers, for the next steps to wait for.
    if (got_ == 0)
        return;
    expected_ = got_;
    if (waiting_)
        draw();
}

void MeterSection::restartGainReduction()
{
    store_.gainReduction = meter::kNoReduction;
    draw_.clear_grmeter(grLabel_);
}

int MeterSection::editedInput() const
{
    const int input = edited_ ? edited_() : 0;
    return input >= 1 && input <= meter::kInputs ? input : 0;
}

void MeterSection::tick()
{
    present_ = true;
    if (!shown_) {
        missed_ = std::min(missed_ + 1, kMostStepsOwed);
        return;
    }
    // The unit did not finish answering within a tick: show what came.
    if (waiting_)
        draw();
    ask();
}

void MeterSection::ask()
{
    waiting_ = true;
    got_ = 0;
    device_.get_meter();
    if (const int input = editedInput())
        device_.get_grmeter(IXMSG_DATA_CH_INPUT, uint8_t(input));
}

void MeterSection::draw()
{
    waiting_ = false;
    const int input = editedInput();
    for (int step = 0; step <= missed_; ++step) {
        draw_.update_levels(store_);
        if (input)
            draw_.update_grmeter(grLabel_, store_.gainReduction);
    }
    missed_ = 0;
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
