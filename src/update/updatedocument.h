// The update document: latest panel and firmware versions, download addresses with their SHA-256
// digests, and the information message per language.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

// Where the document lives unless the settings name another address.
extern const char *const DefaultDocumentAddress;

// True for addresses the panel fetches from, `configured` being the document's address as configured:
// HTTPS; plain HTTP only to a loopback host, and only when `configured` is itself plain HTTP to one (a
// local server the user set up).
bool updateAddressAllowed(const QUrl &url, const QUrl &configured);
// A redirect from `from` to `to` is followed when `to` is allowed and it does not leave HTTPS for HTTP.
bool updateRedirectAllowed(const QUrl &from, const QUrl &to, const QUrl &configured);

struct UpdateDownload {
    QUrl url;                   // empty when the document names none
    QByteArray sha256;          // the 32-byte digest; empty when the document gives none
    bool hashMalformed = false; // a digest was given but is not 64 hex digits
    bool browserOnly = false;   // another platform's file: shown in the browser, never fetched here
};

class UpdateDocument {
public:
    enum class Kind { Software, Firmware };

    // Anything that is not a JSON object holding the object "LYNTRA_version1" gives an empty document.
    static UpdateDocument parse(const QString &text);

    bool isEmpty() const { return version_.isEmpty(); }
    // "major.minor" of the latest version, missing numbers read as 0 ("0.00").
    QString latest(Kind kind) const;
    // The Linux address in the user's language, else the English one; without either, the other
    // platform's address (same order), for the browser only.
    UpdateDownload download(Kind kind, bool japanese) const;
    // The message of `language` (the locale's English name of it), else the English one, else empty.
    QString message(const QString &language) const;

private:
    QJsonObject version_;
};
