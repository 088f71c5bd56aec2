#include "knobframes.h"

#include "artwork.h"
#include "knobscale.h"

#include <algorithm>

KnobFrames::KnobFrames(const QString &dir, const QString &prefix, QSize size) : m_size(size)
{
    m_frames.reserve(kKnobFrameCount);
    for (int i = 0; i < kKnobFrameCount; ++i)
        m_frames.append(artwork::pixmap(framePath(dir, prefix, i)));
}

KnobFrames KnobFrames::dial()
{
    return KnobFrames(":/Resource/track/knob_s", "knob-s_", QSize(18, 18));
}

KnobFrames KnobFrames::send()
{
    return KnobFrames(":/Resource/track/knob_send", "knob_L_", QSize(26, 26));
}

QString KnobFrames::framePath(const QString &dir, const QString &prefix, int frame)
{
    // Frames step half an hour round the clock from 7:00.
    const int hour = 7 + frame / 2;
    const int minute = (frame % 2) * 30;
    return QStringLiteral("%1/%2%3%4.png").arg(dir, prefix).arg(hour).arg(minute, 2, 10, QLatin1Char('0'));
}

const QPixmap &KnobFrames::frame(int frame) const
{
    return m_frames.at(std::clamp(frame, 0, kKnobFrameCount - 1));
}
