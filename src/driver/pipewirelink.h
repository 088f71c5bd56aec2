// The sound server's buffer: PipeWire's forced quantum, "clock.force-quantum" in the server's
// "settings" metadata, read and written with libpipewire. Nothing is started: a server is used when
// one is reachable (its socket in PIPEWIRE_RUNTIME_DIR or XDG_RUNTIME_DIR), and looked for again
// whenever its socket appears there.
//
// The object lives in the GUI thread and never blocks it: libpipewire runs on a loop thread of its own
// (pw_thread_loop); requests reach that thread through an event it waits on (the GUI thread never
// takes its lock) and the signals below are emitted there, reaching receivers in other threads as
// queued signals carrying copies.
#pragma once

#include <QObject>
#include <QString>

struct PipeWireLoopState;

class PipeWireLink : public QObject {
    Q_OBJECT

public:
    explicit PipeWireLink(QObject *parent = nullptr);
    // Stops and joins the loop thread.
    ~PipeWireLink() override;

    // Starts the loop thread and looks for a server (connect to the signals first). Once.
    void start();

    // Asks the server to force `samples` (0 lets it choose again); of requests made faster than the loop
    // thread takes them, the last counts. Without a server, nothing happens.
    void forceQuantum(int samples);

signals:
    // A server with a "settings" metadata answers; its version (e.g. "0.3.65"). Then sig_quantum.
    void sig_found(const QString &version);
    // No server answers (after a search, or the server went away).
    void sig_lost();
    // The metadata's forced quantum (0: none) and the quantum the server takes for it, on every change
    // of either.
    void sig_quantum(int forced, int taken);

private:
    PipeWireLoopState *state_;
};
