// The table of every image the program loads: resource path, size and how to draw it.
#pragma once

#include <QPainter>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace artgen {

struct Artwork {
    QString path;        // file name under the output directory, e.g. "track/PAN.png"
    QSize size;          // pixels
    QStringList aliases; // further resource paths that show the same image
    std::function<void(QPainter &, QSize)> draw;
};

// Every image, in a fixed order. Paths are relative to "/Resource/" in the resource tree.
QVector<Artwork> catalogue();

} // namespace artgen
