// A rich-text view for text that comes from elsewhere (the update document's message): it shows what the
// text carries and nothing more. No image, style sheet or page is fetched from a file, a device or the
// network, only from the program's own resources; a link opens in the desktop's browser when it is
// https and does nothing otherwise; the text is cut to a bounded length, and tables nested too deep to
// lay out in good time are shown as plain text. GUI thread.
#pragma once

#include <QTextBrowser>

class MessageView : public QTextBrowser {
    Q_OBJECT

public:
    // Longest text shown, in characters; the rest is dropped.
    static constexpr int TextLimit = 20000;

    explicit MessageView(QWidget *parent = nullptr);

    // Shows `html`, cut to TextLimit characters (as plain text when its tables nest too deep).
    void setMessage(const QString &html);
};
