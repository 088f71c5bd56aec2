// The monitor: one pair of line outputs (the target) fed by a left and a right source at their own
// levels, a monitor master level, and the other pairs muted while monitoring. Levels and choices are
// kept per target in the settings. While monitoring (the dialog is open) every operation that changes
// what the unit does also sends it; otherwise the outputs are the routing page's and an operation only
// stores (an undo after the dialog closed).
#pragma once

#include "lineouts.h"
#include "tracks.h"

#include <QObject>
#include <QString>

#include <array>

class QIXDevice;
class Settings;

namespace mixer {

// A source of the monitor selectors: the left and right halves of one stereo source.
struct MonitorSource {
    QString leftText;  // "OPTICAL A1"
    QString rightText; // "OPTICAL A2"
    RouteSource left;
    RouteSource right;
};

constexpr int kMonitorSources = 18;
// The sources in selector order: master, two aux pairs, five computer pairs, ten input pairs. Constant
// data, any thread.
const std::array<MonitorSource, kMonitorSources> &monitorSources();

class MonitorModel : public QObject {
    Q_OBJECT

public:
    static constexpr int kTargets = 4; // line outs 1-2, 3-4, 5-6, 7-8
    static constexpr int kMasterChannel = 9;

    // `settings`, `device`: not owned, must outlive the model. Nothing is read or sent here. GUI thread.
    MonitorModel(Settings &settings, QIXDevice &device, QObject *parent = nullptr);

    // A target outside 0..3 is taken as 0 everywhere below.
    static int validTarget(int target);

    // The target in use (0 until setTarget).
    int target() const { return target_; }

    // ---- Stored state. A stored source that is no selector entry reads as 0.
    int storedTarget() const;
    double masterLevel() const;
    double leftLevel(int target) const;
    double rightLevel(int target) const;
    bool link(int target) const;
    int leftSource(int target) const;
    int rightSource(int target) const;

    // Whether the monitor drives the outputs (from the dialog's opening to its closing).
    void setMonitoring(bool on) { monitoring_ = on; }
    bool monitoring() const { return monitoring_; }

    // ---- Operations: each stores its value and tells; while monitoring, also sends.
    // Target `target` takes the monitor: its sources are routed, its levels sent, the other pairs muted.
    void selectTarget(int target);
    void setMasterLevel(double dB);
    void setLeftLevel(int target, double dB);
    void setRightLevel(int target, double dB);
    // Linking makes the right side play the left's source at the left's level.
    void setLink(int target, bool on);
    // A source outside the selector entries is ignored. While linked the right side follows the left.
    void setLeftSource(int target, int index);
    void setRightSource(int target, int index);

    // ---- Send only, nothing stored.
    void muteTarget(int target);      // both outputs to -inf
    void resetLevelPair(int target);  // both outputs to 0 dB
    void muteAllBut(int target);
    // Monitoring ends: every line output and the monitor master back to 0 dB.
    void releaseOutputs();

signals:
    void targetChanged(int target);
    void masterLevelChanged(double dB);
    // `side` Left or Right.
    void levelChanged(int target, mixer::Side side, double dB);
    void linkChanged(int target, bool on);
    void sourceChanged(int target, mixer::Side side, int index);

private:
    void storeLevel(int target, Side side, double dB);
    void storeSource(int target, Side side, int index);
    void sendLevel(int channel, double dB);
    static bool validSource(int index);

    Settings &settings_;
    QIXDevice &device_;
    int target_ = 0;
    bool monitoring_ = false;
};

} // namespace mixer
