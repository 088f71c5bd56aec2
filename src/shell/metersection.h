// The meters of the window: keeps the values the unit reports, keeps meter requests flowing, and on
// every 100 ms tick with the unit present moves the bars of the mixer page and the gain-reduction bar
// of the channel being edited.
#pragma once

#include "drawlevelmeter.h"
#include "ixmsgids.h"
#include "levelstore.h"
#include "tracks.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QIXDevice;

class MeterSection : public QObject {
    Q_OBJECT

public:
    // The input (1-20) whose compressor the editor shows, 0 when none.
    using EditedInput = std::function<int()>;

    // `device`: program-wide, not owned, must outlive the section. Connects the device's meter
    // signals at once. GUI thread.
    explicit MeterSection(QIXDevice &device, QObject *parent = nullptr);

    // The page's 42 meters in display-table order, bound once.
    void bindLevels(const QVector<MeterLabels> &meters) { draw_.bind(meters); }
    // The editor's gain-reduction bar and who tells the edited channel.
    void bindGainReduction(QLabel *label, EditedInput edited);

    // One 100 ms step while the unit is present: bars to the stored values, then fresh requests.
    void tick();
    // Once a second while the unit is present: peak lamps count down.
    void holdTick() { draw_.holdTick(); }
    // The unit went away: the store falls back to silence and no reduction.
    void reset() { store_.reset(); }
    // Another strip is edited, or none: the bar goes out rather than go on showing the last one's
    // reduction, and starts again from no reduction.
    void restartGainReduction();

    const meter::LevelStore &store() const { return store_; }
    const DrawLevelMeter &display() const { return draw_; }

public slots:
    void slt_RecvLevelMeter(ixmsg_data_ch_t type, uint8_t number, uint32_t value);
    void slt_RecvGRMeter(ixmsg_data_ch_t type, uint8_t number, uint32_t value);

private:
    QIXDevice &device_;
    meter::LevelStore store_;
    DrawLevelMeter draw_;
    QPointer<QLabel> grLabel_;
    EditedInput edited_;
};

// The input whose gain reduction the editor shows for the selected strip: a mono track's own
// input, a linked pair's first input (its compressors run linked), else 0.
int gainReductionInput(std::optional<mixer::StripRef> selection);
