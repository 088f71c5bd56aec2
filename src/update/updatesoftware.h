// The update controller: owns the update worker and its thread, offers newer panel software and unit
// firmware, shows the latest information message, and runs the download windows. GUI thread.
#pragma once

#include "settingkeys.h"
#include "updatedocument.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>
#include <QUrl>

#include <memory>

class DownloadWindow;
class InformationBox;
class QMessageBox;
class Settings;
class UpdateInformation;

class UpdateSoftware : public QObject {
    Q_OBJECT

public:
    static constexpr int InactivityLimitMs = 60000;

    // `settings`: not owned, must outlive the controller. `ownVersion`: the panel's version ("1.00 0059").
    // `inactivityLimitMs`: how long a download may go without progress. Starts the worker thread and asks
    // for the update document at once; only a document signed by a key installed with the program
    // (UpdateKeys::installedFolder()) is taken.
    UpdateSoftware(Settings &settings, const QString &ownVersion, int inactivityLimitMs = InactivityLimitMs,
                   QObject *parent = nullptr);
    // Stops the worker thread (a running download is abandoned).
    ~UpdateSoftware() override;

    // Offers the panel software when the document has a newer version the user has not put aside.
    void softwareCheck();
    // Offers firmware for the unit shown as `productName` with the firmware text `firmwareText`.
    void firmwareCheck(const QString &productName, const QString &firmwareText);
    // Both checks have ended and a latest version is known: "- Update" may be offered.
    bool checksDone() const;
    // Closes every update window and stops a running download.
    void closeAll();

signals:
    void readiedDownloadFile(const QUrl &url, const QByteArray &sha256);
    void stopDownload();

public slots:
    void saveInformation(const QString &str);
    void openDownloadFileInfo();
    void closeDownloadFileInfo();
    void openExecWindow();
    void closeExecWindow();
    void decideClickedSoftware();
    void decideClickedFirmware();
    void decideClickedInformation();
    void cancelSoftware();
    void cancelFirmware();
    void cancelDownload();
    void showMsgBoxError();
    void enableCanselButton(int percent);

private:
    void setUpBoxes();
    void connectWorker();
    void showInformation();
    void offer(InformationBox &box, int headline, const QString &current, const QString &latest);
    void startDownload(UpdateDocument::Kind kind);
    void putAside(InformationBox &box, const settings::Key<QString> &key, const QString &version);
    QString text(int index) const;
    bool japanese() const;

    Settings &settings_;
    QString ownVersion_;
    QUrl documentAddress_;
    int lang_ = 0;
    int checkState_ = 0;
    UpdateDocument document_;
    QString information_;
    QString latestSoftware_;
    QString latestFirmware_;
    QString productName_;

    QThread thread_;
    UpdateInformation *worker_ = nullptr; // lives on thread_, deletes itself when it ends
    std::unique_ptr<InformationBox> softwareBox_;
    std::unique_ptr<InformationBox> firmwareBox_;
    std::unique_ptr<InformationBox> informationBox_;
    std::unique_ptr<QMessageBox> errorBox_;
    std::unique_ptr<DownloadWindow> progressWindow_;
    std::unique_ptr<DownloadWindow> execWindow_;
};
