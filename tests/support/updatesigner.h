// Update documents signed for tests, through the real signing command. The update tests run from a prefix
// of their own (build/tests/update-prefix) whose share/ holds a test key made at build time: documents
// signed with it are trusted there and nowhere else.
#pragma once

#include "virtualunit.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace lyntra_test {

// The signature file's content for `document`, made with `privateKey` (by default the private half of the
// key the test program's own prefix trusts; "other-private.pem" beside it is trusted nowhere); empty when
// signing failed.
inline QByteArray signatureOf(const QByteArray &document,
                              const QString &privateKey = QCoreApplication::applicationDirPath() +
                                                          "/../test-private.pem")
{
    QTemporaryDir dir;
    QFile file(dir.filePath("document")), signature(dir.filePath("document.sig"));
    QProcess signer;
    if (file.open(QIODevice::WriteOnly) && file.write(document) == document.size() && file.flush())
        signer.start(bin_dir() + "/lyntra-update-sign", {"sign", privateKey, file.fileName()});
    const bool signedIt = signer.waitForFinished(kPatienceMs) && signer.exitCode() == 0;
    return signedIt && signature.open(QIODevice::ReadOnly) ? signature.readAll() : QByteArray();
}

} // namespace lyntra_test
