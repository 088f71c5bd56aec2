#include "buffersize.h"

#include <QSettings>

#include <memory>

namespace {

constexpr int kSamples[BufferSize::kPositions] = {4, 8, 16, 24, 32, 64, 128, 256, 512, 1024, 2048};

int validPosition(int position)
{
    return position >= 0 && position < BufferSize::kPositions ? position : BufferSize::kDefaultPosition;
}

// The driver reads its size from here; a fresh object per access so every write reaches the disk
// when it goes out of scope.
std::unique_ptr<QSettings> driverStore()
{
    auto s = std::make_unique<QSettings>(QStringLiteral("AVENOR"), QStringLiteral("LYNTRAK1_K2"));
    s->beginGroup(QStringLiteral("ASIODRIVER"));
    return s;
}

const QString kBlockFrames = QStringLiteral("blockFrames");

} // namespace

BufferSize::BufferSize(PositionStore store, QObject *parent) : QObject(parent), store_(std::move(store))
{
    timer_.setSingleShot(true);
    timer_.setInterval(kClearIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &BufferSize::slt_havePassedSinceBufferSizeChange);
}

int BufferSize::samplesForPosition(int position)
{
    return kSamples[validPosition(position)];
}

QString BufferSize::textForPosition(int position)
{
    return tr("%1 Samples").arg(samplesForPosition(position), 4);
}

int BufferSize::positionForSamples(int samples)
{
    const int low = samples & 0xFFFF;
    for (int p = 0; p < kPositions; ++p)
        if (kSamples[p] == low)
            return p;
    return kDefaultPosition;
}

int BufferSize::storedSamples()
{
    bool ok = false;
    const int v = driverStore()->value(kBlockFrames).toString().trimmed().toInt(&ok);
    return ok ? v : kDefaultSamples;
}

void BufferSize::on_hS_BufferSize_sliderMoved(int position)
{
    position_ = validPosition(position);
    setRecentlyChanged(true);
    emit textChanged(text());
    const int samples = samplesForPosition(position_);
    driverStore()->setValue(kBlockFrames, samples);
    emit samplesWritten(samples);
    if (store_)
        store_(position_);
    timer_.stop();
    timer_.start();
}

void BufferSize::on_hS_BufferSize_valueChanged(int value)
{
    on_hS_BufferSize_sliderMoved(value);
}

void BufferSize::refresh_buffer_size()
{
    const int position = positionForSamples(storedSamples());
    emit sliderPositionRequested(position);
    on_hS_BufferSize_sliderMoved(position);
    emit sliderPageStepRequested(1);
}

void BufferSize::slt_havePassedSinceBufferSizeChange()
{
    timer_.stop();
    setRecentlyChanged(false);
}

void BufferSize::setRecentlyChanged(bool on)
{
    if (recently_changed_ == on)
        return;
    recently_changed_ = on;
    emit recentlyChangedChanged(on);
}
