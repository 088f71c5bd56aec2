// The clock source choice and the unit's clock, rate and input-lock reports on the interface page:
// what is stored and sent when the user picks a source or an optical mode, and how each report of the
// unit status colours the status labels. Drives widgets it does not own (the page does).
//
// GUI thread only: every method and slot touches widgets.
#pragma once

#include "ixmsgids.h"

#include <QObject>
#include <QString>

#include <cstdint>

class QButtonGroup;
class QComboBox;
class QIXDevice;
class QLabel;
class QRadioButton;
class Settings;

namespace mixer {
class UnitStatus;
}

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

    // `widgets`: see ClockWidgets. `device`, `settings`, `unit`: program-wide, not owned, must outlive
    // this. Connects the radio buttons and the optical selectors to selectSource()/changeOpticalMode(),
    // and the unit status's clock reports to the status labels.
    ClockStatus(const ClockWidgets &widgets, QIXDevice &device, Settings &settings, const mixer::UnitStatus &unit,
                QObject *parent = nullptr);

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

    // The model-dependent state applied after every full load: small model disables Optical B and Word.
    void applyModelState();

private:
    // The look when the unit has gone: the three status values grey dashes.
    void showDisconnected();
    void showLock(uint32_t source, uint32_t lock);
    bool isSmallModel() const;
    void showClockStatus(uint32_t source, uint32_t lock);
    void showInputStatus(uint32_t source, uint32_t lock);
    QComboBox *selectorOf(uint32_t source) const;

    ClockWidgets w_;
    QIXDevice &device_;
    Settings &settings_;
    const mixer::UnitStatus &unit_;
};
