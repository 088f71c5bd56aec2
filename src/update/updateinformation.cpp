#include "updateinformation.h"

#include "archiveunpacker.h"
#include "installer.h"
#include "updatedocument.h"
#include "updatekeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QTimer>

namespace {

constexpr int MaxRedirects = 5;
constexpr int DocumentTimeoutMs = 60000;

} // namespace

UpdateInformation::UpdateInformation(const QUrl &documentAddress, const QString &keysFolder,
                                     int inactivityLimitMs, QObject *parent)
    : QObject(parent), documentAddress_(documentAddress), keysFolder_(keysFolder),
      inactivityLimitMs_(inactivityLimitMs)
{}

UpdateInformation::~UpdateInformation()
{
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        discard();
    }
}

QNetworkAccessManager &UpdateInformation::manager()
{
    if (!manager_)
        manager_ = new QNetworkAccessManager(this);
    return *manager_;
}

// Every hop, the first and each redirect, must be an address the panel fetches from, and none leaves
// https for plain http. Qt follows a redirect only once control is back in the event loop, so a hop
// refused here is never fetched. (Qt's user-verified policy is no use: from the third redirect on, it
// ends in an empty reply reported as a success, and a mirror's chain looks like a corrupt download.)
QNetworkReply *UpdateInformation::get(const QUrl &url, int transferTimeoutMs)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    QNetworkReply *reply = manager().get(request);
    connect(reply, &QNetworkReply::redirected, reply,
            [reply, from = url, configured = documentAddress_](const QUrl &to) mutable {
                if (!updateRedirectAllowed(from, to, configured))
                    reply->abort();
                from = to;
            });
    return reply;
}

// A request for a small text, abandoned once it grows past `limit` bytes: when a larger length is
// announced, or when more has arrived. A text of no announced length is never reported as progress,
// so its arrivals are what is counted; it could otherwise run on, all of it kept, until the time limit.
QNetworkReply *UpdateInformation::getSmall(const QUrl &url, qint64 limit)
{
    QNetworkReply *reply = get(url, DocumentTimeoutMs);
    const auto giveUpPast = [reply, limit](qint64 bytes) {
        if (bytes > limit)
            reply->abort();
    };
    connect(reply, &QNetworkReply::downloadProgress, reply, [giveUpPast](qint64, qint64 total) { giveUpPast(total); });
    connect(reply, &QNetworkReply::readyRead, reply, [giveUpPast, reply] { giveUpPast(reply->bytesAvailable()); });
    return reply;
}

void UpdateInformation::downloadInformation()
{
    if (!updateAddressAllowed(documentAddress_, documentAddress_)) {
        emit finishedInformation(QString());
        return;
    }
    QNetworkReply *reply = getSmall(documentAddress_, DocumentLimit);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { replyFinishedInfo(reply); });
}

void UpdateInformation::replyFinishedInfo(QNetworkReply *reply)
{
    reply->deleteLater();
    // A failed fetch reads as an empty document: no offers, nothing shown. So does one too large, which
    // may have come whole before its size was seen.
    if (reply->error() != QNetworkReply::NoError || reply->bytesAvailable() > DocumentLimit) {
        emit finishedInformation(QString());
        return;
    }
    const QByteArray document = reply->readAll();
    QUrl signatureAddress = documentAddress_;
    signatureAddress.setPath(documentAddress_.path(QUrl::FullyEncoded) + QStringLiteral(".sig"),
                             QUrl::TolerantMode);
    QNetworkReply *signature = getSmall(signatureAddress, UpdateKeys::SignatureTextLimit);
    connect(signature, &QNetworkReply::finished, this,
            [this, signature, document] { signatureArrived(signature, document); });
}

// Nothing of the document counts until a trusted key vouches for its exact bytes; without that it is
// as if there were none.
void UpdateInformation::signatureArrived(QNetworkReply *reply, const QByteArray &document)
{
    reply->deleteLater();
    const bool trusted = reply->error() == QNetworkReply::NoError &&
                         UpdateKeys::load(keysFolder_).verify(document, reply->readAll());
    QByteArray bytes = trusted ? document : QByteArray();
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    emit finishedInformation(QString::fromUtf8(bytes));
}

void UpdateInformation::downloadFile(const QUrl &address, const QByteArray &sha256)
{
    if (reply_)
        return; // one download at a time
    installer_.clear();
    // Nothing is fetched that could not be verified afterwards.
    if (!updateAddressAllowed(address, documentAddress_) ||
        sha256.size() != QCryptographicHash::hashLength(QCryptographicHash::Sha256)) {
        emit errorDownloadFile();
        return;
    }
    if (!startFile(address)) {
        emit errorDownloadFile();
        return;
    }
    expected_ = sha256;
    hash_.reset();
    received_ = 0;
    percent_ = -1;
    abort_ = Abort::None;

    if (!timer_) {
        timer_ = new QTimer(this);
        timer_->setSingleShot(true);
        connect(timer_, &QTimer::timeout, this, &UpdateInformation::timeoutDownload);
    }
    timer_->start(inactivityLimitMs_);

    reply_ = get(address, 0);
    // Progress is counted from the bytes stored: the reply's own progress signal is rate-limited and
    // drops an early burst, which would leave Cancel disabled until the limit ran out.
    connect(reply_, &QNetworkReply::readyRead, this, &UpdateInformation::storeArrived);
    QNetworkReply *reply = reply_;
    connect(reply_, &QNetworkReply::finished, this, [this, reply] { replyFinishedFileDownload(reply); });
    emit startedDownloadFile();
}

