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
        // Converted as the screen draws it: premultiplied where some pixel is not opaque, else without
        // alpha at all, so that drawing it is a plain copy.
        it = decoded.insert(key, QPixmap::fromImage(QImage(key)));
    }
    return *it;
}

} // namespace artwork
