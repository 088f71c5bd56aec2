// Moves the meter labels: the 42 bars and peak lamps of the mixer page, bound once in table order, and
// the gain-reduction bar of the editor. GUI thread only.
#pragma once

#include "grbar.h"
#include "meterlabels.h"
#include "metertable.h"

#include <QVector>

class DrawLevelMeter : public meter::MeterView {
public:
    // Takes the meters in table order (see metertable.h); fewer than 42 leave the rest unbound.
    void bind(const QVector<MeterLabels> &meters);

    // Shows `store` on the bars: one display step.
    void update_levels(const meter::LevelStore &store);
    // The once-a-second peak-hold step.
    void holdTick();
    // Sizes the gain-reduction bar `label` for `value`; a null label changes nothing.
    void update_grmeter(QLabel *label, uint32_t value);
    // The gain-reduction bar `label` out and back to no reduction.
    void clear_grmeter(QLabel *label);

    const meter::MeterTable &table() const { return table_; }

    meter::Bar bar(int slot) const override;
    void setBar(int slot, const meter::Bar &bar) override;
    void setPeak(int slot, bool lit) override;

private:
    meter::MeterTable table_;
    meter::GrBar gr_;
    MeterLabels meters_[meter::kSlots];
};
