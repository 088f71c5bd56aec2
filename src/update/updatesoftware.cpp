#include "updatesoftware.h"

#include "downloadwindow.h"
#include "informationbox.h"
#include "settings.h"
#include "updateinformation.h"
#include "updatekeys.h"
#include "updatetexts.h"
#include "updateversion.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace {

using updatetexts::Text;

bool startsWithDigit(const QString &s)
{
    return !s.isEmpty() && s.at(0) >= QLatin1Char('0') && s.at(0) <= QLatin1Char('9');
}

// Closed and deleted once control is back in the event loop: it may be the sender of the current signal.
void dispose(std::unique_ptr<DownloadWindow> &window)
{
    if (!window)
        return;
    window->close();
    window.release()->deleteLater();
}

} // namespace

UpdateSoftware::UpdateSoftware(Settings &settings, const QString &ownVersion, int inactivityLimitMs,
                               QObject *parent)
    : QObject(parent), settings_(settings), ownVersion_(ownVersion),
      lang_(updatetexts::languageIndex(QLocale()))
{
    setUpBoxes();
    const QString configured = settings_.value(settings::key::JsonUrl);
    documentAddress_ = QUrl(configured.isEmpty() ? QString::fromLatin1(DefaultDocumentAddress) : configured);
    worker_ = new UpdateInformation(documentAddress_, UpdateKeys::installedFolder(), inactivityLimitMs);
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connectWorker();
    thread_.setObjectName(QStringLiteral("update"));
    thread_.start(QThread::InheritPriority);
    QMetaObject::invokeMethod(worker_, &UpdateInformation::downloadInformation, Qt::QueuedConnection);
}

UpdateSoftware::~UpdateSoftware()
{
    thread_.quit();
    thread_.wait();
}

void UpdateSoftware::setUpBoxes()
{
    softwareBox_ = std::make_unique<InformationBox>();
    firmwareBox_ = std::make_unique<InformationBox>();
    informationBox_ = std::make_unique<InformationBox>();
    softwareBox_->setObjectName(QStringLiteral("softwareOfferBox"));
    firmwareBox_->setObjectName(QStringLiteral("firmwareOfferBox"));
    informationBox_->setObjectName(QStringLiteral("informationBox"));
    for (InformationBox *box : {softwareBox_.get(), firmwareBox_.get()}) {
        box->setWindowTitle(text(Text::UpdateTitle));
        box->firstButton()->setText(text(Text::UpdateNow));
        box->secondButton()->setText(text(Text::UpdateLater));
        box->checkBox()->setText(text(Text::DoNotShowAgain));
    }
    informationBox_->setWindowTitle(text(Text::InformationTitle));
    informationBox_->firstButton()->setText(text(Text::Ok));
    informationBox_->checkBox()->setText(text(Text::DoNotShowAgain));
    // Not modal: the message must never stand between the user and the mixer.
    informationBox_->secondButton()->hide();

    errorBox_ = std::make_unique<QMessageBox>();
    errorBox_->setObjectName(QStringLiteral("updateErrorBox"));
    errorBox_->setIcon(QMessageBox::Warning);
    errorBox_->setTextFormat(Qt::RichText);
    errorBox_->setStandardButtons(QMessageBox::Ok);
    errorBox_->setWindowTitle(text(Text::UpdateTitle));
    errorBox_->setText(text(Text::DownloadFailed));
}

