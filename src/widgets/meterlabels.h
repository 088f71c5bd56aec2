// The labels of one level meter: a bar showing the fixed meter image, moved by its top edge, and the
// peak lamp above it, both over a dark well.
#pragma once

#include <QLabel>
#include <QPointer>

struct MeterLabels {
    QPointer<QLabel> bar;
    QPointer<QLabel> peak;
};

// Builds the well, the peak lamp (dark) and the bar (empty) of table slot `slot` on `host`, in the
// columns that slot has in its parent. GUI thread.
MeterLabels makeMeter(QWidget *host, int slot, const QString &barName, const QString &peakName);
