#include "mainwindow.h"

#include "qixdevice.h"
#include "boxes.h"
#include "milestones.h"
#include "informationdialog.h"
#include "interfacepage.h"
#include "licensedialog.h"
#include "mainmenus.h"
#include "metersection.h"
#include "mixermodel.h"
#include "mixersection.h"
#include "pagenavigator.h"
#include "progresswindow.h"
#include "remotesection.h"
#include "routingsection.h"
#include "scenefiles.h"
#include "scenememories.h"
#include "screenfit.h"
#include "settings.h"
#include "undohistory.h"
#include "unitstatus.h"
#include "updatesoftware.h"
#include "weblinks.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStackedWidget>

const char *const MainWindow::SoftwareVersion = LYNTRA_SOFTWARE_VERSION;

namespace {

constexpr int MeterHoldTicks = 10;

// Pages smaller than the mixer sit in the middle of a panel-coloured page instead of its top left. A
// frame named `name` may get its page later (centre()).
QWidget *frameFor(const QString &name)
{
    auto *frame = new QWidget;
    frame->setObjectName(name);
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, QColor(0x1b, 0x1c, 0x1f));
    frame->setPalette(palette);
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    return frame;
}

void centre(QWidget *frame, QWidget *page)
{
    static_cast<QGridLayout *>(frame->layout())->addWidget(page, 0, 0, Qt::AlignCenter);
}

QWidget *centred(QWidget *page)
{
    QWidget *frame = frameFor(page->objectName());
    centre(frame, page);
    return frame;
}

} // namespace

MainWindow::MainWindow(QIXDevice &device, Settings &settings, QWidget *parent)
    : QMainWindow(parent), device_(device), settings_(settings)
{
    unit_ = new mixer::UnitStatus(device_, this);
    stack_ = new QStackedWidget(this);
    stack_->setObjectName(QStringLiteral("stackedWidget"));
    mixer_ = new MixerSection(device_, settings_, stack_, this);
    routing_ = new RoutingSection(device_, settings_, mixer_->controls(), this);
    history_ = new UndoHistory(mixer_->controls(), settings_, this);
    meters_ = new MeterSection(device_, this);
    mixer_->bindMeters(*meters_);
    interface_ = std::make_unique<InterfacePage>(device_, settings_, *unit_);
    mixer_->followUnit(*unit_);
    mixer_->buildPageSoon(this, *unit_);
    setWindowTitle(tr("AVENOR LYNTRA K1/K2 Settings Panel"));
    buildPages();
    menus_ = std::make_unique<MainMenus>(menuBar());
    new ScreenFit(*this, stack_);

    // Hover events would restyle the slider handle on every mouse move over it.
    if ((bufferSlider_ = interface_->page()->findChild<QWidget *>(QStringLiteral("hS_BufferSize")))) {
        bufferSlider_->installEventFilter(this);
        bufferSlider_->setStyleSheet(
            QStringLiteral("QSlider::handle:horizontal {background-color: white; border: 1px solid black}"));
    }

    connect(menus_->update, &QAction::triggered, this, &MainWindow::doUpdate);
    timer1000_.setInterval(1000);
    timer100_.setInterval(100);
    connect(&timer1000_, &QTimer::timeout, this, &MainWindow::timerInterrupt_1000ms);
    connect(&timer100_, &QTimer::timeout, this, &MainWindow::timerInterrupt_100ms);
    timer1000_.start();
    timer100_.start();

    connectMenus();
    connectDevice();

    stack_->setCurrentIndex(PageNavigator::Interface);
    mixer_->model().loadAll();
    if (QLabel *driver = label("label_IntDriverVersion"))
        driver->setText(QLatin1String(SoftwareVersion));
    timerInterrupt_1000ms();
    interface_->applyStoredClock(isSmallModel(), false);
    interface_->refreshBufferSize();
    // Once the event loop runs, so that the box comes up over the window rather than before it.
    QTimer::singleShot(0, this, &MainWindow::showInformationUnlessSuppressed);
    update_ = std::make_unique<UpdateSoftware>(settings_, QLatin1String(SoftwareVersion));
    connect(this, &MainWindow::sig_updateCheckRequested, update_.get(), &UpdateSoftware::softwareCheck);
    for (const char *hidden : {"label_WordInputStatus", "label_IntWordInputStatus"})
        if (auto *widget = findChild<QWidget *>(QLatin1String(hidden)))
            widget->hide();
}

MainWindow::~MainWindow()
{
    // Its thread stops before the models it acts on go with the pages.
    delete remote_;
    // The pages may still hand over a change while they go; none of it is a step any more.
    delete history_;
    Settings::writeWindowGeometry(saveGeometry());
    // Parentless, so not deleted with the window.
    delete information_.data();
    delete licence_.data();
}

