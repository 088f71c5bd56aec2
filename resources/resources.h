// The compiled-in images and licence text under ":/Resource/".
#pragma once

// Registers the resources of the static library with Qt. Call once before any ":/Resource/..." path
// is opened (repeated calls are harmless). GUI thread, before the first window is built.
void lyntra_init_resources();

#include <QPixmap>
#include <QString>

// The image at `path` (":/Resource/x.png" or ":Resource/x.png") drawn for the screens in use: above
// about 125 % its twice-as-fine drawing, so nothing is stretched. GUI thread.
QPixmap artPixmap(const QString &path);
