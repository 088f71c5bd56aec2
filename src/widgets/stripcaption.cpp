#include "stripcaption.h"

#include <QCoreApplication>
#include <QObject>

QString stripCaption(mixer::StripRef strip)
{
    if (strip.kind == mixer::StripKind::Mono) {
        const mixer::TrackInfo *t = mixer::trackInfo(strip.number);
        if (!t)
            return {};
        if (t->suffix.startsWith(QLatin1String("SP")))
            return QObject::tr("S/PDIF %1").arg(t->odd ? "L" : "R");
        if (t->suffix.startsWith(QLatin1String("Adat")))
            return QObject::tr("OPT %1").arg(t->suffix.mid(4));
        return QObject::tr("IN %1").arg(t->suffix);
    }
    if (strip.kind == mixer::StripKind::Pair) {
        const mixer::PairInfo *p = mixer::pairInfo(strip.number);
        if (!p)
            return {};
        if (p->suffix.startsWith(QLatin1String("SP")))
            return QObject::tr("S/PDIF");
        if (p->suffix.startsWith(QLatin1String("Adat")))
            return QObject::tr("OPT %1").arg(p->suffix.mid(4));
        return QObject::tr("IN %1").arg(QString(p->suffix).replace('_', '-'));
    }
    return {};
}

QString sourceName(const QString &english)
{
    int digits = english.size();
    while (digits > 0 && english.at(digits - 1).isDigit())
        --digits;
    if (digits == english.size())
        return QCoreApplication::translate("SourceName", qPrintable(english));
    return QCoreApplication::translate("SourceName", qPrintable(english.left(digits) + QLatin1String("%1")))
        .arg(english.mid(digits));
}
