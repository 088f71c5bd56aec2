#include "drawlevelmeter.h"

#include "metermath.h"

void DrawLevelMeter::bind(const QVector<MeterLabels> &meters)
{
    for (int s = 0; s < meter::kSlots; ++s)
        meters_[s] = s < meters.size() ? meters.at(s) : MeterLabels();
}

void DrawLevelMeter::update_levels(const meter::LevelStore &store)
{
    table_.setLevels(store);
    table_.update(*this);
}

void DrawLevelMeter::holdTick()
{
    table_.holdTick(*this);
}

void DrawLevelMeter::update_grmeter(QLabel *label, uint32_t value)
{
    if (!label)
        return;
    gr_.update(value);
    label->setGeometry(meter::kGrLeft, meter::kGrTop, meter::kGrRight - meter::kGrLeft + 1, gr_.height());
    label->setVisible(gr_.visible());
}

void DrawLevelMeter::clear_grmeter(QLabel *label)
{
    gr_ = meter::GrBar();
    if (label)
        label->hide();
}

meter::Bar DrawLevelMeter::bar(int slot) const
{
    const QLabel *l = meters_[slot].bar;
    if (!l)
        return meter::barAt(slot, meter::kEmptyOffset);
    const QRect r = l->geometry();
    return {r.left(), r.top(), r.right(), r.bottom()};
}

void DrawLevelMeter::setBar(int slot, const meter::Bar &bar)
{
    const QRect r(QPoint(bar.left, bar.top), QPoint(bar.right, bar.bottom));
    // Bars that hold still cost nothing: most of them, most of the time.
    if (QLabel *l = meters_[slot].bar; l && l->geometry() != r)
        l->setGeometry(r);
}

void DrawLevelMeter::setPeak(int slot, bool lit)
{
    if (QLabel *l = meters_[slot].peak)
        l->setVisible(lit);
}
