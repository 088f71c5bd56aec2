// Help > License: the licence text from the resources in a modal, read-only dialog.
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

    // Loads the licence and runs the dialog, or shows "File Missing!" through the message-box seam.
    // `boxParent`: parent of that box, may be null.
    static void present(QWidget *boxParent, const QString &path = QLatin1String(ResourcePath));
};
