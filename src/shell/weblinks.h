// Addresses of the maker's product and FAQ pages, chosen by model and system language.
#pragma once

#include <QString>
#include <QUrl>

namespace weblinks {

// Scheme and host of the maker's web pages; the one place to change when the site moves.
extern const char *const MakerHost;

enum class Page { Product, Faq };

// `smallModel`: the unit is the K1 (else K2, also without a unit); `japanese`: Japanese pages.
QUrl pageUrl(Page page, bool smallModel, bool japanese);

// True when Qt's default locale is Japanese.
bool systemIsJapanese();

// Opens `url` in the system browser; false when no browser took it. GUI thread.
bool open(const QUrl &url);

} // namespace weblinks
