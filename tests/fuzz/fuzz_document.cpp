// Arbitrary bytes as an update document, its signature file and a message: "<document>\0<signature>\0
// <message>" (missing parts empty). The signature check takes the document's true signature by the
// trusted key and nothing else; every field of the document reads without harm; the document's message
// and the third part render without the view opening anything but fonts and the toolkit's own files.
#include "messageview.h"
#include "opentrap.h"
#include "updatedocument.h"
#include "updatekeys.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_document: %s\n", what);
    std::abort();
}

char keyFolder[4096];

struct Rig {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key{EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"),
                                                            EVP_PKEY_free};
    UpdateKeys keys;
    std::unique_ptr<MessageView> view;

    Rig()
    {
        std::snprintf(keyFolder, sizeof keyFolder, "%s/fuzz_document.XXXXXX", QDir::tempPath().toUtf8().constData());
        if (!key || !mkdtemp(keyFolder))
            fail("no key or no folder");
        std::atexit([] { std::filesystem::remove_all(keyFolder); });
        FILE *pem = std::fopen((std::string(keyFolder) + "/trusted.pem").c_str(), "w");
        if (!pem || PEM_write_PUBKEY(pem, key.get()) != 1 || std::fclose(pem) != 0)
            fail("cannot write the key");
        keys = UpdateKeys::load(QString::fromUtf8(keyFolder));
        view = std::make_unique<MessageView>();
        view->resize(480, 160);
        view->grab(); // fonts come in once, before anything is watched
    }

    QByteArray sign(const QByteArray &document) const
    {
        std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
        QByteArray signature(64, '\0');
        size_t length = 64;
        if (!ctx || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) != 1 ||
            EVP_DigestSign(ctx.get(), reinterpret_cast<unsigned char *>(signature.data()), &length,
                           reinterpret_cast<const unsigned char *>(document.constData()), size_t(document.size())) != 1)
            fail("cannot sign");
        return signature.toBase64();
    }

    void render(const QString &html) const
    {
        const std::string home = qEnvironmentVariable("HOME").toStdString();
        opentrap::rule = [&home](const std::string &path, bool) {
            for (const std::string &place : {std::string("/usr/"), std::string("/etc/fonts/"),
                                             std::string("/var/cache/fontconfig/"), home + "/.cache/"})
                if (path.rfind(place, 0) == 0)
                    return true;
            return false;
        };
        view->setMessage(html);
        view->grab();
        opentrap::rule = nullptr;
        if (!opentrap::refused.empty()) {
            std::fprintf(stderr, "fuzz_document: the message opened %s\n", opentrap::refused.c_str());
            std::abort();
        }
    }
};

Rig &rig()
{
    static int argc = 1;
    static char name[] = "fuzz_document";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the toolkit's teardown at exit is not what is tested here.
    static QApplication *app = new QApplication(argc, argv);
    static Rig *r = new Rig;
    Q_UNUSED(app);
    return *r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Rig &r = rig();
    const QList<QByteArray> parts = QByteArray(reinterpret_cast<const char *>(data), int(size)).split('\0');
    const QByteArray document = parts.value(0), signature = parts.value(1), message = parts.value(2);

    const QByteArray truth = r.sign(document);
    if (!r.keys.verify(document, truth) || r.keys.verify(document + ' ', truth))
        fail("the true signature is not told from a changed document");
    if (r.keys.verify(document, signature) &&
        QByteArray::fromBase64(signature.trimmed()) != QByteArray::fromBase64(truth))
        fail("a signature that is not the key's was taken");

    const UpdateDocument doc = UpdateDocument::parse(QString::fromUtf8(document));
    for (const auto kind : {UpdateDocument::Kind::Software, UpdateDocument::Kind::Firmware}) {
        doc.latest(kind);
        for (const bool japanese : {false, true}) {
            const UpdateDownload d = doc.download(kind, japanese);
            if (!d.sha256.isEmpty() && d.sha256.size() != 32)
                fail("a digest that is not 32 bytes");
        }
    }
    r.render(doc.message(QStringLiteral("English")));
    r.render(QString::fromUtf8(message));
    return 0;
}
