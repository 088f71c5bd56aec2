#include "messageview.h"

#include <QDesktopServices>
#include <QFile>
#include <QPixmap>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

// Every resource the text asks for is resolved here and only here. A null answer would let the text
// machinery fall back to reading the name as a file path, so an image that is not ours is a blank one.
class SealedDocument : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type != ImageResource)
            return QVariant();
        const QPixmap own = ownResource(name);
        return own.isNull() ? blank() : own;
    }

private:
    static QPixmap ownResource(const QUrl &name)
    {
        QString path;
        if (name.scheme() == QLatin1String("qrc"))
            path = QLatin1Char(':') + name.path();
        else if (name.scheme().isEmpty() && name.path().startsWith(QLatin1String(":/")))
            path = name.path();
        return path.isEmpty() || !QFile::exists(path) ? QPixmap() : QPixmap(path);
    }
    static QPixmap blank()
    {
        QPixmap pixmap(1, 1);
        pixmap.fill(Qt::transparent);
        return pixmap;
    }
};

// Laying out tables in tables takes time that doubles with each level: deeper ones are not drawn as such.
constexpr int MaxTableDepth = 4;

int tableDepth(const QTextFrame *frame)
{
    int inner = 0;
    for (const QTextFrame *child : frame->childFrames())
        inner = qMax(inner, tableDepth(child));
    return inner + (qobject_cast<const QTextTable *>(frame) ? 1 : 0);
}

// The only links handed to the desktop.
bool opensInBrowser(const QUrl &url)
{
    return url.isValid() && url.scheme() == QLatin1String("https") && !url.host().isEmpty();
}

} // namespace

MessageView::MessageView(QWidget *parent) : QTextBrowser(parent)
{
    setDocument(new SealedDocument(this));
    // A link never becomes a page of this view (which would load it): it goes to the browser or nowhere.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [](const QUrl &url) {
        if (opensInBrowser(url))
            QDesktopServices::openUrl(url);
    });
}

void MessageView::setMessage(const QString &html)
{
    // Read apart first: the view would lay the text out at once.
    SealedDocument probe;
    probe.setHtml(html.left(TextLimit));
    if (tableDepth(probe.rootFrame()) > MaxTableDepth)
        setPlainText(probe.toPlainText());
    else
        setHtml(html.left(TextLimit));
}

