// The update dialogs' own text sets: seven languages of fourteen texts each, chosen by the locale.
#pragma once

#include <QLocale>
#include <QString>

namespace updatetexts {

enum Text {
    Ok,
    Cancel,
    UpdateNow,
    UpdateLater,
    DoNotShowAgain,
    UpdateTitle,
    CurrentVersion,
    LatestVersion,
    NewSoftware,
    NewFirmware,
    InformationTitle,
    DownloadFailed,
    Downloading,
    DownloadComplete,
    TextCount
};

constexpr int LanguageCount = 7;

// The maker's web site, offered in the download-failure text.
extern const char *const MakerWebsite;

// 1 French, 2 Spanish, 3 German, 4 Italian, 5 Japanese, 6 Chinese, 0 (English) for any other language.
int languageIndex(const QLocale &locale);

// Text `which` of language `lang`; a language index outside 0..6 gives the English text.
QString text(int lang, Text which);

} // namespace updatetexts
