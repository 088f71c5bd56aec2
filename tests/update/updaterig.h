// What the update tests share: a private temporary folder, the served document, the windows on screen
// and a recorder for addresses handed to the desktop.
#pragma once

#include "httptestserver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QUrl>

namespace lyntra_test {

// Records what the program hands to the desktop instead of starting a browser or package installer.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char *scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlRecorder() override
    {
        for (const char *scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

// The visible top-level window of that object name, or null.
inline QWidget *shown(const char *objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == QLatin1String(objectName))
            return w;
    return nullptr;
}

inline QString sha256Hex(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Downloads land in a folder of the test's own (the worker makes its folders under TMPDIR), and the
// loopback server is reached directly.
inline QString privateTemp()
{
    static QTemporaryDir dir;
    qputenv("TMPDIR", QFile::encodeName(dir.path()));
    for (const char *proxy : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(proxy);
    return dir.path();
}

inline QStringList downloadFolders(const QString &temp)
{
    return QDir(temp).entryList({"lyntra-update-*"}, QDir::Dirs);
}

inline void serveDocument(HttpTestServer &server, const QJsonObject &version)
{
    server.serve("/doc.json", {QJsonDocument(QJsonObject{{"LYNTRA_version1", version}}).toJson(), -1, 0, {}});
}

} // namespace lyntra_test
