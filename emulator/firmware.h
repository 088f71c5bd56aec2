// The unit's firmware model: identity, the mix settings the host sends, and the answers it queues.
//
// Not thread-safe: one thread (the program's event loop, or a test) owns an instance.
#pragma once

#include "command_applier.h"
#include "meter_model.h"
#include "mix_state.h"
#include "reply_queue.h"

#include <QJsonObject>
#include <QString>

#include <cstdint>

namespace lyntra::fw {

enum class Model { K1, K2 };

struct Identity {
    Model model = Model::K2;
    QString product = QStringLiteral("LYNTRA K2");
    uint16_t version = 100;
    uint16_t build = 1;
    uint32_t rate = 48000;
    QString buildDate = QStringLiteral("Dec  5 2026");
    QString buildTime = QStringLiteral("12:00:00");
    uint32_t dspMode = 0;
};

class Firmware {
public:
    // Clock sources the unit reports lock and rate for.
    static constexpr uint32_t kSources[4] = {1, 2, 5, 6};

    explicit Firmware(Model model = Model::K2);

    // Identity. setModel also sets the product name to the model's own; names longer than 40 bytes of
    // UTF-8 are refused (false). Lock and rate setters take a source of kSources, else return false.
    void setModel(Model model);
    bool setProductName(const QString &name);
    void setVersion(uint16_t version) { id_.version = version; }
    void setBuild(uint16_t build) { id_.build = build; }
    void setRate(uint32_t hz) { id_.rate = hz; }
    bool setBuildDate(const QString &text);
    bool setBuildTime(const QString &text);
    void setDspMode(uint32_t mode) { id_.dspMode = mode; }
    bool setClockLock(uint32_t source, uint32_t code);
    bool setClockHz(uint32_t source, uint32_t hz);
    const Identity &identity() const { return id_; }
    uint32_t clockLock(uint32_t source) const;
    // The internal source runs at the unit's rate unless set explicitly.
    uint32_t clockHz(uint32_t source) const;

    // Time in seconds that drives the meters' test signals; ignored while the signal is frozen.
    void setTime(double seconds);
    // Holds every test signal where it is (true) or lets it move on with time again (false).
    void setSignalFrozen(bool frozen) { frozen_ = frozen; }
    bool signalFrozen() const { return frozen_; }
    // Gives `input` (1-20) a steady source level on the linear meter scale (0..32768), or back its
    // test signal (nullopt). False for another input or level; nothing changes then.
    bool setSourceLevel(int input, std::optional<double> level);
    const InputSources &sources() const { return sources_; }

    // Applies one OUT message of `length` bytes (caller-owned) and queues the answers to its requests.
    void apply(const uint8_t *msg, size_t length);
    // Writes the next 64-byte reply into `out` (caller-owned, ReplyQueue::kReplySize bytes), consuming
    // queued answers; the ready token is `ready` (non-zero: ready).
    void nextReply(uint8_t *out, uint8_t ready = 1);
    bool hasPendingAnswers() const { return !queue_.empty(); }
    // Answer groups dropped because the queue was full.
    uint64_t droppedAnswers() const { return dropped_; }

    const MixState &mix() const { return mix_; }
    // The unit state as documented for the control socket's `state` command.
    QJsonObject state() const;

    // Current meter readings (see meter_model.h).
    uint32_t inputLevel(int input) const;
    uint32_t masterLevel(int side) const;
    uint32_t gainReduction(int input) const;

private:
    void answer(const PendingRequest &request);
    void queue(ReplyGroup group);
    void queueReading(ReplyGroup group);
    int sourceIndex(uint32_t source) const;

    Identity id_;
    MixState mix_;
    ReplyQueue queue_;
    uint32_t lock_[4] = {3, 1, 1, 1};
    uint32_t hz_[4] = {0, 0, 0, 0};
    bool hzSet_[4] = {false, false, false, false};
    InputSources sources_;
    bool frozen_ = false;
    uint64_t dropped_ = 0;
};

} // namespace lyntra::fw
