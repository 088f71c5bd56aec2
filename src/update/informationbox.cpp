#include "informationbox.h"

#include "boxkeys.h"
#include "messageview.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace {

constexpr int Width = 570;
constexpr int Height = 210;  // a wrapped headline and two version lines at 30 px, then the buttons
constexpr int TextLeft = 92; // right of the badge
constexpr int Margin = 12;
const char *const Backdrop = ":/Resource/update/info_570x160_icon.png";

} // namespace

InformationBox::InformationBox(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      view_(new MessageView(this)), first_(new QPushButton(tr("Update now"), this)),
      second_(new QPushButton(tr("Update later"), this)),
      check_(new QCheckBox(tr("Do not show the same message again"), this))
{
    setObjectName(QStringLiteral("InformationBox"));
    view_->setObjectName(QStringLiteral("textBrowser"));
    first_->setObjectName(QStringLiteral("pushButton"));
    second_->setObjectName(QStringLiteral("pushButton_2"));
    check_->setObjectName(QStringLiteral("checkBox"));
    setFixedSize(Width, Height);

    view_->document()->setDocumentMargin(2);
    view_->setFrameShape(QFrame::NoFrame);
    view_->viewport()->setAutoFillBackground(false);
    view_->setStyleSheet(QStringLiteral("color: black; font-size: 14px; background: transparent"));
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    check_->setStyleSheet(QStringLiteral("color: black"));
    for (QPushButton *button : {first_, second_})
        button->setMinimumSize(112, 28);
    first_->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(22, 0, 0, 0); // under the badge
    buttons->addWidget(check_);
    buttons->addStretch();
    buttons->addWidget(first_);
    buttons->addWidget(second_);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 6, Margin, Margin);
    auto *text = new QHBoxLayout;
    text->addSpacing(TextLeft);
    text->addWidget(view_);
    column->addLayout(text);
    column->addLayout(buttons);
}

void InformationBox::setMessage(const QString &html, int lineHeight)
{
    view_->setMessage(html);
    QTextCursor cursor(view_->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(format);
    view_->verticalScrollBar()->setValue(0);
    view_->moveCursor(QTextCursor::Start);
}

// The window is taller than its picture: the picture is drawn as it is down to its bottom lip, plain metal
// from below the badge repeats in the gap, and the lip closes the window.
void InformationBox::paintEvent(QPaintEvent *)
{
    const QPixmap art{QString::fromLatin1(Backdrop)};
    if (art.isNull())
        return;
    QPainter p(this);
    constexpr int Lip = 4, PlainRows = 48;
    const int body = art.height() - Lip;
    p.drawPixmap(0, 0, art, 0, 0, -1, body);
    for (int y = body; y < height() - Lip; y += PlainRows)
        p.drawPixmap(0, y, art, 0, body - PlainRows, -1, qMin(PlainRows, height() - Lip - y));
    p.drawPixmap(0, height() - Lip, art, 0, body, -1, Lip);
}

void InformationBox::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (event->spontaneous())
        emit dismissed();
}

void InformationBox::keyPressEvent(QKeyEvent *event)
{
    if (!boxkeys::answer(this, event, first_, second_->isVisible() ? second_ : first_))
        QWidget::keyPressEvent(event);
}
