#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The catalogues live in a static library; its resources register only when referenced.
static void initCatalogues()
{
    Q_INIT_RESOURCE(lyntra_translations);
}

namespace {

// The name, not the UI-language list, decides: the web links and the information text follow
// QLocale().language(), and the window must speak the same language as they do.
bool install(QCoreApplication &app, const QLocale &locale, const QString &stem, const QString &dir)
{
    auto *catalogue = new QTranslator(&app);
    if (catalogue->load(stem + QLatin1Char('_') + locale.name(), dir) && !catalogue->isEmpty() &&
        app.installTranslator(catalogue))
        return true;
    delete catalogue;
    return false;
}

} // namespace

bool installTranslations(QCoreApplication &app, const QLocale &locale)
{
    initCatalogues();
    if (!install(app, locale, QStringLiteral("lyntra"), QStringLiteral(":/i18n")))
        return false;
    install(app, locale, QStringLiteral("qtbase"), QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    return true;
}
