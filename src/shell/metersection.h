// The meters of the window: keeps the values the unit reports and moves the bars of the mixer page and
// the gain-reduction bar of the channel being edited, one display step per 100 ms tick while the unit
// is present and the page is shown.
//
// Each tick asks the unit once for fresh values (and the edited channel's gain reduction) and draws
// as soon as they are in, so the bars show levels a few tens of milliseconds old and the link is
// quiet the rest of the time. While the page is hidden nothing is asked and nothing drawn; the peak
// hold runs on, and the first step after the page shows again catches up the fall it missed.
#pragma once

#include "drawlevelmeter.h"
#include "ixmsgids.h"
#include "levelstore.h"
#include "tracks.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>

class QIXDevice;
class QWidget;

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
    // The page the meters are on: they are asked for only while it is shown (not hidden, not
    // minimised). Without one they always are.
    void bindDisplay(QWidget *page);

    // One 100 ms step while the unit is present: fresh values are asked for, and drawn when in (or at
    // the next step, whatever came by then).
    void tick();
    // Once a second while the unit is present: peak lamps count down.
    void holdTick() { draw_.holdTick(); }
    // The unit went away: the store falls back to silence and no reduction.
    void reset();
    // Another strip is edited, or none: the bar goes out rather than go on showing the last one's
    // reduction, and starts again from no reduction.
    void restartGainReduction();

    const meter::LevelStore &store() const { return store_; }
    const DrawLevelMeter &display() const { return draw_; }

    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    void slt_RecvLevelMeter(ixmsg_data_ch_t type, uint8_t number, uint32_t value);
    void slt_RecvGRMeter(ixmsg_data_ch_t type, uint8_t number, uint32_t value);

private:
    void ask();
    void answered(uint32_t bit);
    void unitQuiet();
    // Draws the step (and any steps missed while the page was hidden).
    void draw();
    int editedInput() const;

    QIXDevice &device_;
    meter::LevelStore store_;
    DrawLevelMeter draw_;
    QPointer<QLabel> grLabel_;
    QPointer<QWidget> page_;
    EditedInput edited_;
    bool shown_ = true;
    bool present_ = false;
    // A step asked the unit and has not drawn yet.
    bool waiting_ = false;
    // Channels (one bit each: inputs, masters, gain reduction) answered since the last request, and
    // those the unit answered for the last request it finished answering: when they are all in, the
    // step draws without waiting for the unit to fall quiet.
    uint32_t got_ = 0;
    uint32_t expected_ = 0;
    // Steps not drawn while the page was hidden, so many fall steps are owed.
    int missed_ = 0;
};

// The input whose gain reduction the editor shows for the selected strip: a mono track's own
// input, a linked pair's first input (its compressors run linked), else 0.
int gainReductionInput(std::optional<mixer::StripRef> selection);
