// The program's language: the panel's catalogue for the user's locale, and Qt's own for the standard
// dialog buttons.
#pragma once

class QCoreApplication;
class QLocale;

// Installs the panel's catalogue for `locale` into `app` (owned by `app`) and, only when there is one,
// Qt's catalogue for the same language, so a language the panel lacks stays English throughout.
// Returns true when the panel's catalogue was installed; English is the source and needs none.
// GUI thread, before the first window is built.
bool installTranslations(QCoreApplication &app, const QLocale &locale);
