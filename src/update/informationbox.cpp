#include "informationbox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

namespace {

constexpr int Width = 570;
constexpr int Height = 160;
const char *const Backdrop = ":/Resource/update/info_570x160_icon.png";

} // namespace

InformationBox::InformationBox(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      view_(new QTextBrowser(this)), first_(new QPushButton(tr("Update now"), this)),
      second_(new QPushButton(tr("Update later"), this)),
      check_(new QCheckBox(tr("Do not show the same message again"), this))
{
    setObjectName(QStringLiteral("InformationBox"));
    view_->setObjectName(QStringLiteral("textBrowser"));
    first_->setObjectName(QStringLiteral("pushButton"));
    second_->setObjectName(QStringLiteral("pushButton_2"));
    check_->setObjectName(QStringLiteral("checkBox"));
    setFixedSize(Width, Height);

    view_->setGeometry(92, 8, Width - 92 - 12, 112);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setOpenExternalLinks(true);
    view_->viewport()->setAutoFillBackground(false);
    view_->setStyleSheet(QStringLiteral("color: black; font-size: 14px; background: transparent"));
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    check_->setGeometry(96, 126, 250, 24);
    check_->setStyleSheet(QStringLiteral("color: black"));
    second_->setGeometry(Width - 12 - 110, 124, 110, 26);
    first_->setGeometry(Width - 12 - 110 - 8 - 110, 124, 110, 26);
    first_->setDefault(true);
}

void InformationBox::setMessage(const QString &html, int lineHeight)
{
    view_->setHtml(html);
    QTextCursor cursor(view_->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(format);
    view_->verticalScrollBar()->setValue(0);
    view_->moveCursor(QTextCursor::Start);
}

void InformationBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(rect(), QPixmap(QLatin1String(Backdrop)));
}

void InformationBox::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (event->spontaneous())
        emit dismissed();
}
