// Remote control of the mix over OSC: owns the server and its thread, applies what clients send on
// the GUI thread through the same model calls as the window's widgets (so the widgets move, the store
// is written and the unit receives it), answers queries, and keeps subscribers informed, with level
// meters ten times a second for those that asked. Changes never enter the window's undo history.
//
// The address space is docs/osc.md. GUI thread only (the server's thread is internal).
#pragma once

#include "mixaccess.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace remote {

class Feedback;
class OscServer;
struct Outgoing;
struct Request;

class RemoteControl : public QObject {
    Q_OBJECT

public:
    struct Config {
        bool enabled = false;
        int port = 9090;
        bool network = false; // false: this computer only
        bool operator==(const Config &o) const
        {
            return enabled == o.enabled && port == o.port && network == o.network;
        }
    };
    enum class State { Off, Listening, Failed };

    static constexpr int kMeters = 22; // inputs 1..20, master left and right
    // Meter levels in dBFS, at most every kMeterIntervalMs while a subscriber wants them.
    using MeterSource = std::function<std::array<float, kMeters>()>;
    static constexpr int kMeterIntervalMs = 100;

    // Everything `mix` names must outlive this object. Nothing listens until configure().
    explicit RemoteControl(const Mix &mix, QObject *parent = nullptr);
    ~RemoteControl() override;

    // Starts, restarts or stops listening as `config` says; state() tells how it went.
    void configure(const Config &config);
    Config config() const { return config_; }
    State state() const { return state_; }
    // Why it is not listening although enabled: the system's error number (EADDRINUSE: another
    // program has the port); 0 otherwise.
    int problem() const { return problem_; }

    // Who tells the meter levels. It is asked only while a subscriber wants meters, and should make
    // sure fresh levels are asked of the unit meanwhile, whatever the window shows.
    void setMeterSource(MeterSource source) { meters_ = std::move(source); }

    // The window's scene names changed: subscribers hear the new ones.
    void scenesChanged();

signals:
    void stateChanged();

private:
    void drain();
    void apply(const Request &r, std::vector<Outgoing> &out);
    void sendMeters();

    Mix mix_;
    std::unique_ptr<OscServer> server_;
    std::unique_ptr<Feedback> feedback_;
    Config config_;
    State state_ = State::Off;
    int problem_ = 0;
    MeterSource meters_;
    QTimer meterTimer_;
    QTimer drainLater_;
    QElapsedTimer lastDrain_;
};

} // namespace remote
