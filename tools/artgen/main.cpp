// lyntra-artgen: draws every image of the program, at 1x and at 2x (name@2x.png), into a directory
// and writes the resource collection that lists them (with the licence text) under "/Resource/".
//
// Usage: lyntra-artgen <output dir> <licence file> <collection file>
// Exit status 0 when every image was written, 1 otherwise (the build then fails).
#include "catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>

#include <cstdio>

namespace {

int fail(const QString &why)
{
    std::fprintf(stderr, "lyntra-artgen: %s\n", qPrintable(why));
    return 1;
}

QString entry(const QString &alias, const QString &file)
{
    return QStringLiteral("    <file alias=\"Resource/%1\">%2</file>\n").arg(alias, file);
}

// "track/PAN.png" at scale 2 is "track/PAN@2x.png", the name Qt looks for on a scaled screen.
QString atScale(const QString &path, int scale)
{
    if (scale == 1)
        return path;
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return path.left(dot) + QStringLiteral("@%1x").arg(scale) + path.mid(dot);
}

} // namespace

int main(int argc, char **argv)
{
    // Runs on build machines without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return fail(QStringLiteral("usage: lyntra-artgen <output dir> <licence file> <collection file>"));

    const QDir out(args.at(1));
    const QFileInfo licence(args.at(2));
    if (!licence.isReadable())
        return fail(QStringLiteral("cannot read licence text %1").arg(licence.filePath()));
    if (!QDir().mkpath(out.path()))
        return fail(QStringLiteral("cannot create %1").arg(out.path()));

    QString listing = QStringLiteral("<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n");
    QSet<QString> seen;
    for (const artgen::Artwork &art : artgen::catalogue()) {
        for (const QString &name : QStringList(art.path) + art.aliases) {
            if (seen.contains(name))
                return fail(QStringLiteral("resource path %1 listed twice").arg(name));
            seen.insert(name);
        }
        // Drawn once for 100 % and once, with twice the pixels, for screens scaled beyond it.
        for (const int scale : {1, 2}) {
            QImage image(art.size * scale, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            {
                QPainter painter(&image);
                painter.scale(scale, scale);
                art.draw(painter, art.size);
            }
            const QString file = out.filePath(atScale(art.path, scale));
            if (!QDir().mkpath(QFileInfo(file).path()) || !image.save(file, "PNG"))
                return fail(QStringLiteral("cannot write %1").arg(file));
            for (const QString &name : QStringList(art.path) + art.aliases)
                listing += entry(atScale(name, scale), file);
        }
    }
    listing += entry(QStringLiteral("LICENSE.txt"), licence.absoluteFilePath());
    listing += QStringLiteral("</qresource>\n</RCC>\n");

    QSaveFile collection(args.at(3));
    if (!collection.open(QIODevice::WriteOnly) || collection.write(listing.toUtf8()) < 0 ||
        !collection.commit())
        return fail(QStringLiteral("cannot write %1").arg(args.at(3)));
    std::printf("lyntra-artgen: %d images at 1x and 2x\n", seen.size());
    return 0;
}
