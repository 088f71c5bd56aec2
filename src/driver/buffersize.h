// The audio driver's buffer size: the slider position <-> samples <-> text table, the value the
// driver reads ("blockFrames" in the native store "AVENOR"/"LYNTRAK1_K2", group "ASIODRIVER"), and the
// short-lived "recently changed" flag the sample-rate display consults. With a sound server attached
// (attachSoundServer), the size is also the server's forced quantum while a server is reachable: the
// slider then shows what the server takes, follows changes made elsewhere, and the stored choice is
// applied again whenever a server appears.
//
// Lives in the GUI thread; every method, slot and signal runs there. No widgets: the interface page
// connects its slider `hS_BufferSize` and labels `label_BufferSizeDisp` and `label_SoundServer` to the
// slots and signals below.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class PipeWireLink;

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
    // Reads that position back (the choice a reappearing server is given); may be empty, then the
    // last applied position counts.
    using PositionLoad = std::function<int()>;

    explicit BufferSize(PositionStore store = {}, PositionLoad load = {}, QObject *parent = nullptr);
    ~BufferSize() override;

    // From now on the size goes to `server` as well (see the header comment); starts it. `server` becomes
    // this object's child, and the first thing stopped when it goes.
    void attachSoundServer(PipeWireLink &server);

    // Table lookups. Positions outside 0..10 are taken as 7.
    static int samplesForPosition(int position);
    static QString textForPosition(int position); // 12 characters, e.g. " 256 Samples"
    // Only the low 16 bits of `samples` count; sizes outside the table (256 included) give 7.
    static int positionForSamples(int samples);
    // The position whose size is nearest to `samples` (by ratio; the smaller on a tie).
    static int nearestPosition(int samples);

    // The driver's value as stored now, 256 when missing or not an integer.
    static int storedSamples();

    int position() const { return position_; }
    QString text() const { return text_; }

public slots:
    // Applies a position: sets the flag, shows the text, writes "blockFrames" (and asks a reachable
    // server for that quantum), stores the position and restarts the clear timer. Ignored while the
    // slider is being moved to show what the server took.
    void on_hS_BufferSize_sliderMoved(int position);
    // Same as sliderMoved with the value.
    void on_hS_BufferSize_valueChanged(int value);
    // Without a server: reads "blockFrames", asks the slider to that position, applies it (so unknown
    // values are written back as 256). With one: shows the quantum it takes. Then asks for page step 1.
    void refresh_buffer_size();
    // Clears the flag (also what the clear timer does); a server answer still awaited is given up and
    // what the server last took is shown.
    void slt_havePassedSinceBufferSizeChange();

signals:
    // For the slider: move to this position / use this page step.
    void sliderPositionRequested(int position);
    void sliderPageStepRequested(int step);
    // For `label_BufferSizeDisp`, on every apply.
    void textChanged(const QString &text);
    // The flag went on or off (the unit status holds rate reports back meanwhile).
    void recentlyChangedChanged(bool on);
    // For `label_SoundServer`.
    void serverTextChanged(const QString &text);

private:
    void setRecentlyChanged(bool on);
    void setServerText(const QString &text);
    void serverFound(const QString &version);
    void serverLost();
    void serverQuantum(int forced, int taken);
    void showTaken(int samples);

    PositionStore store_;
    PositionLoad load_;
    QTimer timer_;
    int position_ = kDefaultPosition;
    QString text_;
    bool recently_changed_ = false;
    PipeWireLink *server_ = nullptr; // reachable: server_up_
    bool server_up_ = false;
    int taken_ = 0;    // what the server last took
    int awaited_ = -1; // the size last asked of the server, until it echoes it
    bool showing_ = false;
};
