// The 21 images of one knob strip (pointer at 7:00, 7:30 ... 17:00) and the size a knob label takes.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QVector>

class KnobFrames {
public:
    /// Loads "<dir>/<prefix><clock>.png" for the 21 clock positions. A missing image loads as a null
    /// pixmap, so the knob still works while the artwork is absent. GUI thread (QPixmap).
    KnobFrames(const QString &dir, const QString &prefix, QSize size);

    /// The strip of the EQ, compressor and reverb knobs (18 x 18).
    static KnobFrames dial();
    /// The strip of the send and return knobs (26 x 26).
    static KnobFrames send();

    /// Resource path of frame \p frame (0..20) of the strip at \p dir with \p prefix.
    static QString framePath(const QString &dir, const QString &prefix, int frame);

    /// Frame \p frame, clamped to 0..20.
    const QPixmap &frame(int frame) const;
    QSize size() const { return m_size; }

private:
    QVector<QPixmap> m_frames;
    QSize m_size;
};
