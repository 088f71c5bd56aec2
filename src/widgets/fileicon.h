#pragma once

#include <QIcon>
#include <QString>

// An icon drawn in several sizes, each in a file of its own, decoded only while a size is asked for.
// A plain QIcon decodes and keeps every size from the start, though after the window system has been
// given the icon nothing asks again. Files named "…@2x.png" serve finer screens, but are not offered
// as sizes of their own.
QIcon fileIcon(const QString &folder);
