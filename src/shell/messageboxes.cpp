#include "messageboxes.h"

#include "testhook.h"

#include <QCheckBox>
#include <QMessageBox>

namespace {

MessageBoxes *installed = nullptr;

} // namespace

MessageBoxes &MessageBoxes::current()
{
    if (installed)
        return *installed;
    if (testhook::active()) {
        static HookMessageBoxes hook;
        return hook;
    }
    static ModalMessageBoxes modal;
    return modal;
}

MessageBoxes *MessageBoxes::install(MessageBoxes *boxes)
{
    MessageBoxes *previous = installed;
    installed = boxes;
    return previous;
}

void ModalMessageBoxes::warning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

bool ModalMessageBoxes::informationWithCheck(const QString &title, const QString &richText,
                                             const QString &checkLabel)
{
    QMessageBox box;
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::RichText);
    box.setText(richText);
    box.setStandardButtons(QMessageBox::Ok);
    // The box owns the check box once it is set.
    auto *check = new QCheckBox(checkLabel);
    box.setCheckBox(check);
    box.exec();
    return check->isChecked();
}

void HookMessageBoxes::warning(QWidget *, const QString &title, const QString &)
{
    testhook::note(QStringLiteral("box ") + title);
}

bool HookMessageBoxes::informationWithCheck(const QString &title, const QString &, const QString &)
{
    testhook::note(QStringLiteral("box ") + title);
    return false;
}
