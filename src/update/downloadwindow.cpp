#include "downloadwindow.h"

#include "boxkeys.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr int Width = 250;
constexpr int Height = 100;
const char *const Backdrop = ":/Resource/update/Download_250x100.png";

} // namespace

DownloadWindow::DownloadWindow(Stage stage, const QString &title, const QString &label, const QString &button)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      label_(new QLabel(label, this)), button_(new QPushButton(button, this))
{
    setObjectName(stage == Stage::Downloading ? QStringLiteral("downloadWindow")
                                              : QStringLiteral("downloadCompleteWindow"));
    setWindowTitle(title);
    setFixedSize(Width, Height);

    label_->setObjectName(QStringLiteral("label_download"));
    label_->setTextFormat(Qt::RichText);
    QFont font = label_->font();
    font.setPointSize(11);
    label_->setFont(font);
    label_->setStyleSheet(QStringLiteral("color: black; background: transparent"));
    label_->setGeometry(12, 8, Width - 24, 22);

    button_->setObjectName(stage == Stage::Downloading ? QStringLiteral("pB_Cancel")
                                                       : QStringLiteral("pB_OK"));
    const int buttonWidth = qMax(84, button_->sizeHint().width());
    button_->setGeometry(Width - 12 - buttonWidth, Height - 12 - 26, buttonWidth, 26);
    if (stage == Stage::Downloading) {
        bar_ = new QProgressBar(this);
        bar_->setObjectName(QStringLiteral("progressBar"));
        bar_->setRange(0, 100);
        bar_->setValue(0);
        bar_->setTextVisible(false);
        bar_->setGeometry(12, 34, Width - 24, 20);
        // Nothing to cancel until the first bytes have arrived.
        button_->setEnabled(false);
    } else {
        button_->setDefault(true);
    }
}

void DownloadWindow::setProgress(int percent)
{
    if (bar_)
        bar_->setValue(percent);
}

void DownloadWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(rect(), QPixmap(QLatin1String(Backdrop)));
}

void DownloadWindow::closeEvent(QCloseEvent *event)
{
    if (!event->spontaneous())
        return;
    if (!button_->isEnabled())
        event->ignore();
    emit closedByUser();
}

void DownloadWindow::keyPressEvent(QKeyEvent *event)
{
    const bool downloading = bar_ != nullptr;
    if (!boxkeys::answer(this, event, downloading ? nullptr : button_, downloading ? button_ : nullptr))
        QWidget::keyPressEvent(event);
}