void UpdateSoftware::connectWorker()
{
    connect(worker_, &UpdateInformation::finishedInformation, this, &UpdateSoftware::saveInformation);
    connect(softwareBox_->firstButton(), &QPushButton::clicked, this, &UpdateSoftware::decideClickedSoftware);
    connect(softwareBox_->secondButton(), &QPushButton::clicked, this, &UpdateSoftware::cancelSoftware);
    connect(softwareBox_.get(), &InformationBox::dismissed, this, &UpdateSoftware::cancelSoftware);
    connect(firmwareBox_->firstButton(), &QPushButton::clicked, this, &UpdateSoftware::decideClickedFirmware);
    connect(firmwareBox_->secondButton(), &QPushButton::clicked, this, &UpdateSoftware::cancelFirmware);
    connect(firmwareBox_.get(), &InformationBox::dismissed, this, &UpdateSoftware::cancelFirmware);
    connect(informationBox_->firstButton(), &QPushButton::clicked, this,
            &UpdateSoftware::decideClickedInformation);
    connect(informationBox_.get(), &InformationBox::dismissed, this,
            &UpdateSoftware::decideClickedInformation);
    connect(worker_, &UpdateInformation::errorDownloadFile, this, &UpdateSoftware::showMsgBoxError);
    connect(this, &UpdateSoftware::readiedDownloadFile, worker_, &UpdateInformation::downloadFile);
    connect(worker_, &UpdateInformation::startedDownloadFile, this, &UpdateSoftware::openDownloadFileInfo);
    connect(worker_, &UpdateInformation::finishedDownloadFile, this, &UpdateSoftware::closeDownloadFileInfo);
    connect(this, &UpdateSoftware::stopDownload, worker_, &UpdateInformation::cancelDownload);
    connect(worker_, &UpdateInformation::readiedExec, this, &UpdateSoftware::openExecWindow);
    connect(worker_, &UpdateInformation::readiedPackage, this, [this](const QString &path) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            showMsgBoxError();
    });
}

QString UpdateSoftware::text(int index) const
{
    return updatetexts::text(lang_, Text(index));
}

bool UpdateSoftware::japanese() const
{
    return lang_ == updatetexts::languageIndex(QLocale(QLocale::Japanese));
}

void UpdateSoftware::saveInformation(const QString &str)
{
    document_ = UpdateDocument::parse(str);
    showInformation();
    softwareCheck();
}

void UpdateSoftware::showInformation()
{
    const QString message = document_.message(QLocale::languageToString(QLocale().language()));
    if (message.isEmpty() || message == settings_.value(settings::key::InfoDialog))
        return;
    information_ = message;
    informationBox_->setMessage(message, InformationBox::MessageLineHeight);
    informationBox_->show();
}

void UpdateSoftware::softwareCheck()
{
    checkState_ = 0;
    const QString latest = document_.latest(UpdateDocument::Kind::Software);
    if (!updateversion::isNewer(ownVersion_, latest)) {
        checkState_ = 2;
        return;
    }
    latestSoftware_ = latest;
    if (!updateversion::isNewer(settings_.value(settings::key::SoftDialog), latest)) {
        checkState_ = 2;
        return;
    }
    offer(*softwareBox_, Text::NewSoftware, ownVersion_.left(4), latest);
}

void UpdateSoftware::firmwareCheck(const QString &productName, const QString &firmwareText)
{
    const bool newUnit = productName != productName_;
    productName_ = productName;
    if (document_.isEmpty() || !(checkState_ == 2 || newUnit))
        return;
    if (productName != QLatin1String("LYNTRA K1") && productName != QLatin1String("LYNTRA K2"))
        return;
    if (firmwareText == QLatin1String("No Device") || !startsWithDigit(firmwareText))
        return;
    latestFirmware_ = document_.latest(UpdateDocument::Kind::Firmware);
    if (!updateversion::isNewer(firmwareText, latestFirmware_)) {
        checkState_ = 3;
        return;
    }
    if (!updateversion::isNewer(settings_.value(settings::key::FirmDialog), latestFirmware_))
        return;
    // An offer still open is left as it is rather than set up again on every tick.
    if (!firmwareBox_->isVisible())
        offer(*firmwareBox_, Text::NewFirmware, firmwareText, latestFirmware_);
}

void UpdateSoftware::offer(InformationBox &box, int headline, const QString &current, const QString &latest)
{
    box.setMessage(text(headline) + QStringLiteral("<br>") + text(Text::CurrentVersion) + current +
                       QStringLiteral("<br>") + text(Text::LatestVersion) + latest,
                   InformationBox::OfferLineHeight);
    box.show();
    box.raise();
}

bool UpdateSoftware::checksDone() const
{
    return (checkState_ == 2 || checkState_ == 3) &&
           (!latestSoftware_.isEmpty() || !latestFirmware_.isEmpty());
}

