#include "artwork.h"

#include <QHash>
#include <QImage>

namespace artwork {

const QPixmap &pixmap(const QString &path)
{
    static QHash<QString, QPixmap> decoded;
    // ":Resource/x.png" and ":/Resource/x.png" name the same resource.
    const QString key = path.startsWith(QLatin1String(":/")) || !path.startsWith(QLatin1Char(':'))
                            ? path
                            : QStringLiteral(":/") + path.mid(1);
    auto it = decoded.find(key);
    if (it == decoded.end()) {
        QImage image(key);
        if (!image.isNull())
            image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                  : QImage::Format_RGB32);
        it = decoded.insert(key, QPixmap::fromImage(std::move(image), Qt::NoFormatConversion));
    }
    return *it;
}

} // namespace artwork
