// Hex helpers for byte-exact assertions: "0A FB" <-> bytes.
#pragma once

#include <QByteArray>
#include <QString>

inline QByteArray hexBytes(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

inline QString hexOf(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}
