// Trust in the update document: the Ed25519 public keys installed with the program, and the check of a
// detached signature over the document's exact bytes. The keys are read-only system data beside the
// program; nothing a user setting or the environment says can add one.
//
// Any thread; one object is used by one thread at a time.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

typedef struct evp_pkey_st EVP_PKEY;

class UpdateKeys {
public:
    // A signature file larger than this is not one (64 bytes in base64 take 88 characters).
    static constexpr int SignatureTextLimit = 1024;

    // "<prefix>/share/lyntra-panel/update-keys", the prefix being the folder above the running
    // executable's own (in the build tree: beside bin/). QCoreApplication must exist.
    static QString installedFolder();

    // Every "*.pem" file of `folder` that holds an Ed25519 public key; other files are ignored, and so are
    // more than a few dozen files or files too large to be a key.
    static UpdateKeys load(const QString &folder);

    int count() const { return int(keys_.size()); }

    // True when `signatureText`, base64 of 64 signature bytes with blanks around allowed, is a signature
    // of `document` by one of the keys.
    bool verify(const QByteArray &document, const QByteArray &signatureText) const;

private:
    std::vector<std::shared_ptr<EVP_PKEY>> keys_;
};
