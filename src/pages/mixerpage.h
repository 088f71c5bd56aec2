// The mixer page: ten pair containers and the master strip on a fixed 1320 x 720 page. Pair containers
// are shown as the model's visible channels say and packed from the left; the band under the strips is
// kept free for the dynamics and EQ editor.
#pragma once

#include "faderpair.h"
#include "knobdrag.h"
#include "meterlabels.h"
#include "pandrag.h"
#include "stripcontext.h"

#include <QVector>
#include <QWidget>

class MasterStrip;
class PairStrip;
class QStackedWidget;

namespace mixer {
class MixControls;
class MixerModel;
}

class MixerPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 1320;
    static constexpr int kHeight = 720;
    static constexpr int kStripsY = 30;

    /// Builds every strip from the tables and the state of the model behind \p controls, which take the
    /// user's changes; not owned, must outlive the page. GUI thread.
    explicit MixerPage(mixer::MixControls &controls, QWidget *parent = nullptr);
    ~MixerPage() override;

    /// The band under the strips that holds the channel editor and the reverb section.
    static QRect editorBand();

    /// The 42 level meters in display-table order: per pair the two mono strips, then the linked
    /// strip's left and right; then master left and right.
    QVector<MeterLabels> meterSlots() const;

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    void relayout();

    mixer::MixerModel &m_model;
    FaderFlags m_faderFlags{false, true};
    PanDrag m_pan;
    KnobDrag m_send;
    StripContext m_ctx;
    QVector<PairStrip *> m_pairs;
    QStackedWidget *m_masterStack;
    int m_stripsEnd = 0; // right edge of the last visible pair
    MasterStrip *m_master;
};
