// The window of an update offer or of the latest information: a rich-text message beside the
// information badge, two buttons and a "do not show again" check box.
#pragma once

#include <QWidget>

class MessageView;
class QCheckBox;
class QPushButton;

class InformationBox : public QWidget {
    Q_OBJECT

public:
    static constexpr int OfferLineHeight = 30;
    static constexpr int MessageLineHeight = 18;

    explicit InformationBox(QWidget *parent = nullptr);

    MessageView *view() const { return view_; }
    QPushButton *firstButton() const { return first_; }
    QPushButton *secondButton() const { return second_; }
    QCheckBox *checkBox() const { return check_; }

    // Shows `html` (it may come from elsewhere: see MessageView) with every line `lineHeight` pixels
    // high, scrolled to the top.
    void setMessage(const QString &html, int lineHeight);

signals:
    // The user closed the window from its frame rather than with a button.
    void dismissed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Return: the focused button, else the first; Escape: the second when shown, else the first.
    void keyPressEvent(QKeyEvent *event) override;

private:
    MessageView *view_;
    QPushButton *first_;
    QPushButton *second_;
    QCheckBox *check_;
};
