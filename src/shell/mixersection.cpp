#include "mixersection.h"

#include "controlaccess.h"

#include "boxes.h"
#include "channeleditor.h"
#include "editorlayout.h"
#include "metersection.h"
#include "mixcontrols.h"
#include "mixermodel.h"
#include "mixerpage.h"
#include "navstyle.h"
#include "reverbpanel.h"
#include "undohistory.h"
#include "unitstatus.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int NavWidth = 120;
constexpr int NavHeight = 30;
constexpr int NavMargin = 12;
constexpr int LatestBuildMs = 1000;

} // namespace

MixerSection::MixerSection(QIXDevice &device, Settings &settings, QWidget *pages, QObject *parent)
    : QObject(parent), model_(new mixer::MixerModel(settings, device, this)),
      controls_(new mixer::MixControls(*model_, model_))
{
    if (!pages)
        return;
    frame_ = new QWidget(pages);
    frame_->setObjectName(QStringLiteral("Mixer"));
    frame_->setFixedSize(MixerPage::kWidth, MixerPage::kHeight);
}

MixerSection::~MixerSection() = default;

QWidget *MixerSection::page()
{
    if (!page_)
        buildPage();
    return page_;
}

void MixerSection::buildPage()
{
    page_ = new MixerPage(*controls_, frame_);
    // Children added after the strips are destroyed after them.
    model_->setParent(page_);
    editor_ = new ChannelEditor(*controls_, page_);
    editor_->move(MixerPage::editorBand().topLeft());
    // In the band under the strips, midway between the editor and the page buttons, level with the
    // buttons' bottom edge.
    reverb_ = new ReverbPanel(*controls_, page_);
    const int editorRight = MixerPage::editorBand().left() + editorlayout::kWidth;
    const int buttonsLeft = MixerPage::kWidth - 2 * (NavWidth + NavMargin);
    reverb_->move((editorRight + buttonsLeft - ReverbPanel::kWidth) / 2,
                  MixerPage::kHeight - NavMargin - ReverbPanel::kHeight);

    // Bottom right, clear of the strips and of the editor band's left side.
    const struct {
        const char *name;
        const char *text;
    } buttons[] = {{"pB_ToInterfaceFromMixer", QT_TR_NOOP("INTERFACE")},
                   {"pB_ToOutputFromMixer", QT_TR_NOOP("ROUTING")}};
    int x = MixerPage::kWidth - NavMargin - NavWidth;
    for (int i = int(std::size(buttons)) - 1; i >= 0; --i) {
        auto *button = new QPushButton(tr(buttons[i].text), page_);
        button->setObjectName(QLatin1String(buttons[i].name));
        button->setStyleSheet(navButtonStyle());
        button->setCursor(Qt::PointingHandCursor);
        button->setGeometry(x, MixerPage::kHeight - NavMargin - NavHeight, NavWidth, NavHeight);
        x -= NavWidth + NavMargin;
    }
    controlaccess::orderTabChain(page_);
    if (meters_)
        bindPageMeters();
    if (frame_)
        page_->show();
    emit pageBuilt(page_);
}

void MixerSection::followUnit(const mixer::UnitStatus &unit)
{
    connect(&unit, &mixer::UnitStatus::rateClassChanged, model_, &mixer::MixerModel::setRateClass);
}

void MixerSection::buildPageSoon(QWidget *window, const mixer::UnitStatus &unit)
{
    window_ = window;
    window->installEventFilter(this);
    connect(&unit, &mixer::UnitStatus::restoreClock, this,
            [this] { QTimer::singleShot(0, this, &MixerSection::page); });
}

bool MixerSection::eventFilter(QObject *watched, QEvent *event)
{
    QWindow *handle = window_ ? window_->windowHandle() : nullptr;
    if (watched == window_ && event->type() == QEvent::Show && handle) {
        // Shown means mapped, not yet drawn: what counts is the first expose.
        window_->removeEventFilter(this);
        handle->installEventFilter(this);
    } else if (watched == handle && event->type() == QEvent::Expose && handle->isExposed()) {
        handle->removeEventFilter(this);
        QTimer::singleShot(LatestBuildMs, this, &MixerSection::page);
    }
    return false;
}

void MixerSection::bindMeters(MeterSection &meters)
{
    meters_ = &meters;
    meters.bindDisplay(shown());
    if (page_)
        bindPageMeters();
}

void MixerSection::bindPageMeters()
{
    meters_->bindLevels(page_->meterSlots());
    const mixer::MixerModel *model = model_;
    meters_->bindGainReduction(editor_->grMeter(), [model] { return gainReductionInput(model->selection()); });
    connect(model_, &mixer::MixerModel::selectionChanged, meters_, &MeterSection::restartGainReduction);
}

void MixerSection::bindInitializeReverb(QAction *action, UndoHistory &history)
{
    history_ = &history;
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, &MixerSection::on_actionInitialize_Reverb_triggered);
}

void MixerSection::on_actionInitialize_Reverb_triggered()
{
    ask(QMessageBox::Question, shown()->window(), tr("AVENOR LYNTRA Settings Panel"),
        tr("This operation initializes Reverb Parameters.<br>Are you sure?"), this,
        [this] {
            QString error;
            const auto initialize = [this](QString *) {
                model_->reverb().initialize();
                return true;
            };
            if (!history_->changeWholeMix(tr("Initialize Reverb"), initialize, QString(), &error))
                openWarning(shown()->window(), tr("AVENOR LYNTRA Settings Panel"), error);
        });
}
