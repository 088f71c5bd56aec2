// The reverb section of the mixer page: the five type buttons, the type's picture, the pre-delay, time
// and diffusion knobs with their values, and the reverb diagram. The switch and the return knob sit on
// the master strip. At the two highest sample rates the unit has no reverb: the controls give way to
// `label_ReverbDisable` and the stored values wait.
#pragma once

#include "knobdrag.h"
#include "knobscale.h"
#include "reverbmodel.h"

#include <QVector>
#include <QWidget>

class DialControl;
class DrawReverb;
class QButtonGroup;
class QLabel;
class QMouseEvent;

namespace mixer {
class MixControls;
class MixerModel;
}

class ReverbPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 356;
    static constexpr int kHeight = 124;

    /// Shows the reverb of the model behind \p controls and follows its sample-rate class; the user's
    /// changes go to \p controls, which must outlive the panel. GUI thread.
    explicit ReverbPanel(mixer::MixControls &controls, QWidget *parent = nullptr);

public slots:
    /// Redraws the diagram from the model.
    void doReverbRepaint();

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    // One of the three knobs; `field` 0 pre-delay, 1 time, 2 diffusion.
    struct Knob {
        int field;
        KnobScale scale;
        DialControl *knob;
        QLabel *value;
    };
    struct Captions {
        QString title;
        QString unit;
    };

    void addKnob(int field, const char *knobName, const char *valueName, const Captions &captions, int x);
    static int indexOf(const mixer::ReverbParams &p, int field);
    void showParams(const mixer::ReverbParams &p);
    void showType(int code);
    void followRate(int rateClass);

    void turnKnob(const Knob &k, int index);

    mixer::MixControls &m_mix;
    mixer::ReverbModel &m_model;
    KnobDrag m_drag;
    QButtonGroup *m_types;
    QLabel *m_picture;
    DrawReverb *m_curve;
    QLabel *m_disabled;
    QVector<Knob> m_knobs;
    // Everything the unit's lack of a reverb hides.
    QVector<QWidget *> m_controls;
};
