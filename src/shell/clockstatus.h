// The clock source choice and the unit's clock, rate and input-lock reports on the interface page:
// what is stored and sent when the user picks a source or an optical mode, and how each report colours
// the status labels. Drives widgets it does not own (the page does).
//
// GUI thread only: every method and slot touches widgets.
#pragma once

#include "ixmsg_ids.h"

#include <QObject>
#include <QString>

#include <cstdint>

class QButtonGroup;
class QComboBox;
class QIXDevice;
class QLabel;
class QRadioButton;
class Settings;
struct ShellState;

// The widgets the clock logic drives. All pointers are required and must outlive the ClockStatus.
struct ClockWidgets {
    QButtonGroup *sourceGroup = nullptr; // buttonGroup_ClockSource, ids 1..4
    QRadioButton *internal = nullptr;    // rB_Internal
    QRadioButton *opticalA = nullptr;    // rB_Optical_A
    QRadioButton *opticalB = nullptr;    // rB_Optical_B
    QRadioButton *word = nullptr;        // rB_Word
    QComboBox *modeA = nullptr;          // cB_Optical_A
    QComboBox *modeB = nullptr;          // cB_Optical_B
    QLabel *clockCaption = nullptr;      // label_ClockSourceStatus
    QLabel *clockStatus = nullptr;       // label_IntClockSourceStatus
    QLabel *clockSource = nullptr;       // label_IntClockSource
    QLabel *sampleRate = nullptr;        // label_IntSampleRate
    QLabel *optAStatus = nullptr;        // label_IntOptAInputStatus
    QLabel *optBCaption = nullptr;       // label_OptBInputStatus
    QLabel *optBStatus = nullptr;        // label_IntOptBInputStatus
    QLabel *wordCaption = nullptr;       // label_WordInputStatus
    QLabel *wordStatus = nullptr;        // label_IntWordInputStatus
    QLabel *device = nullptr;            // label_IntDevice (the model is read from its text)
};

// The status label looks; the texts are fixed by the product, other code compares against them.
namespace clockstyle {
extern const QString kCaptionGrey;
extern const QString kCaptionBlack;
extern const QString kValueGrey;
extern const QString kValueBlack;
extern const QString kValueRed;
extern const QString kRadioGrey;
extern const QString kRadioBlack;
extern const QString kDashes; // "----------"
} // namespace clockstyle

class ClockStatus : public QObject {
    Q_OBJECT

public:
    enum class Optical { A, B };

    // `widgets`: see ClockWidgets. `device`, `settings`: program-wide, not owned, must outlive this.
    // `state`: the window's shell state, read for the identification state and the buffer-size flag;
    // may be null until attachShellState() (sample-rate reports are ignored meanwhile).
    // Connects the radio buttons and the optical selectors to selectSource()/changeOpticalMode().
    ClockStatus(const ClockWidgets &widgets, QIXDevice &device, Settings &settings, const ShellState *state,
                QObject *parent = nullptr);

    void attachShellState(const ShellState &state) { state_ = &state; }

    // Choosing a clock source by panel id (1 Internal, 2 Optical A, 3 Optical B, 4 Word; anything else
    // Internal): checks the radio button, sets the caption look, stores the id and sends the source
    // (an optical source first sends its selector's mode).
    void selectSource(int panelId);

    // An optical selector moved to `index`: stores it and sends the mode for that input; an index
    // outside 0..3 is stored and nothing is sent. The clock source is not sent again.
    void changeOpticalMode(Optical input, int index);

    // Applies the stored clock choice. `reconnected` false (window construction): the selectors take
    // their stored indexes (a change sends its mode), then the stored source is selected.
    // `reconnected` true (a returning unit was identified): the selectors' current modes are stored
    // and sent again, then the stored source is selected, with Optical B and Word falling back to
    // Internal when `smallModel`.
    void applyStoredClock(bool reconnected, bool smallModel);

    // The look when the unit has gone: "No Device", no rate, the three status values grey dashes.
    void showDisconnected();

    // The model-dependent state applied after every full load: small model disables Optical B and Word.
    // Emits sig_modelChanged.
    void applyModelState();

    // The small model is the one whose product name reads exactly "LYNTRA K1" in label_IntDevice.
    bool isSmallModel() const;

    uint32_t currentSampleRate() const { return currentRate_; }
    // 1 (44.1/48 kHz), 2 (88.2/96 kHz), 4 (176.4/192 kHz); 0 until a known rate arrived.
    int rateClass() const { return rateClass_; }
    // Class of the rate shown in label_IntSampleRate; 0 when it shows none of the six rates.
    int displayedRateClass() const;
    // Last rate the unit reported for Word, Optical A or Optical B; 0 for any other source or before.
    uint32_t rememberedRate(uint32_t source) const;

public slots:
    void slt_RecvClockSource(ixmsg_data_clocksource_t source);
    void slt_RecvClockHz(ixmsg_data_clocksource_t source, uint32_t hz);
    void slt_RecvSampleRate(uint32_t hz);
    void slt_RecvDigitalInputStatus(ixmsg_data_clocksource_t source, ixmsg_data_clocklock_t lock);

signals:
    // The sample rate shown changed class (or was shown again): the mixer switches its strip layout.
    void sig_rateClassChanged(int rateClass);
    // applyModelState ran; `small` is true for the small model.
    void sig_modelChanged(bool small);

private:
    struct ExternalInput {
        uint32_t source;
        QString name;
        uint32_t hz;
    };

    ExternalInput *input(uint32_t source);
    const ExternalInput *input(uint32_t source) const;
    bool mismatched(uint32_t source) const;
    void showClockStatus(uint32_t source, uint32_t lock);
    void showInputStatus(uint32_t source, uint32_t lock);
    QComboBox *selectorOf(uint32_t source) const;

    ClockWidgets w_;
    QIXDevice &device_;
    Settings &settings_;
    const ShellState *state_;
    uint32_t currentRate_ = 0;
    int rateClass_ = 0;
    ExternalInput inputs_[3];
};
