#include "progresswindow.h"

#include <QLabel>
#include <QProgressBar>

ProgressWindow::ProgressWindow()
    : QWidget(nullptr, Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint),
      label_(new QLabel(tr("Changing various settings..."), this)), bar_(new QProgressBar(this))
{
    setObjectName(QStringLiteral("progressWindow"));
    setFixedSize(250, 100);
    // Styled rather than painted so that the picture scales with the window like the product's.
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#progressWindow { border-image: url(:/Resource/Download_250x100.png); "
                                 "color: black; }"
                                 "QLabel { color: black; background: transparent; }"));
    label_->setObjectName(QStringLiteral("label_progress"));
    label_->setGeometry(10, 10, 230, 20);
    QFont font = label_->font();
    font.setPointSize(11);
    label_->setFont(font);
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setGeometry(10, 40, 230, 20);
    bar_->setRange(0, Steps);
}

void ProgressWindow::open(const QString &title)
{
    setWindowTitle(title);
    bar_->setValue(0);
    show();
    raise();
}

void ProgressWindow::setRemaining(int remaining)
{
    bar_->setValue(Steps - remaining);
}

void ProgressWindow::finish()
{
    bar_->hide();
    hide();
    bar_->show(); // ready for the next opening
}
