#include "peeridentity.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

namespace PeerIdentity {

quint16 checksum(const QByteArray &data)
{
    quint16 crc = 0xFFFF;
    for (const char c : data) {
        crc ^= static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<quint16>((crc >> 1) ^ 0x8408) : static_cast<quint16>(crc >> 1);
    }
    return static_cast<quint16>(~crc);
}

QString instanceId(const QString &appFilePath)
{
    return appFilePath.toLower();
}

QString sessionSuffix()
{
    const QString session = QString::fromLocal8Bit(qgetenv("XDG_SESSION_ID")).trimmed().toLower();
    bool numeric = false;
    const qulonglong number = session.toULongLong(&numeric, 10);
    if (numeric)
        return QLatin1Char('-') + QString::number(number, 16);
    // logind also hands out ids such as "c2"; keep only what is safe inside a socket file name.
    QString safe = session;
    safe.remove(QRegularExpression(QStringLiteral("[^0-9a-z]")));
    if (!safe.isEmpty())
        return QLatin1Char('-') + safe;
    return QLatin1Char('-') + QString::number(static_cast<qulonglong>(::getuid()), 16);
}

QString socketName(const QString &id, const QString &suffix)
{
    QString prefix = id.mid(id.lastIndexOf(QLatin1Char('/')) + 1);
    prefix.remove(QRegularExpression(QStringLiteral("[^a-zA-Z]")));
    prefix.truncate(6);
    return QStringLiteral("qtsingleapp-") + prefix + QLatin1Char('-') +
           QString::number(checksum(id.toUtf8()), 16) + suffix;
}

namespace {

bool privateFolder(const QString &path)
{
    struct stat st;
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

} // namespace

QString runtimeFolder()
{
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty())
        return privateFolder(runtime) ? QDir(runtime).absolutePath() : QString();
    const QString own = QDir(QDir::tempPath()).absolutePath() +
                        QStringLiteral("/lyntra-panel-%1").arg(static_cast<qulonglong>(::geteuid()), 0, 16);
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return privateFolder(own) ? own : QString();
}

QString socketPath(const QString &socketName)
{
    const QString folder = runtimeFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + socketName;
}

QString lockFilePath(const QString &socketName)
{
    const QString socket = socketPath(socketName);
    return socket.isEmpty() ? QString() : socket + QStringLiteral("-lockfile");
}

} // namespace PeerIdentity
