// The unit's status as the panel knows it: its identity (product name, model, firmware), the sample rate
// and its class, the clock source it runs on with the rates of the external inputs, whether it is
// there and set up, and what keeps a unit that is there from being opened. The one owner of these facts: fed by the device object's signals and the window's
// presence check; pages and strips read it and follow its signals. No widgets.
//
// GUI thread only (the thread of the device object).
#pragma once

#include "devif.h"
#include "unitmodel.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

class QIXDevice;

namespace mixer {

// Firmware field text: "No Device" when either figure is 0, else "<v/100>.<v%100, 2 digits>
// <build, 4 digits>" (102, 34 -> "1.02 0034").
QString firmwareVersionText(uint16_t version, uint16_t build);

class UnitStatus : public QObject {
    Q_OBJECT

public:
    // Follows `device`'s identity and clock reports from now on; `device` must outlive this object.
    explicit UnitStatus(QIXDevice &device, QObject *parent = nullptr);

    // ---- Identity. Empty while no unit is named (none found, gone, or it answered with no name).
    QString productName() const { return productName_; }
    UnitModel model() const;
    QString firmwareText() const { return firmwareVersionText(version_, build_); }

    // ---- Rate and clock as last reported: the shown rate (0 while none is shown), the source the unit
    // runs on (0 before a report) and the last lock status reported for `source` (0 before one).
    uint32_t sampleRate() const { return rateShown_ ? rate_ : 0; }
    uint32_t clockSource() const { return sourceReported_ ? source_ : 0; }
    uint32_t lock(uint32_t source) const { return source < locks_.size() ? locks_[source] : 0; }

    // ---- Clock. Whether the unit last reported running on `source`; false before any report. Sources the panel
    // has no name for all count as one.
    bool runsOn(uint32_t source) const;
    // Last rate the unit reported for Word, Optical A or Optical B; 0 for any other source or before.
    uint32_t rememberedRate(uint32_t source) const;
    // Whether the external input `source` runs at another rate than the unit (its remembered rate
    // against the last rate shown).
    bool mismatched(uint32_t source) const;
    // While the driver restarts for a new buffer size the unit reports transient rates: ignore them.
    void holdRateReports(bool held) { rateHeld_ = held; }

    // ---- Presence. One presence check; `present`: the device object's is_selected() answer. A unit that returns (or
    // appears for the first time) is set up once its product name has arrived; a unit that goes away
    // is reported once per absence.
    void presenceTick(bool present);

    // ---- Access. What the unit's last request met: DEVIF_ACCESS_OK, or why the system refused a unit
    // that is plugged in (permission, busy).
    devif_access access() const { return access_; }

signals:
    // New name for the device field; empty shows that no unit is named.
    void productNameChanged(const QString &name);
    void firmwareTextChanged(const QString &text);
    // The shown rate changed (0: none shown) and with it, maybe, the class.
    void sampleRateChanged(uint32_t hz);
    void rateClassChanged(int rateClass);
    void clockSourceReported(uint32_t source);
    // A lock report about `source` (after the source and rate reports of the same reply).
    void lockReported(uint32_t source, uint32_t lock);
    // The unit is present and named after an absence: push the stored state (rate reports are still
    // held back while this runs).
    void loadStoredState();
    // Right after loadStoredState, the unit now set up: send the clock choices.
    void restoreClock();
    // The unit went away (name and rate are already cleared). Emitted once per absence.
    void unitLost();
    // access() changed.
    void accessChanged();

private:
    void nameReceived(const QString &name);
    void versionReceived(uint16_t version);
    void buildReceived(uint16_t build);
    void rateReceived(uint32_t hz);
    void clockHzReceived(uint32_t source, uint32_t hz);
    void accessReported(int access);
    void setProductName(const QString &name);
    uint32_t *externalRate(uint32_t source);

    // Whether the unit is known: named, and set up once present after that.
    enum class Identification { None, NameReceived, SetUp };

    QIXDevice &device_;
    QString productName_;
    uint16_t version_ = 0;
    uint16_t build_ = 0;
    uint32_t rate_ = 0;
    bool rateShown_ = false;
    bool rateHeld_ = false;
    bool sourceReported_ = false;
    uint32_t source_ = 0;
    uint32_t wordHz_ = 0;
    uint32_t opticalAHz_ = 0;
    uint32_t opticalBHz_ = 0;
    std::array<uint32_t, 8> locks_{}; // by source
    bool awaitingUnit_ = true;
    Identification identification_ = Identification::None;
    devif_access access_ = DEVIF_ACCESS_OK;
};

} // namespace mixer
