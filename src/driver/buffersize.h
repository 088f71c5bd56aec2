// The audio driver's buffer size: the slider position <-> samples <-> text table, the value the
// driver reads ("blockFrames" in the native store "AVENOR"/"LYNTRAK1_K2", group "ASIODRIVER"), and the
// short-lived "recently changed" flag the sample-rate display consults.
//
// Lives in the GUI thread; every method, slot and signal runs there. No widgets: the interface page
// connects its slider `hS_BufferSize` and label `label_BufferSizeDisp` to the slots and signals below.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class BufferSize : public QObject {
    Q_OBJECT

public:
    static constexpr int kPositions = 11;      // slider range 0..10
    static constexpr int kDefaultPosition = 7; // 256 samples
    static constexpr int kDefaultSamples = 256;
    static constexpr int kClearIntervalMs = 2000;

    // Where the slider position is remembered ("Interface"/"AudioPeformanceIndex" of the main
    // settings store). Called with the effective position on every apply; may be empty.
    using PositionStore = std::function<void(int position)>;

    explicit BufferSize(PositionStore store = {}, QObject *parent = nullptr);

    // Table lookups. Positions outside 0..10 are taken as 7.
    static int samplesForPosition(int position);
    static QString textForPosition(int position); // 12 characters, e.g. " 256 Samples"
    // Only the low 16 bits of `samples` count; sizes outside the table (256 included) give 7.
    static int positionForSamples(int samples);

    // The driver's value as stored now, 256 when missing or not an integer.
    static int storedSamples();

    int position() const { return position_; }
    QString text() const { return textForPosition(position_); }
    bool recentlyChanged() const { return recently_changed_; }

public slots:
    // Applies a position: sets the flag, shows the text, writes "blockFrames", stores the position
    // and restarts the clear timer.
    void on_hS_BufferSize_sliderMoved(int position);
    // Same as sliderMoved with the value.
    void on_hS_BufferSize_valueChanged(int value);
    // Reads "blockFrames", asks the slider to that position, applies it (so unknown values are
    // written back as 256) and asks for page step 1.
    void refresh_buffer_size();
    // Clears the flag (also what the clear timer does).
    void slt_havePassedSinceBufferSizeChange();

signals:
    // For the slider: move to this position / use this page step.
    void sliderPositionRequested(int position);
    void sliderPageStepRequested(int step);
    // For `label_BufferSizeDisp`, on every apply.
    void textChanged(const QString &text);
    // The flag went on or off (the unit status holds rate reports back meanwhile).
    void recentlyChangedChanged(bool on);
    // The value just written for the driver.
    void samplesWritten(int samples);

private:
    void setRecentlyChanged(bool on);

    PositionStore store_;
    QTimer timer_;
    int position_ = kDefaultPosition;
    bool recently_changed_ = false;
};
