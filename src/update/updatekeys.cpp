#include "updatekeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <openssl/evp.h>
#include <openssl/pem.h>

namespace {

constexpr int MaxKeyFiles = 32;
constexpr qint64 MaxKeyFileBytes = 4096;
constexpr int SignatureBytes = 64;

std::shared_ptr<EVP_PKEY> publicKey(const QByteArray &pem)
{
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(pem.constData(), pem.size()), BIO_free);
    if (!bio)
        return nullptr;
    std::shared_ptr<EVP_PKEY> key(PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr), EVP_PKEY_free);
    if (!key || EVP_PKEY_id(key.get()) != EVP_PKEY_ED25519)
        return nullptr;
    return key;
}

bool verifiedBy(EVP_PKEY *key, const QByteArray &document, const QByteArray &signature)
{
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    // Ed25519 signs the message itself: no digest is named.
    return ctx && EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, key) == 1 &&
           EVP_DigestVerify(ctx.get(), reinterpret_cast<const unsigned char *>(signature.constData()),
                            size_t(signature.size()),
                            reinterpret_cast<const unsigned char *>(document.constData()),
                            size_t(document.size())) == 1;
}

} // namespace

QString UpdateKeys::installedFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/lyntra-panel/update-keys"));
}

UpdateKeys UpdateKeys::load(const QString &folder)
{
    UpdateKeys keys;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.pem")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo &info : files.mid(0, MaxKeyFiles)) {
        QFile file(info.filePath());
        if (info.size() > MaxKeyFileBytes || !file.open(QIODevice::ReadOnly))
            continue;
        if (std::shared_ptr<EVP_PKEY> key = publicKey(file.read(MaxKeyFileBytes)))
            keys.keys_.push_back(std::move(key));
    }
    return keys;
}

bool UpdateKeys::verify(const QByteArray &document, const QByteArray &signatureText) const
{
    if (signatureText.size() > SignatureTextLimit)
        return false;
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(signatureText.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != SignatureBytes)
        return false;
    for (const std::shared_ptr<EVP_PKEY> &key : keys_)
        if (verifiedBy(key.get(), document, decoded.decoded))
            return true;
    return false;
}
