#include "boxes.h"

QMessageBox *openBox(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text,
                     QMessageBox::StandardButtons buttons)
{
    auto *box = new QMessageBox(icon, title, text, buttons, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

QMessageBox *ask(QMessageBox::Icon icon, QWidget *parent, const QString &title, const QString &text,
                 QObject *receiver, std::function<void()> onOk)
{
    auto *box = new QMessageBox(icon, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setDefaultButton(QMessageBox::Cancel);
    QObject::connect(box, &QDialog::finished, receiver, [onOk = std::move(onOk)](int result) {
        if (result == QMessageBox::Ok)
            onOk();
    });
    box->open();
    return box;
}
