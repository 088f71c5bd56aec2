#include "meterlabels.h"

#include "resources.h"
#include "metertable.h"

#include <QPixmap>

namespace {

QLabel *imageLabel(QWidget *host, const QString &image, const QRect &geo, Qt::Alignment align)
{
    auto *l = new QLabel(host);
    l->setGeometry(geo);
    l->setPixmap(artPixmap(image));
    // The image stays put on the strip while the label's top edge moves over it.
    l->setAlignment(align);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

QRect toRect(const meter::Bar &b)
{
    return QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom));
}

} // namespace

MeterLabels makeMeter(QWidget *host, int slot, const QString &barName, const QString &peakName)
{
    using namespace meter;
    const QRect empty = toRect(barAt(slot, kEmptyOffset));
    const QRect full = toRect(barAt(slot, 0));
    const QRect lamp(full.left(), kPeakTop, full.width(), kPeakHeight);
    const QRect well = full.united(lamp).adjusted(-kWellMargin, -kWellMargin, kWellMargin, kWellMargin);
    imageLabel(host, QStringLiteral(":/Resource/track/meter_well.png"), well, Qt::AlignLeft | Qt::AlignTop);

    MeterLabels m;
    m.peak = imageLabel(host, QStringLiteral(":/Resource/track/meter_peak.png"), lamp,
                        Qt::AlignLeft | Qt::AlignTop);
    m.peak->setObjectName(peakName);
    m.peak->hide();
    m.bar = imageLabel(host, QStringLiteral(":/Resource/track/meter_level.png"), empty,
                       Qt::AlignLeft | Qt::AlignBottom);
    m.bar->setObjectName(barName);
    // The image fills the bar whatever its height, so nothing beneath needs painting when it moves.
    m.bar->setAttribute(Qt::WA_OpaquePaintEvent, !m.bar->pixmap(Qt::ReturnByValue).isNull());
    return m;
}
