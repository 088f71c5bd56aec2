#include "licensedialog.h"

#include "boxes.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

const char *const LicenseDialog::ResourcePath = ":/Resource/LICENSE.txt";

bool LicenseDialog::loadText(const QString &path, QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    // Page breaks of the printed licence would show as boxes in the browser.
    text.remove(QChar(12));
    return true;
}

LicenseDialog::LicenseDialog(const QString &text)
{
    setWindowTitle(tr("License Information"));
    setFixedSize(650, 400);
    auto *browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("licenseText"));
    browser->setReadOnly(true);
    browser->setPlainText(text);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(browser);
}

LicenseDialog *LicenseDialog::present(QWidget *boxParent, const QString &path)
{
    QString text;
    if (!loadText(path, text)) {
        openWarning(boxParent, tr("File Missing!"),
                    tr("There is a possibility that the file has been moved or deleted."));
        return nullptr;
    }
    auto *dialog = new LicenseDialog(text);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    return dialog;
}
