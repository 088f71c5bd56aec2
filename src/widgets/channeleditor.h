// The shared compressor and EQ editor under the strips: fifteen dial knobs with their readouts, the
// low-cut switch, the two curve displays and the gain-reduction bar. It edits the strip the mixer model
// has selected; while none is, its knobs ignore every gesture.
//
// The models are the only writers: a gesture hands the new position to the dynamics model, whose signal
// sets the knob, its readout and the curve. GUI thread.
#pragma once

#include "curvestyle.h"
#include "dynscales.h"
#include "knobdrag.h"
#include "knobkeys.h"
#include "tracks.h"

#include <QWidget>

#include <array>

class DialControl;
class DrawCompressor;
class DrawEq;
class QLabel;
class QMouseEvent;
class QPushButton;

namespace mixer {
class MixControls;
class MixerModel;
}

class ChannelEditor : public QWidget {
    Q_OBJECT
public:
    /// Edits the selected strip of the model behind \p controls, which take the user's changes and must
    /// outlive the editor.
    explicit ChannelEditor(mixer::MixControls &controls, QWidget *parent = nullptr);

    /// The gain-reduction bar; its height belongs to the meters, its background to this editor.
    QLabel *grMeter() const { return m_grMeter; }

public slots:
    void doCompressorRepaint();
    void doEqualizerRepaint();
    /// "GR_Active", "GR_Available" or anything else (passive): the bar's background image.
    void slt_changeColorComp(const QString &status);
    void setLowCutFilterEnable();
    void setLowCutFilterDisable();

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    struct KnobView {
        mixer::DynKnob knob;
        DialControl *dial;
        QLabel *value;
    };

    void addKnob(mixer::DynKnob knob);
    // The model's notices about the edited strip and its records.
    void listen();
    const KnobView &view(mixer::DynKnob knob) const { return m_knobs[static_cast<size_t>(knob)]; }
    mixer::StripRef selected() const;

    // One handler per gesture, whichever knob it is.
    void pressed(const KnobView &v, QMouseEvent *ev);
    void moved(const KnobView &v, QMouseEvent *ev);
    void doubleClicked(const KnobView &v);
    void stepped(const KnobView &v, const KnobTurn &turn);
    void turn(mixer::DynKnob knob, int position, bool burst);

    void showKnob(mixer::DynKnob knob, int position, const QString &label);
    void showLowCut(bool on);
    void showKnobs();
    void loadSelected();
    void selectionChanged();
    void showBypassed(bool bypassed);
    void updateReadouts();
    // Empty with no strip selected, else Active or Inactive as the strip's `on` switch says.
    curves::CurveMode curveMode(bool (mixer::MixerModel::*on)(mixer::StripRef) const) const;

    mixer::MixControls &m_controls;
    mixer::MixerModel &m_model;
    KnobDrag m_drag;
    std::array<KnobView, mixer::kDynKnobs> m_knobs{};
    DrawEq *m_eq = nullptr;
    DrawCompressor *m_comp = nullptr;
    QLabel *m_grMeter = nullptr;
    QLabel *m_target = nullptr;
    QPushButton *m_lowCut = nullptr;
    bool m_bypassed = false;
};
