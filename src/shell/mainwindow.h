// The one window of the program: page stack, menus, the three timers, unit presence, and the dialogs
// of the shell. Built in code; every widget other code reaches carries the product's object name.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <memory>

class InterfacePage;
class MainMenus;
class MeterSection;
class MixerSection;
class PageNavigator;
class ProgressWindow;
class QIXDevice;
class QLabel;
class QMessageBox;
class QStackedWidget;
class RemoteSection;
class RoutingSection;
class SceneFiles;
class SceneMemories;
class Settings;
class UndoHistory;
class UpdateSoftware;

namespace mixer {
class UnitStatus;
}

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static const char *const SoftwareVersion; // "1.00 0059"

    // `device`, `settings`: program-wide, not owned, must outlive the window. Talks to the device; the
    // start-up information box, unless suppressed, opens once the event loop runs. No box it shows
    // waits for its answer. GUI thread.
    MainWindow(QIXDevice &device, Settings &settings, QWidget *parent = nullptr);
    // Saves the window geometry.
    ~MainWindow() override;

    MainMenus &menus() { return *menus_; }
    UndoHistory &history() { return *history_; }
    MeterSection &meters() { return *meters_; }
    QStackedWidget *pages() const { return stack_; }

    // The unit in use is the small model (as the unit status tells).
    bool isSmallModel() const;

    // Opens "Changing various settings..." titled `title` for ten seconds; the menu bar is disabled
    // meanwhile.
    void openProgressWindow(const QString &title);

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void sig_initProgressBarCountChange(uint8_t count);
    void sig_initProgressBarCountFinish();
    // "- Update" was chosen: the update check should run now.
    void sig_updateCheckRequested();
    // Every tenth presence tick with the unit there: time for the one-second meter hold.
    void sig_meterHold();
    // The unit went away: received meter values are void.
    void sig_metersReset();

public slots:
    void timerInterrupt_1000ms();
    void timerInterrupt_100ms();
    void slt_initProgressBarCountChange(uint8_t count);
    void slt_initProgressBarCountFinish();
    void doUpdate();
    void on_actionProduct_Information_triggered();
    void on_actionFAQs_triggered();
    void on_actionLicense_triggered();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPages();
    // Builds the mixer page, or puts a routing page into its frame, the first time the stack shows it.
    void fillPage(int index);
    void connectMenus();
    void connectDevice();
    void showUnitLost();
    void setUpReturnedUnit();
    void showInformationUnlessSuppressed();
    // End of every full load: the routing page and the interface page follow the store and the model.
    void followLoadedState();
    void runFirmwareCheck();
    QLabel *label(const char *objectName) const;

    QIXDevice &device_;
    Settings &settings_;
    uint8_t progressCountdown_ = 0; // seconds the progress window has left
    uint8_t meterTick_ = 0;         // presence ticks since the last meter hold
    mixer::UnitStatus *unit_ = nullptr;
    MixerSection *mixer_ = nullptr;
    RoutingSection *routing_ = nullptr;
    SceneMemories *scenes_ = nullptr;
    RemoteSection *remote_ = nullptr;
    SceneFiles *sceneFiles_ = nullptr;
    UndoHistory *history_ = nullptr;
    MeterSection *meters_ = nullptr;
    std::unique_ptr<InterfacePage> interface_;
    QStackedWidget *stack_ = nullptr;
    std::unique_ptr<MainMenus> menus_;
    QTimer timer1000_;
    QTimer timer100_;
    PageNavigator *navigator_ = nullptr;
    std::unique_ptr<ProgressWindow> progress_;
    QPointer<QWidget> bufferSlider_;
    QPointer<QMessageBox> disconnectBox_;
    QPointer<QMessageBox> information_;
    QPointer<QWidget> licence_;
    std::unique_ptr<UpdateSoftware> update_; // last: its windows go before the rest of the window
};