void UpdateSoftware::closeAll()
{
    softwareBox_->close();
    firmwareBox_->close();
    informationBox_->close();
    // Left open, these would keep the program running after its main window closed.
    errorBox_->close();
    closeDownloadFileInfo();
    closeExecWindow();
    emit stopDownload();
}

void UpdateSoftware::decideClickedSoftware()
{
    softwareBox_->close();
    checkState_ = 1;
    startDownload(UpdateDocument::Kind::Software);
}

void UpdateSoftware::decideClickedFirmware()
{
    firmwareBox_->close();
    checkState_ = 1;
    startDownload(UpdateDocument::Kind::Firmware);
}

// Only a download for this platform that the document vouches for with a digest is fetched and opened
// here; anything else is shown in the browser and the user decides.
void UpdateSoftware::startDownload(UpdateDocument::Kind kind)
{
    const UpdateDownload download = document_.download(kind, japanese());
    if (!updateAddressAllowed(download.url, documentAddress_) || download.hashMalformed) {
        showMsgBoxError();
        return;
    }
    if (download.browserOnly || download.sha256.isEmpty()) {
        if (!QDesktopServices::openUrl(download.url))
            showMsgBoxError();
        return;
    }
    emit readiedDownloadFile(download.url, download.sha256);
}

void UpdateSoftware::cancelSoftware()
{
    checkState_ = 2;
    putAside(*softwareBox_, settings::key::SoftDialog, latestSoftware_);
}

void UpdateSoftware::cancelFirmware()
{
    checkState_ = 3;
    putAside(*firmwareBox_, settings::key::FirmDialog, latestFirmware_);
}

void UpdateSoftware::decideClickedInformation()
{
    putAside(*informationBox_, settings::key::InfoDialog, information_);
}

void UpdateSoftware::putAside(InformationBox &box, const settings::Key<QString> &key, const QString &version)
{
    box.close();
    if (box.checkBox()->isChecked())
        settings_.setValue(key, version);
}

void UpdateSoftware::openDownloadFileInfo()
{
    dispose(progressWindow_);
    progressWindow_ =
        std::make_unique<DownloadWindow>(DownloadWindow::Stage::Downloading, text(Text::UpdateTitle),
                                         text(Text::Downloading), text(Text::Cancel));
    connect(worker_, &UpdateInformation::progressValueChanged, progressWindow_.get(),
            &DownloadWindow::setProgress);
    connect(worker_, &UpdateInformation::progressValueChanged, this, &UpdateSoftware::enableCanselButton);
    connect(progressWindow_->button(), &QPushButton::clicked, this, &UpdateSoftware::cancelDownload);
    connect(progressWindow_.get(), &DownloadWindow::closedByUser, this, [this] {
        if (progressWindow_ && progressWindow_->button()->isEnabled())
            cancelDownload();
    });
    progressWindow_->show();
}

void UpdateSoftware::closeDownloadFileInfo()
{
    disconnect(worker_, &UpdateInformation::progressValueChanged, this, &UpdateSoftware::enableCanselButton);
    dispose(progressWindow_);
}

void UpdateSoftware::enableCanselButton(int)
{
    if (progressWindow_)
        progressWindow_->button()->setEnabled(true);
}

void UpdateSoftware::cancelDownload()
{
    emit stopDownload();
}

void UpdateSoftware::openExecWindow()
{
    dispose(execWindow_);
    execWindow_ = std::make_unique<DownloadWindow>(DownloadWindow::Stage::Complete, text(Text::UpdateTitle),
                                                   text(Text::DownloadComplete), text(Text::Ok));
    connect(execWindow_->button(), &QPushButton::clicked, this, [this] {
        QMetaObject::invokeMethod(worker_, &UpdateInformation::execFile, Qt::QueuedConnection);
        closeExecWindow();
    });
    execWindow_->show();
}

void UpdateSoftware::closeExecWindow()
{
    dispose(execWindow_);
}

void UpdateSoftware::showMsgBoxError()
{
    checkState_ = 3;
    errorBox_->open();
}
