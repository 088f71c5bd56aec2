// The monitor control dialog: picks one pair of line outputs as the monitor target, feeds it a left
// and a right source (or one stereo source while linked) at their own levels, and sets the monitor
// master. The other pairs are muted while it is open. Levels use the monitor scale through the same
// fader mechanism as the mixer strips. The dialog shows what the monitor model holds and hands the
// user's changes to the mix controls.
#pragma once

#include "control.h"
#include "faderpair.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace mixer {
class MixControls;
class MonitorModel;
enum class Side;
}

class MonitorControl : public QDialog {
    Q_OBJECT
public:
    /// \p model and \p controls are not owned and must outlive the dialog. Builds the form; reads and
    /// sends nothing. GUI thread.
    MonitorControl(mixer::MonitorModel &model, mixer::MixControls &controls, QWidget *parent = nullptr);
    ~MonitorControl() override;

    /// Before showing: the stored target is selected (its sources, link and levels go to the unit and
    /// the other pairs are muted), then the stored master level.
    void prepare();
    /// After closing: every line output and the monitor master back to 0 dB on the unit, the sliders
    /// back to the top; the stored levels stay as they are.
    void release();

    /// Set while a typed level is being carried to the unit.
    bool typedMonitorValue() const { return m_flags.typedValuePending; }

public slots:
    void on_cB_mcSourceL_currentIndexChanged(int index);
    void on_cB_mcSourceR_currentIndexChanged(int index);
    void on_pB_mcLink_clicked(bool checked);
    /// The target buttons pB_mcLineOut1_2 .. pB_mcLineOut7_8 (target 0..3).
    void selectTarget(int target);

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    enum Fader { Master, Mono1, Mono2, Stereo };

    void buildTargets();
    void buildSources();
    void buildLevels();
    FaderPair *addFader(Fader which, QWidget *host, const char *name, int centreX, int top, int height);
    mixer::Control levelControl(Fader which) const;
    void levelSet(Fader which, double db);
    void listen();
    void showTarget(int target);
    void showLevel(int target, mixer::Side side, double db);
    void showLinked(bool on);
    static void setQuietly(QComboBox *combo, int index);

    mixer::MonitorModel &m_model;
    mixer::MixControls &m_controls;
    FaderFlags m_flags; // typedValuePending is this dialog's typedMonitorValue
    QString m_art; // decoded when first painted
    std::array<FaderPair *, 4> m_faders{};
    QButtonGroup *m_targets = nullptr;
    QComboBox *m_sourceL = nullptr;
    QComboBox *m_sourceR = nullptr;
    QPushButton *m_link = nullptr;
    QStackedWidget *m_levels = nullptr;
    QLabel *m_mono1Label = nullptr;
    QLabel *m_mono2Label = nullptr;
    QLabel *m_stereoLabel = nullptr;
};
