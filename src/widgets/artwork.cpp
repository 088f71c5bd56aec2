#include "artwork.h"

#include "resources.h"

#include <QHash>

namespace artwork {

const QPixmap &pixmap(const QString &path)
{
    static QHash<QString, QPixmap> decoded;
    // ":Resource/x.png" and ":/Resource/x.png" name the same resource.
    const QString key = path.startsWith(QLatin1String(":/")) || !path.startsWith(QLatin1Char(':'))
                            ? path
                            : QStringLiteral(":/") + path.mid(1);
    auto it = decoded.find(key);
    // Loaded as a pixmap, so converted as the screen draws it (premultiplied where some pixel is not
    // opaque, else without alpha), and in its twice-as-fine drawing on a scaled screen.
    if (it == decoded.end())
        it = decoded.insert(key, artPixmap(key));
    return *it;
}

} // namespace artwork
