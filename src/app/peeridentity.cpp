#include "peeridentity.h"

#include <QDir>
#include <QRegularExpression>

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

QString lockFilePath(const QString &socketName)
{
    return QDir(QDir::tempPath()).absolutePath() + QLatin1Char('/') + socketName +
           QStringLiteral("-lockfile");
}

} // namespace PeerIdentity
