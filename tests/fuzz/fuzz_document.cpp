// Arbitrary bytes as an update document, its signature file and a message: "<document>\0<signature>\0
// <message>" (missing parts empty). No signature passes for a key whose private half nobody holds; every
// field of the document reads without harm; the document's message and the third part render without
// the view opening anything but fonts and the toolkit's own files.
#include "messageview.h"
#include "opentrap.h"
#include "updatedocument.h"
#include "updatekeys.h"

#include <QApplication>
#include <QTemporaryDir>

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

// Fontconfig keeps a pattern it hands the offscreen plugin until exit, and that plugin keeps its screen:
// the leak checker would stop a run at its first input. The suite passes the same through LSAN_OPTIONS.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libqoffscreen.so\n";
}
extern "C" const char *__lsan_default_options()
{
    return "print_suppressions=0";
}

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_document: %s\n", what);
    std::abort();
}

// A key made and forgotten at once, and the view.
struct Rig {
    UpdateKeys keys;
    MessageView view;

    static UpdateKeys forgottenKey()
    {
        QTemporaryDir folder;
        EVP_PKEY *key = EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519");
        FILE *pem = std::fopen(QFile::encodeName(folder.filePath("key.pem")).constData(), "w");
        const bool written = key && pem && PEM_write_PUBKEY(pem, key) == 1 && std::fclose(pem) == 0;
        EVP_PKEY_free(key);
        UpdateKeys keys = UpdateKeys::load(folder.path());
        if (!written || keys.count() != 1)
            fail("no key");
        return keys;
    }
    Rig() : keys(forgottenKey())
    {
        view.resize(480, 160);
        view.grab(); // fonts come in once, before anything is watched
    }
    void render(const QString &html)
    {
        static const QStringList places{"/usr/", "/etc/fonts/", "/var/cache/fontconfig/", QDir::homePath() + "/.cache/"};
        opentrap::rule = [](const QString &path, bool) {
            return std::any_of(places.begin(), places.end(), [&path](const QString &p) { return path.startsWith(p); });
        };
        view.setMessage(html);
        view.grab();
        opentrap::rule = nullptr;
        if (!opentrap::refused.isEmpty())
            fail(qPrintable("the message opened " + opentrap::refused));
    }
};

Rig &rig()
{
    static int argc = 1;
    static char name[] = "fuzz_document";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *app = new QApplication(argc, argv); // neither is torn down: not what is tested
    static Rig *r = app ? new Rig : nullptr;
    return *r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Rig &r = rig();
    const QList<QByteArray> parts = QByteArray(reinterpret_cast<const char *>(data), int(size)).split('\0');
    if (r.keys.verify(parts.value(0), parts.value(1)))
        fail("a signature passed that nobody could have made");
    const UpdateDocument doc = UpdateDocument::parse(QString::fromUtf8(parts.value(0)));
    for (const auto kind : {UpdateDocument::Kind::Software, UpdateDocument::Kind::Firmware}) {
        doc.latest(kind);
        for (const bool japanese : {false, true})
            if (const UpdateDownload d = doc.download(kind, japanese); !d.sha256.isEmpty() && d.sha256.size() != 32)
                fail("a digest that is not 32 bytes");
    }
    r.render(doc.message(QStringLiteral("English")));
    r.render(QString::fromUtf8(parts.value(2)));
    return 0;
}
