#include "screenfit.h"

#include <QEvent>
#include <QLayout>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QWindow>

namespace {

// What a page needs: its own fixed size, or what its layout asks for.
QSize pageMinimum(const QWidget *page)
{
    return page ? page->minimumSizeHint().expandedTo(page->minimumSize()) : QSize(0, 0);
}

} // namespace

ScreenFit::ScreenFit(QMainWindow &window, QStackedWidget *pages)
    : QObject(&window), window_(window), pages_(pages)
{
    auto *area = new QScrollArea(&window);
    area->setObjectName(QStringLiteral("pageScroller"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    // Not a Tab stop of its own: the keyboard goes from control to control, and the area scrolls to
    // each.
    area->setFocusPolicy(Qt::NoFocus);
    // Bars in the panel's colours rather than the desktop's light ones; on the bars alone, since a
    // style sheet on the area would restyle every control of the pages.
    const QString bar = QStringLiteral(
        "QScrollBar { background: #1b1c1f; border: none; width: 12px; height: 12px }"
        "QScrollBar::handle { background: #5a5d63; border-radius: 4px; margin: 2px; min-width: 32px; min-height: 32px }"
        "QScrollBar::handle:hover { background: #7a7e85 }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0 }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none }");
    area->horizontalScrollBar()->setStyleSheet(bar);
    area->verticalScrollBar()->setStyleSheet(bar);
    auto *corner = new QWidget;
    corner->setStyleSheet(QStringLiteral("background: #1b1c1f"));
    area->setCornerWidget(corner);
    // The page shown decides what scrolls, not the largest one, so the stack's layout must not set
    // its minimum to the largest.
    pages_->layout()->setSizeConstraint(QLayout::SetNoConstraint);
    connect(pages_, &QStackedWidget::currentChanged, this, &ScreenFit::followPage);
    followPage();
    area->setWidget(pages_);
    window_.setCentralWidget(area);
    window_.installEventFilter(this);
    fit(QGuiApplication::primaryScreen());
}

bool ScreenFit::eventFilter(QObject *watched, QEvent *event)
{
    // The native window exists from the first show on: from then on its screen decides.
    if (watched == &window_ && event->type() == QEvent::Show && !following_ && window_.windowHandle()) {
        following_ = true;
        connect(window_.windowHandle(), &QWindow::screenChanged, this, &ScreenFit::fit);
        fit(window_.windowHandle()->screen());
    }
    return false;
}

QSize ScreenFit::natural() const
{
    QSize largest(0, 0);
    for (int i = 0; i < pages_->count(); ++i)
        largest = largest.expandedTo(pageMinimum(pages_->widget(i)));
    return {largest.width(), largest.height() + window_.menuBar()->sizeHint().height()};
}

void ScreenFit::followPage()
{
    pages_->setMinimumSize(pageMinimum(pages_->currentWidget()));
}

void ScreenFit::fit(const QScreen *screen)
{
    const QSize room = screen ? screen->availableGeometry().size() - QSize(kFrameWidth, kFrameHeight) : natural();
    window_.setFixedSize(natural().boundedTo(room));
}
