// Pages 2 and 3: the routing pages of the two models with their line-out model, and the monitor
// control dialog they open. The window asks for the pages and hands over the full load's line-out part.
#pragma once

#include "monitorcontrol.h"
#include "routingpage.h"
#include "unitmodel.h"

#include <QObject>
#include <QPointer>

class QIXDevice;
class QWidget;
class Settings;

class QAction;

namespace mixer {
class LineOutModel;
class MixControls;
class MonitorModel;
} // namespace mixer

class RoutingSection : public QObject {
    Q_OBJECT

public:
    // `device`, `settings`: program-wide, not owned, must outlive the section. The section's models join
    // `controls`, which take the pages' and the dialog's changes and must outlive the section. GUI thread.
    RoutingSection(QIXDevice &device, Settings &settings, mixer::MixControls &controls, QObject *parent = nullptr);
    // Deletes the pages and the dialog while the models they use are still there.
    ~RoutingSection() override;

    // The page of `unit` with its navigation buttons, built on the first call (a start need not pay
    // for pages nobody may open); the window's page stack adopts it.
    QWidget *page(mixer::UnitModel unit);

    // Part of every full load: the stored line-out choices of the connected model go to the unit, and
    // the line-out levels as the panel has them: the monitor's target set up again over them while it
    // is open, otherwise every line out and the monitor master at 0 dB.
    void applyStored(bool smallModel);

    // The dialog, once it has been opened; null before.
    MonitorControl *monitor() const { return dialog_; }
    mixer::LineOutModel &lineOuts() const { return *lineOuts_; }
    mixer::MonitorModel &monitorModel() const { return *monitor_; }
    // The window's actions that also work in the dialog (undo, redo): the dialog holds the keyboard.
    void setDialogActions(const QList<QAction *> &actions) { dialogActions_ = actions; }

public slots:
    // Opens the monitor dialog (created on first use), modal over the window.
    void on_pB_MoniconEnable_released();
    // The dialog was closed: line outs and the monitor master at 0 dB, the routing choices again.
    void slt_CloseMoniconWindow();

private:
    RoutingPage *build(mixer::UnitModel unit);

    mixer::MixControls &controls_;
    mixer::LineOutModel *lineOuts_;
    mixer::MonitorModel *monitor_;
    QPointer<RoutingPage> k1_;
    QPointer<RoutingPage> k2_;
    QPointer<MonitorControl> dialog_;
    mixer::UnitModel unit_ = mixer::UnitModel::K2;
    QList<QAction *> dialogActions_;
};
