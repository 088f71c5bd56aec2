#include "updatedocument.h"

#include "updateversion.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QRegularExpression>

const char *const DefaultDocumentAddress =
    "https://download.avenor-audio.example/download/fw/LYNTRA/LYNTRA_UpdateInformation.json";

namespace {

bool plainLoopback(const QUrl &url)
{
    if (url.scheme().toLower() != QLatin1String("http"))
        return false;
    const QString host = url.host().toLower();
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

bool secure(const QUrl &url)
{
    return url.scheme().toLower() == QLatin1String("https");
}

} // namespace

bool updateAddressAllowed(const QUrl &url, const QUrl &configured)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    return secure(url) || (plainLoopback(url) && plainLoopback(configured));
}

bool updateRedirectAllowed(const QUrl &from, const QUrl &to, const QUrl &configured)
{
    return updateAddressAllowed(to, configured) && (secure(to) || !secure(from));
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
    const auto keyOf = [&what](const char *platform, const char *language) {
        return QStringLiteral("%1_%2_url_%3").arg(QLatin1String(platform), what, QLatin1String(language));
    };
    QString key;
    for (const char *platform : {"linux", "windows"})
        for (const char *language : {japanese ? "ja" : "en", "en"})
            if (key.isEmpty() && !version_.value(keyOf(platform, language)).toString().trimmed().isEmpty())
                key = keyOf(platform, language);

    UpdateDownload out;
    if (key.isEmpty())
        return out;
    out.url = QUrl(version_.value(key).toString().trimmed(), QUrl::StrictMode);
    out.browserOnly = key.startsWith(QLatin1String("windows"));
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
