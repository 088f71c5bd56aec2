// The program's images, decoded once, on first use, and shared by every widget that shows them.
//
// Kept in the pixel format the screen draws without converting (premultiplied alpha where the image
// has alpha), and never dropped: unlike Qt's pixmap cache, nothing here is evicted and decoded again
// in a paint, and a lookup costs no look at the file. GUI thread only (QPixmap).
#pragma once

#include <QPixmap>
#include <QString>

namespace artwork {

// The image of resource `path` (":/Resource/..." or ":Resource/...", the same image either way); a
// null pixmap, remembered as such, when the resource is missing or unreadable. The screen's scale at
// the first use picks the plain or the twice-as-fine drawing (artPixmap).
const QPixmap &pixmap(const QString &path);

} // namespace artwork
