// The update document: latest panel and firmware versions, download addresses with their SHA-256
// digests, and the information message per language.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

// Where the document lives unless the settings name another address.
extern const char *const DefaultDocumentAddress;

// True for addresses the panel fetches from: HTTPS, or plain HTTP to a loopback address.
bool updateAddressAllowed(const QUrl &url);

struct UpdateDownload {
    QUrl url;                   // empty when the document names none
    QByteArray sha256;          // the 32-byte digest; empty when the document gives none
    bool hashMalformed = false; // a digest was given but is not 64 hex digits
};

class UpdateDocument {
public:
    enum class Kind { Software, Firmware };

    // Anything that is not a JSON object holding the object "LYNTRA_version1" gives an empty document.
    static UpdateDocument parse(const QString &text);

    bool isEmpty() const { return version_.isEmpty(); }
    // "major.minor" of the latest version, missing numbers read as 0 ("0.00").
    QString latest(Kind kind) const;
    // The Linux address when the document has one, else the other platform's; Japanese or English.
    UpdateDownload download(Kind kind, bool japanese) const;
    // The message of `language` (the locale's English name of it), else the English one, else empty.
    QString message(const QString &language) const;

private:
    QJsonObject version_;
};
