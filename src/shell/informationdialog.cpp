#include "informationdialog.h"

#include "weblinks.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QMessageBox>

namespace informationdialog {

namespace {

QString faqTable(bool japanese)
{
    using weblinks::Page;
    const QString row = QStringLiteral("<td><a href=\"%1\">%2</a></td>");
    return QStringLiteral("<table border=\"0\" cellpadding=\"10\"><tr>") +
           row.arg(weblinks::pageUrl(Page::Faq, true, japanese).toString(),
                   QStringLiteral("LYNTRA K1 FAQs")) +
           row.arg(weblinks::pageUrl(Page::Faq, false, japanese).toString(),
                   QStringLiteral("LYNTRA K2 FAQs")) +
           QStringLiteral("</tr></table>");
}

} // namespace

QString title()
{
    return QCoreApplication::translate("InformationDialog", "AVENOR LYNTRA K1/K2 Information");
}

QString text(bool japanese)
{
    const QString body =
        japanese ? QStringLiteral(
                       "ノイズが発生する場合は、コンピューターの電源オプションが「高パフォーマンス」に"
                       "設定されていることを確認してください。<p>また、最適なパフォーマンスを得るために、"
                       "お使いのオーディオソフトウェアでASIOドライバーを選択してください。"
                       "<p>セットアップ情報やその他のFAQは当社ウェブサイトをご覧ください：")
                 : QCoreApplication::translate(
                       "InformationDialog",
                       "If noise occurs, ensure your computer's power option is set to 'High Performance.'"
                       "<p>Also select the ASIO Driver type within your Audio Software for best performance."
                       "<p>Setup information and more FAQs are available on our website:");
    return body + faqTable(japanese);
}

QString checkLabel(bool japanese)
{
    return japanese ? QStringLiteral("次からは表示しない")
                    : QCoreApplication::translate("InformationDialog", "Do not show again");
}

QMessageBox *open(bool japanese)
{
    auto *box = new QMessageBox;
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Information);
    box->setWindowTitle(title());
    box->setTextFormat(Qt::RichText);
    box->setText(text(japanese));
    box->setStandardButtons(QMessageBox::Ok);
    box->setCheckBox(new QCheckBox(checkLabel(japanese)));
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
    return box;
}

} // namespace informationdialog
