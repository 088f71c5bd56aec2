#include "resources.h"

#include <QGuiApplication>
#include <QtGlobal>

// A static library's resources are only registered when something references them; the macro has to
// stand outside any namespace.
static void initCollection()
{
    Q_INIT_RESOURCE(lyntra);
}

void lyntra_init_resources()
{
    initCollection();
}

namespace {
constexpr qreal FineArtworkFromRatio = 1.25;
}

QPixmap artPixmap(const QString &path)
{
    // A screen a few per cent above 100 % (a reported DPI of 100 gives 104 %) gains nothing visible
    // from the finer drawing and would pay twice the memory for every image.
    if (qGuiApp && qGuiApp->devicePixelRatio() >= FineArtworkFromRatio) {
        const int dot = path.lastIndexOf(QLatin1Char('.'));
        QPixmap fine;
        if (dot > 0 && fine.load(path.left(dot) + QStringLiteral("@2x") + path.mid(dot))) {
            fine.setDevicePixelRatio(2.0);
            return fine;
        }
    }
    return QPixmap(path);
}
