#include "updateversion.h"

namespace {

// A digit character as its value; anything else (a missing or non-digit character) as 0.
int digitAt(const QString &s, int i)
{
    return i < s.size() && s.at(i).isDigit() ? s.at(i).digitValue() : 0;
}

int twoDigits(const QString &s, int from)
{
    return digitAt(s, from) * 10 + digitAt(s, from + 1);
}

} // namespace

namespace updateversion {

QString text(int major, int minor)
{
    return QStringLiteral("%1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
}

bool isNewer(const QString &current, const QString &major, const QString &minor)
{
    const int currentMajor = digitAt(current, 0);
    const int latestMajor = digitAt(major, 0);
    if (currentMajor != latestMajor)
        return currentMajor < latestMajor;
    return twoDigits(current, 2) < twoDigits(minor, 0);
}

bool isNewer(const QString &current, const QString &latest)
{
    const int point = latest.indexOf(QLatin1Char('.'));
    if (point < 0)
        return isNewer(current, latest, QString());
    return isNewer(current, latest.left(point), latest.mid(point + 1));
}

} // namespace updateversion
