// Help > License: the licence text from the resources in a modal, read-only dialog that does not hold
// up the event loop.
#pragma once

#include <QDialog>
#include <QString>

class LicenseDialog : public QDialog {
    Q_OBJECT

public:
    static const char *const ResourcePath; // ":/Resource/LICENSE.txt"

    // Reads `path` whole as UTF-8 without its form feeds. Returns false (and leaves `text` alone)
    // when the file cannot be opened. Any thread.
    static bool loadText(const QString &path, QString &text);

    // Without parent, "License Information", 650 x 400. GUI thread.
    explicit LicenseDialog(const QString &text);

    // Loads the licence and shows the dialog, modal to the program, returning at once; or opens the
    // "File Missing!" warning over `boxParent` (may be null) and returns null. The dialog has no
    // parent and deletes itself when closed; the caller deletes it if it is still open at the end.
    static LicenseDialog *present(QWidget *boxParent, const QString &path = QLatin1String(ResourcePath));
};
