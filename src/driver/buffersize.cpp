#include "buffersize.h"

#include "pipewirelink.h"

#include <QSettings>

#include <cmath>
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

BufferSize::BufferSize(PositionStore store, PositionLoad load, QObject *parent)
    : QObject(parent), store_(std::move(store)), load_(std::move(load)), text_(textForPosition(position_))
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

int BufferSize::nearestPosition(int samples)
{
    int best = kDefaultPosition;
    double distance = INFINITY;
    for (int p = 0; p < kPositions; ++p) {
        const double d = std::abs(std::log(double(kSamples[p]) / std::max(samples, 1)));
        if (d < distance - 1e-9) {
            distance = d;
            best = p;
        }
    }
    return best;
}

BufferSize::~BufferSize()
{
    // The link's loop thread emits on its own. Joined here, before this object's connections are taken
    // down, no signal of it is under way while they are (Qt would leave such a connection behind).
    delete server_;
}

int BufferSize::storedSamples()
{
    bool ok = false;
    const int v = driverStore()->value(kBlockFrames).toString().trimmed().toInt(&ok);
    return ok ? v : kDefaultSamples;
}

void BufferSize::attachSoundServer(PipeWireLink &server)
{
    server_ = &server;
    server.setParent(this);
    setServerText(tr("Looking for a sound server..."));
    connect(&server, &PipeWireLink::sig_found, this, &BufferSize::serverFound, Qt::QueuedConnection);
    connect(&server, &PipeWireLink::sig_lost, this, &BufferSize::serverLost, Qt::QueuedConnection);
    connect(&server, &PipeWireLink::sig_quantum, this, &BufferSize::serverQuantum, Qt::QueuedConnection);
    server.start();
}

void BufferSize::on_hS_BufferSize_sliderMoved(int position)
{
    if (showing_)
        return;
    position_ = validPosition(position);
    setRecentlyChanged(true);
    text_ = textForPosition(position_);
    emit textChanged(text_);
    const int samples = samplesForPosition(position_);
    driverStore()->setValue(kBlockFrames, samples);
    if (server_up_) {
        awaited_ = samples;
        server_->forceQuantum(samples);
    }
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
    if (server_up_) {
        // The server holds the size; writing it back would force a quantum nobody chose.
        showTaken(taken_);
    } else {
        const int position = positionForSamples(storedSamples());
        emit sliderPositionRequested(position);
        on_hS_BufferSize_sliderMoved(position);
    }
    emit sliderPageStepRequested(1);
}

void BufferSize::slt_havePassedSinceBufferSizeChange()
{
    timer_.stop();
    setRecentlyChanged(false);
    if (awaited_ >= 0 && server_up_)
        showTaken(taken_);
    awaited_ = -1;
}

void BufferSize::setServerText(const QString &text)
{
    emit serverTextChanged(text);
}

void BufferSize::serverFound(const QString &version)
{
    server_up_ = true;
    setServerText(tr("Sets the quantum of PipeWire %1").arg(version));
    // The choice the user made here outlives the server's own memory of it.
    awaited_ = samplesForPosition(load_ ? load_() : position_);
    server_->forceQuantum(awaited_);
}

void BufferSize::serverLost()
{
    server_up_ = false;
    awaited_ = -1;
    setServerText(tr("No sound server found"));
}

void BufferSize::serverQuantum(int forced, int taken)
{
    taken_ = taken;
    // Echoes of sizes asked before the last one would make the slider jump back under the hand.
    if (awaited_ >= 0 && forced != awaited_)
        return;
    awaited_ = -1;
    showTaken(taken);
}

void BufferSize::showTaken(int samples)
{
    position_ = nearestPosition(samples);
    showing_ = true;
    emit sliderPositionRequested(position_);
    showing_ = false;
    text_ = tr("%1 Samples").arg(samples, 4);
    emit textChanged(text_);
}

void BufferSize::setRecentlyChanged(bool on)
{
    if (recently_changed_ == on)
        return;
    recently_changed_ = on;
    emit recentlyChangedChanged(on);
}
