#include "wholefile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace wholefile {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

bool read(const QString &path, QByteArray *data, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return false;
    }
    if (file.size() > kMaxBytes) {
        setError(error,
                 QCoreApplication::translate("wholefile", "The file is too large to be a settings file."));
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() != file.size()) {
        setError(error, file.errorString());
        return false;
    }
    *data = std::move(bytes);
    return true;
}

bool replace(const QString &path, const QByteArray &data, QString *error)
{
    const QFileInfo old(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush()) {
        setError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (old.exists() && old.size() == data.size()) {
        // Two seconds also clear filesystems that keep whole or even seconds only.
        const QDateTime after =
            std::max(QDateTime::currentDateTimeUtc(), old.lastModified().toUTC().addSecs(2));
        if (!file.setFileTime(after, QFileDevice::FileModificationTime)) {
            setError(error, file.errorString());
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

bool remove(const QString &path, QString *error)
{
    QFile file(path);
    if (file.remove() || !file.exists())
        return true;
    setError(error, file.errorString());
    return false;
}

} // namespace wholefile
