#include "meterlabels.h"

#include "artwork.h"
#include "metertable.h"

#include <QPainter>

namespace {

// A meter image with nothing else to draw: the label's frame, style and text machinery would cost
// more than the picture on every one of the ten steps a second. Opaque, so nothing beneath repaints.
class MeterImage : public QLabel {
public:
    MeterImage(QWidget *host, const QPixmap &image, bool fromBottom)
        : QLabel(host), image_(image), fromBottom_(fromBottom)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent, !image_.isNull() && !image_.hasAlphaChannel());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        // The image stays put on the strip while the label's top edge moves over it. In the widget's
        // pixels: a twice-as-fine drawing is half as many of them.
        const int imageHeight = qRound(image_.height() / image_.devicePixelRatioF());
        p.drawPixmap(0, fromBottom_ ? height() - imageHeight : 0, image_);
    }

private:
    QPixmap image_;
    bool fromBottom_;
};

QLabel *imageLabel(QWidget *host, const QString &image, const QRect &geo, bool fromBottom)
{
    auto *l = new MeterImage(host, artwork::pixmap(image), fromBottom);
    l->setGeometry(geo);
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
    imageLabel(host, QStringLiteral(":/Resource/track/meter_well.png"), well, false);

    MeterLabels m;
    m.peak = imageLabel(host, QStringLiteral(":/Resource/track/meter_peak.png"), lamp, false);
    m.peak->setObjectName(peakName);
    m.peak->hide();
    m.bar = imageLabel(host, QStringLiteral(":/Resource/track/meter_level.png"), empty, true);
    m.bar->setObjectName(barName);
    return m;
}
