#include "weblinks.h"

#include <QDesktopServices>
#include <QLocale>

namespace weblinks {

const char *const MakerHost = "https://www.avenor-audio.example";

QUrl pageUrl(Page page, bool smallModel, bool japanese)
{
    return QUrl(QStringLiteral("%1/%2/product/LYNTRA_%3/%4")
                    .arg(QLatin1String(MakerHost), japanese ? QStringLiteral("jp") : QStringLiteral("int"),
                         smallModel ? QStringLiteral("K1") : QStringLiteral("K2"),
                         page == Page::Product ? QStringLiteral("top") : QStringLiteral("faq")));
}

bool systemIsJapanese()
{
    return QLocale().language() == QLocale::Japanese;
}

bool open(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace weblinks