void MainWindow::buildPages()
{
    stack_->addWidget(mixer_->frame());
    stack_->addWidget(centred(interface_->page()));
    // The routing pages are built when first shown: many a run never opens them.
    stack_->addWidget(frameFor(QStringLiteral("Routing_K1")));
    stack_->addWidget(frameFor(QStringLiteral("Routing_K2")));
    connect(stack_, &QStackedWidget::currentChanged, this, &MainWindow::fillPage);

    PageNavigator::Hooks hooks;
    hooks.unitPresent = [this] { return device_.is_selected(); };
    // Asked of the keyboard when a page button is let go, never remembered from a key event.
    hooks.shiftHeld = [] { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); };
    hooks.smallModel = [this] { return isSmallModel(); };
    hooks.storePage = [this](int page) { settings_.setValue(settings::key::MainWindowPanel, page); };
    navigator_ = new PageNavigator(stack_, std::move(hooks), this);
    navigator_->bindButtons(stack_);
    connect(mixer_, &MixerSection::pageBuilt, navigator_, &PageNavigator::bindButtons);
    connect(navigator_, &PageNavigator::interfaceChosen, this, [this] { interface_->refreshBufferSize(); });
}

void MainWindow::fillPage(int index)
{
    if (index == PageNavigator::Mixer)
        mixer_->page();
    if (index != PageNavigator::RoutingK1 && index != PageNavigator::RoutingK2)
        return;
    QWidget *frame = stack_->widget(index);
    if (!frame->layout()->isEmpty())
        return;
    const mixer::UnitModel unit = index == PageNavigator::RoutingK1 ? mixer::UnitModel::K1 : mixer::UnitModel::K2;
    QWidget *page = routing_->page(unit);
    centre(frame, page);
    // A layout shows a child added to a shown parent only from the event loop; the keyboard may reach
    // for the page before that.
    page->show();
    navigator_->bindButtons(frame);
}

void MainWindow::connectMenus()
{
    connect(menus_->close, &QAction::triggered, this, &QWidget::close);
    connect(menus_->minimize, &QAction::triggered, this, &QWidget::showMinimized);
    connect(menus_->productInformation, &QAction::triggered, this,
            &MainWindow::on_actionProduct_Information_triggered);
    connect(menus_->faqs, &QAction::triggered, this, &MainWindow::on_actionFAQs_triggered);
    connect(menus_->license, &QAction::triggered, this, &MainWindow::on_actionLicense_triggered);
    history_->bind(menus_->undo, menus_->redo);
    routing_->setDialogActions({menus_->undo, menus_->redo});
    connect(history_, &UndoHistory::progressWanted, this, &MainWindow::openProgressWindow);
    connect(history_, &UndoHistory::restoreFailed, this, [this](const QString &reason) {
        openWarning(this, tr("AVENOR LYNTRA Settings Panel"), tr("The mix could not be put back.") + '\n' + reason);
    });
    connect(menus_->mixerPage, &QAction::triggered, navigator_, &PageNavigator::goToMixer);
    connect(menus_->routingPage, &QAction::triggered, navigator_, &PageNavigator::goToRouting);
    connect(menus_->interfacePage, &QAction::triggered, navigator_, &PageNavigator::toInterface);
    mixer_->bindInitializeReverb(menus_->initializeReverb, *history_);
    scenes_ = new SceneMemories(*this, mixer_->model(), device_, settings_, *history_);
    scenes_->bind(*menus_);
    connect(scenes_, &SceneMemories::progressWanted, this, &MainWindow::openProgressWindow);
    remote_ = new RemoteSection({device_, settings_, mixer_->model(), *routing_, *unit_, *scenes_, *meters_}, *this);
    remote_->bind(menus_->remoteControl);
    sceneFiles_ = new SceneFiles(*this, mixer_->model(), settings_, *history_);
    sceneFiles_->bind(*menus_);
    connect(sceneFiles_, &SceneFiles::progressWanted, this, &MainWindow::openProgressWindow);
    // Offered only once the update check has found something.
    menus_->update->setEnabled(false);
}

void MainWindow::connectDevice()
{
    connect(unit_, &mixer::UnitStatus::productNameChanged, this, [this](const QString &name) {
        if (!name.isEmpty())
            runFirmwareCheck();
    });
    connect(unit_, &mixer::UnitStatus::loadStoredState, &mixer_->model(), &mixer::MixerModel::loadAll);
    connect(&mixer_->model(), &mixer::MixerModel::loaded, this, &MainWindow::followLoadedState);
    connect(unit_, &mixer::UnitStatus::restoreClock, this, &MainWindow::setUpReturnedUnit);
    connect(unit_, &mixer::UnitStatus::unitLost, this, &MainWindow::showUnitLost);
    connect(unit_, &mixer::UnitStatus::accessChanged, this, [this] {
        const devif_access access = unit_->access();
        milestones::mark(access == DEVIF_ACCESS_DENIED ? "unit not permitted"
                         : access == DEVIF_ACCESS_BUSY ? "unit busy"
                                                       : "unit opens");
    });
    connect(this, &MainWindow::sig_meterHold, meters_, &MeterSection::holdTick);
    connect(this, &MainWindow::sig_metersReset, meters_, &MeterSection::reset);
    connect(this, &MainWindow::sig_initProgressBarCountChange, this,
            &MainWindow::slt_initProgressBarCountChange);
    connect(this, &MainWindow::sig_initProgressBarCountFinish, this,
            &MainWindow::slt_initProgressBarCountFinish);
}

