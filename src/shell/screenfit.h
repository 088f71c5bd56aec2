// Keeps the main window at the size of its pages, fixed, on a screen with room for it. On a smaller
// screen (a 1366 x 768 laptop, or a scale factor that leaves fewer logical pixels) a window of that
// size would put the master strip and the page buttons out of reach: there the window takes the room
// the screen has, still fixed, and a page larger than that scrolls inside it.
//
// GUI thread.
#pragma once

#include <QObject>
#include <QSize>

class QMainWindow;
class QScreen;
class QStackedWidget;
class QWidget;

class ScreenFit : public QObject {
    Q_OBJECT

public:
    // Room kept for the window's frame and title bar, which are not known before it is shown.
    static constexpr int kFrameWidth = 8;
    static constexpr int kFrameHeight = 40;

    // Makes `pages` (the scroll area takes it) the scrolling central widget of `window`, which must
    // outlive this object, and fits the window to its screen now and whenever it moves to another one.
    ScreenFit(QMainWindow &window, QStackedWidget *pages);

    // The largest page with the menu bar: the window's size where the screen has room.
    QSize natural() const;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fit(const QScreen *screen);
    void followPage();

    QMainWindow &window_;
    QStackedWidget *pages_;
    bool following_ = false;
};
