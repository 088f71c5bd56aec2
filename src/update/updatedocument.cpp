#include "updatedocument.h"

#include "updateversion.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QRegularExpression>

const char *const DefaultDocumentAddress =
    "https://download.avenor-audio.example/download/fw/LYNTRA/LYNTRA_UpdateInformation.json";

bool updateAddressAllowed(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    if (scheme != QLatin1String("http"))
        return false;
    const QString host = url.host().toLower();
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

UpdateDocument UpdateDocument::parse(const QString &text)
{
    UpdateDocument doc;
    doc.version_ =
        QJsonDocument::fromJson(text.toUtf8()).object().value(QLatin1String("LYNTRA_version1")).toObject();
    return doc;
}

QString UpdateDocument::latest(Kind kind) const
{
    const bool software = kind == Kind::Software;
    const char *major = software ? "windows_software_version_major" : "firmware_version_major";
    const char *minor = software ? "windows_software_version_minor" : "firmware_version_minor";
    return updateversion::text(version_.value(QLatin1String(major)).toInt(),
                               version_.value(QLatin1String(minor)).toInt());
}

UpdateDownload UpdateDocument::download(Kind kind, bool japanese) const
{
    const QString what = kind == Kind::Software ? QStringLiteral("software") : QStringLiteral("firmware");
    const QString language = japanese ? QStringLiteral("ja") : QStringLiteral("en");
    QString key = QStringLiteral("linux_%1_url_%2").arg(what, language);
    if (version_.value(key).toString().isEmpty())
        key = QStringLiteral("windows_%1_url_%2").arg(what, language);

    UpdateDownload out;
    const QString address = version_.value(key).toString().trimmed();
    if (!address.isEmpty())
        out.url = QUrl(address, QUrl::StrictMode);
    const QJsonValue hash = version_.value(key + QLatin1String("_sha256"));
    if (hash.isUndefined() || hash.isNull())
        return out;
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    const QString digits = hash.toString().trimmed();
    if (hex.match(digits).hasMatch())
        out.sha256 = QByteArray::fromHex(digits.toLatin1());
    else
        out.hashMalformed = true;
    return out;
}

QString UpdateDocument::message(const QString &language) const
{
    const QJsonObject messages = version_.value(QLatin1String("messages")).toObject();
    const QString own = messages.value(language).toString();
    return own.isEmpty() ? messages.value(QLatin1String("English")).toString() : own;
}
