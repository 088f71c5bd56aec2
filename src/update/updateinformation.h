// The update worker: fetches the update document and its signature, passes the document on only when
// one of the installed keys signed it, downloads an offered file into a fresh private temporary folder,
// verifies it against the document's SHA-256, unpacks it and hands the installer over. Created on the GUI thread and moved to a thread of its own; every slot runs there and is
// reached through queued connections only.
#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>

class QFile;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QTimer;

class UpdateInformation : public QObject {
    Q_OBJECT

public:
    // Largest document and largest download accepted.
    static constexpr qint64 DocumentLimit = 1 << 20;
    static constexpr qint64 DownloadLimit = qint64(1) << 30;

    // `documentAddress`: where downloadInformation() fetches from; its signature is at the same address
    // with ".sig" added to the path. `keysFolder`: the trusted public keys (UpdateKeys). `inactivityLimitMs`:
    // a download that makes no progress for this long is given up.
    UpdateInformation(const QUrl &documentAddress, const QString &keysFolder, int inactivityLimitMs,
                      QObject *parent = nullptr);
    // A download still running is aborted and its folder removed. Runs on the update thread.
    ~UpdateInformation() override;

signals:
    // The signed document's text; empty when it could not be fetched or is not signed by a trusted key.
    void finishedInformation(const QString &str);
    void startedDownloadFile();
    void finishedDownloadFile();
    void progressValueChanged(int percent);
    void errorDownloadFile();
    void readiedExec();
    // The verified installer is a package: the desktop opens it (which must happen on the GUI thread).
    void readiedPackage(const QString &path);

public slots:
    void downloadInformation();
    // `sha256`: the 32-byte digest the download must have; a download without one is refused.
    void downloadFile(const QUrl &url, const QByteArray &sha256);
    // A user's cancel: the download is aborted without an error report.
    void cancelDownload();
    void timeoutDownload();
    // Hands over the installer found by the last download, once.
    void execFile();
    void replyFinishedInfo(QNetworkReply *reply);
    void replyFinishedFileDownload(QNetworkReply *reply);
    void replyDownloadProgress(qint64 received, qint64 total);

private:
    enum class Abort { None, User, Timeout, Refused };

    QNetworkAccessManager &manager();
    QNetworkReply *get(const QUrl &url, int transferTimeoutMs);
    QNetworkReply *getSmall(const QUrl &url, qint64 limit);
    void signatureArrived(QNetworkReply *reply, const QByteArray &document);
    bool startFile(const QUrl &url);
    void storeArrived();
    void abortDownload(Abort why);
    bool verifyAndUnpack(QNetworkReply *reply);
    void discard();

    QUrl documentAddress_;
    QString keysFolder_;
    int inactivityLimitMs_;
    QNetworkAccessManager *manager_ = nullptr;
    QPointer<QNetworkReply> reply_;
    QTimer *timer_ = nullptr;
    Abort abort_ = Abort::None;
    qint64 received_ = 0;
    int percent_ = -1;
    QString folder_;
    std::unique_ptr<QFile> file_;
    QCryptographicHash hash_{QCryptographicHash::Sha256};
    QByteArray expected_;
    bool isInstaller_ = false;
    QString installer_;
};
