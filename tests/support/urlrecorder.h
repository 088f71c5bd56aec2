// Records what the program hands to the desktop instead of starting a browser or a package installer.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

namespace lyntra_test {

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

} // namespace lyntra_test