// A fresh private folder, and in it the file the download streams into: the installer itself when the
// address names one, else the archive.
bool UpdateInformation::startFile(const QUrl &url)
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/lyntra-update-XXXXXX"));
    if (!dir.isValid())
        return false;
    dir.setAutoRemove(false);
    folder_ = dir.path();
    const QString name = url.fileName();
    isInstaller_ = installer::kindOf(name) != installer::Kind::None;
    const QString suffix =
        isInstaller_ ? name.mid(name.lastIndexOf(QLatin1Char('.'))) : QStringLiteral(".zip");
    file_ = std::make_unique<QFile>(folder_ + QStringLiteral("/temp") + suffix);
    if (file_->open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return true;
    discard();
    return false;
}

void UpdateInformation::storeArrived()
{
    if (!reply_ || !file_)
        return;
    const QByteArray chunk = reply_->readAll();
    if (file_->pos() + chunk.size() > DownloadLimit || file_->write(chunk) != chunk.size()) {
        abortDownload(Abort::Refused);
        return;
    }
    hash_.addData(chunk);
    replyDownloadProgress(file_->pos(), reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong());
}

void UpdateInformation::replyDownloadProgress(qint64 received, qint64 total)
{
    if (!reply_ || received <= received_)
        return;
    received_ = received;
    timer_->start(inactivityLimitMs_);
    if (total > DownloadLimit) {
        abortDownload(Abort::Refused);
        return;
    }
    const int percent = total > 0 ? int(qBound<qint64>(0, received * 100 / total, 100)) : 0;
    if (percent != percent_)
        emit progressValueChanged(percent);
    percent_ = percent;
}

void UpdateInformation::cancelDownload()
{
    abortDownload(Abort::User);
}

void UpdateInformation::timeoutDownload()
{
    abortDownload(Abort::Timeout);
}

void UpdateInformation::abortDownload(Abort why)
{
    if (!reply_ || !reply_->isRunning())
        return;
    if (abort_ == Abort::None)
        abort_ = why;
    reply_->abort();
}

void UpdateInformation::replyFinishedFileDownload(QNetworkReply *reply)
{
    timer_->stop();
    reply->deleteLater();
    reply_ = nullptr;
    const bool userCancel = abort_ == Abort::User && reply->error() == QNetworkReply::OperationCanceledError;
    if (verifyAndUnpack(reply))
        emit readiedExec();
    else if (!userCancel)
        emit errorDownloadFile();
    // The outcome goes first: by the time the progress window closes, it is on its way.
    emit finishedDownloadFile();
}

// Sets the installer path, or removes the folder again.
bool UpdateInformation::verifyAndUnpack(QNetworkReply *reply)
{
    if (reply->error() != QNetworkReply::NoError || abort_ != Abort::None) {
        discard();
        return false;
    }
    const QByteArray rest = reply->readAll();
    const bool stored = file_->pos() + rest.size() <= DownloadLimit && file_->write(rest) == rest.size();
    hash_.addData(rest);
    file_->close();
    if (!stored || file_->error() != QFileDevice::NoError || hash_.result() != expected_) {
        discard();
        return false;
    }
    QString found = file_->fileName();
    if (!isInstaller_) {
        const QString contents = folder_ + QStringLiteral("/contents");
        const UnpackResult unpacked = archiveunpacker::unpackFile(found, contents);
        QFile::remove(found);
        const QString first = unpacked.ok ? installer::firstIn(unpacked.files) : QString();
        found = first.isEmpty() ? QString() : contents + QLatin1Char('/') + first;
    }
    if (found.isEmpty()) {
        discard();
        return false;
    }
    installer_ = found;
    file_.reset();
    folder_.clear(); // stays on disk for the installer
    return true;
}

void UpdateInformation::execFile()
{
    const QString path = installer_;
    installer_.clear();
    switch (installer::kindOf(path)) {
    case installer::Kind::None:
        return;
    case installer::Kind::Package:
        emit readiedPackage(path);
        return;
    case installer::Kind::Program:
        if (!installer::startProgram(path))
            emit errorDownloadFile();
        return;
    }
}

void UpdateInformation::discard()
{
    file_.reset();
    if (!folder_.isEmpty())
        QDir(folder_).removeRecursively();
    folder_.clear();
}
