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

QPixmap artPixmap(const QString &path)
{
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        const int dot = path.lastIndexOf(QLatin1Char('.'));
        QPixmap fine;
        if (dot > 0 && fine.load(path.left(dot) + QStringLiteral("@2x") + path.mid(dot))) {
            fine.setDevicePixelRatio(2.0);
            return fine;
        }
    }
    return QPixmap(path);
}
