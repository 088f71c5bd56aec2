#include "fileicon.h"

#include <QDirIterator>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>

#include <map>

namespace {

class FileIconEngine : public QIconEngine {
public:
    void add(const QString &file)
    {
        const QSize size = QImageReader(file).size();
        if (size.isEmpty())
            return;
        const int side = std::max(size.width(), size.height());
        const bool finer = file.contains(QLatin1String("@2x."));
        if (!finer)
            offered_.append(size);
        // Of two drawings with one side, the one drawn for that side wins over an enlargement.
        if (!finer || !sources_.count(side))
            sources_[side] = file;
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        if (sources_.empty() || size.isEmpty())
            return QPixmap();
        const int side = std::max(size.width(), size.height());
        auto source = sources_.lower_bound(side);
        if (source == sources_.end())
            --source;
        QImage image(source->second);
        if (image.size() != size)
            image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return QPixmap::fromImage(std::move(image));
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, drawn);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return sources_.empty() ? QSize() : size;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) const override { return offered_; }

    QIconEngine *clone() const override { return new FileIconEngine(*this); }

private:
    std::map<int, QString> sources_; // by the longer side, in pixels
    QList<QSize> offered_;
};

} // namespace

QIcon fileIcon(const QString &folder)
{
    auto *engine = new FileIconEngine;
    QDirIterator files(folder, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        engine->add(files.next());
    return QIcon(engine);
}