QLabel *MainWindow::label(const char *objectName) const
{
    return stack_ ? stack_->findChild<QLabel *>(QLatin1String(objectName)) : nullptr;
}

bool MainWindow::isSmallModel() const
{
    return unit_->model() == mixer::UnitModel::K1;
}

void MainWindow::followLoadedState()
{
    routing_->applyStored(isSmallModel());
    interface_->applyModelState();
    mixer_->model().setUnitModel(unit_->model());
}

void MainWindow::timerInterrupt_1000ms()
{
    device_.get_dspmode();
    device_.get_hz();
    device_.get_info();
    device_.get_clocklock();
    device_.get_clocksource();
    runFirmwareCheck();
    if (progressCountdown_ == 0)
        return;
    --progressCountdown_;
    if (progressCountdown_ == 0)
        emit sig_initProgressBarCountFinish();
    else
        emit sig_initProgressBarCountChange(progressCountdown_);
}

void MainWindow::timerInterrupt_100ms()
{
    const bool present = device_.is_selected();
    unit_->presenceTick(present);
    if (!present)
        return;
    meters_->tick();
    if (++meterTick_ >= MeterHoldTicks) {
        meterTick_ = 0;
        emit sig_meterHold();
    }
}

void MainWindow::setUpReturnedUnit()
{
    interface_->applyStoredClock(isSmallModel(), true);
    // The unit is back: the warning about its absence has nothing left to say.
    if (disconnectBox_)
        disconnectBox_->close();
    milestones::mark("unit set up");
}

void MainWindow::showUnitLost()
{
    stack_->setCurrentIndex(PageNavigator::Interface);
    // Not waited for: the presence check must see the unit come back while the box is open.
    disconnectBox_ =
        openWarning(this, tr("USB Disconnected"), tr("- LYNTRA K1/K2 -\n Please insert USB cable"));
    emit sig_metersReset();
    milestones::mark("unit lost");
}

void MainWindow::runFirmwareCheck()
{
    if (!update_)
        return;
    update_->firmwareCheck(unit_->productName(), unit_->firmwareText());
    if (update_->checksDone())
        menus_->update->setEnabled(true);
}

void MainWindow::openProgressWindow(const QString &title)
{
    if (!progress_)
        progress_ = std::make_unique<ProgressWindow>();
    progressCountdown_ = ProgressWindow::Steps;
    menuBar()->setEnabled(false);
    progress_->open(title);
}

void MainWindow::slt_initProgressBarCountChange(uint8_t count)
{
    if (progress_)
        progress_->setRemaining(count);
}

void MainWindow::slt_initProgressBarCountFinish()
{
    if (progress_)
        progress_->finish();
    menuBar()->setEnabled(true);
}

void MainWindow::doUpdate()
{
    menus_->update->setEnabled(false);
    // Neither kind of notice may stay suppressed after an explicit request.
    settings_.setValue(settings::key::SoftDialog, QString());
    settings_.setValue(settings::key::FirmDialog, QString());
    emit sig_updateCheckRequested();
}

void MainWindow::on_actionProduct_Information_triggered()
{
    weblinks::open(weblinks::pageUrl(weblinks::Page::Product, isSmallModel(), weblinks::systemIsJapanese()));
}

void MainWindow::on_actionFAQs_triggered()
{
    weblinks::open(weblinks::pageUrl(weblinks::Page::Faq, isSmallModel(), weblinks::systemIsJapanese()));
}

void MainWindow::on_actionLicense_triggered()
{
    licence_ = LicenseDialog::present(this);
}

void MainWindow::showInformationUnlessSuppressed()
{
    if (settings_.value(settings::key::InformationDialog))
        return;
    information_ = informationdialog::open(weblinks::systemIsJapanese());
    QMessageBox *box = information_;
    connect(box, &QDialog::finished, this, [this, box] {
        if (box->checkBox()->isChecked())
            settings_.setValue(settings::key::InformationDialog, true);
    });
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == bufferSlider_) {
        const QEvent::Type t = event->type();
        if (t == QEvent::HoverEnter || t == QEvent::HoverLeave || t == QEvent::HoverMove)
            return true;
    }
    return false;
}

void MainWindow::mousePressEvent(QMouseEvent *) {}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (update_)
        update_->closeAll();
    event->accept();
}
