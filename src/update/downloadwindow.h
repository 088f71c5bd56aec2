// The small window of a running download (label, progress bar, Cancel) and of a finished one
// (label and OK).
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

class DownloadWindow : public QWidget {
    Q_OBJECT

public:
    enum class Stage { Downloading, Complete };

    // `label`: rich text; `button`: the button's text. The progress bar is shown while downloading, and
    // its Cancel button starts disabled.
    DownloadWindow(Stage stage, const QString &title, const QString &label, const QString &button);

    QPushButton *button() const { return button_; }
    QProgressBar *bar() const { return bar_; }

public slots:
    void setProgress(int percent);

signals:
    // The user closed the window from its frame. While its button is disabled the window stays open.
    void closedByUser();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // While downloading, Escape cancels (once it may); when complete, Return says OK and Escape closes.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *label_;
    QProgressBar *bar_ = nullptr;
    QPushButton *button_;
};
