#include "pipewirelink.h"

#include "quantumrules.h"

#include <pipewire/extensions/metadata.h>
#include <pipewire/pipewire.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// The server creates its socket a moment before it listens on it.
constexpr int kConnectRetries = 20;
constexpr long kRetryNs = 100 * 1000 * 1000;
constexpr char kForceQuantum[] = "clock.force-quantum";

const char *envOr(const char *name, const char *fallback)
{
    const char *v = std::getenv(name);
    return v && *v ? v : fallback;
}

} // namespace

// Everything here but `owner` and `thread` belongs to the loop thread while it runs.
struct PipeWireLoopState {
    PipeWireLink *owner = nullptr;
    pw_thread_loop *thread = nullptr;
    pw_loop *loop = nullptr;
    pw_context *context = nullptr;
    pw_core *core = nullptr;
    spa_hook coreListener{};
    pw_registry *registry = nullptr;
    spa_hook registryListener{};
    pw_metadata *metadata = nullptr;
    spa_hook metadataListener{};
    uint32_t metadataId = SPA_ID_INVALID;
    int lookSeq = -1; // the sync that ends a look at the server's objects
    bool announced = false;
    QString version;
    QuantumRules rules;
    uint32_t defaultMin = 32, defaultMax = 2048;
    uint32_t requested = 0, forced = 0; // the metadata's value; the value the server kept
    int reportedRequested = -1, reportedTaken = -1;
    int inotifyFd = -1;
    std::string socketName;
    spa_source *watch = nullptr, *retry = nullptr, *drop = nullptr, *wake = nullptr;
    // Set by the GUI thread, then `wake` signalled: a first look for the server, a quantum to force.
    std::atomic<bool> look{false};
    std::atomic<int> wanted{-1};
    int retriesLeft = 0;
};

namespace {

using State = PipeWireLoopState;

void report(State *s)
{
    const int taken = int(takenQuantum(s->rules, s->forced));
    if (!s->announced || (int(s->requested) == s->reportedRequested && taken == s->reportedTaken))
        return;
    s->reportedRequested = int(s->requested);
    s->reportedTaken = taken;
    emit s->owner->sig_quantum(int(s->requested), taken);
}

// No usable server now (said again when already said: receivers take it as a state).
void lose(State *s)
{
    s->announced = false;
    s->reportedRequested = s->reportedTaken = -1;
    if (s->owner)
        emit s->owner->sig_lost();
}

void dropMetadata(State *s)
{
    if (s->metadata) {
        spa_hook_remove(&s->metadataListener);
        pw_proxy_destroy(reinterpret_cast<pw_proxy *>(s->metadata));
    }
    s->metadata = nullptr;
    s->metadataId = SPA_ID_INVALID;
}

void dropServer(State *s)
{
    dropMetadata(s);
    if (s->registry) {
        spa_hook_remove(&s->registryListener);
        pw_proxy_destroy(reinterpret_cast<pw_proxy *>(s->registry));
        s->registry = nullptr;
    }
    if (s->core) {
        spa_hook_remove(&s->coreListener);
        pw_core_disconnect(s->core);
        s->core = nullptr;
    }
    lose(s);
}

int onProperty(void *data, uint32_t subject, const char *key, const char *, const char *value)
{
    auto *s = static_cast<State *>(data);
    if (subject != PW_ID_CORE)
        return 0;
    const uint32_t v = serverNumber(value);
    if (!key || std::strcmp(key, kForceQuantum) == 0) { // a null key clears every property
        s->requested = v;
        s->forced = acceptedForce(s->rules, v, s->forced);
    } else if (std::strcmp(key, "clock.min-quantum") == 0) {
        s->rules.min = v ? v : s->defaultMin;
    } else if (std::strcmp(key, "clock.max-quantum") == 0) {
        s->rules.max = v ? v : s->defaultMax;
    } else if (std::strcmp(key, "clock.quantum") == 0 && v) {
        s->rules.quantum = v;
    }
    report(s);
    return 0;
}

const pw_metadata_events kMetadataEvents = {PW_VERSION_METADATA_EVENTS, onProperty};

void onGlobal(void *data, uint32_t id, uint32_t, const char *type, uint32_t, const spa_dict *props)
{
    auto *s = static_cast<State *>(data);
    const char *name = props ? spa_dict_lookup(props, PW_KEY_METADATA_NAME) : nullptr;
    if (s->metadata || std::strcmp(type, PW_TYPE_INTERFACE_Metadata) != 0 || !name ||
        std::strcmp(name, "settings") != 0)
        return;
    s->metadata = static_cast<pw_metadata *>(
        pw_registry_bind(s->registry, id, PW_TYPE_INTERFACE_Metadata, PW_VERSION_METADATA, 0));
    if (!s->metadata)
        return;
    s->metadataId = id;
    pw_metadata_add_listener(s->metadata, &s->metadataListener, &kMetadataEvents, s);
    // Its properties arrive before the answer to this.
    s->lookSeq = pw_core_sync(s->core, PW_ID_CORE, 0);
}

void onGlobalRemove(void *data, uint32_t id)
{
    auto *s = static_cast<State *>(data);
    if (id != s->metadataId)
        return;
    dropMetadata(s);
    lose(s);
}

const pw_registry_events kRegistryEvents = {PW_VERSION_REGISTRY_EVENTS, onGlobal, onGlobalRemove};

uint32_t property(const spa_dict *props, const char *key, uint32_t fallback)
{
    const char *v = props ? spa_dict_lookup(props, key) : nullptr;
    return v ? serverNumber(v) : fallback;
}

bool flag(const spa_dict *props, const char *key)
{
    const char *v = props ? spa_dict_lookup(props, key) : nullptr;
    return v && (std::strcmp(v, "true") == 0 || std::strcmp(v, "1") == 0);
}

void onInfo(void *data, const pw_core_info *info)
{
    auto *s = static_cast<State *>(data);
    s->version = QString::fromUtf8(info->version ? info->version : "");
    const spa_dict *p = info->props;
    s->rules.limit = property(p, "default.clock.quantum-limit", s->rules.limit);
    s->rules.floor = property(p, "default.clock.quantum-floor", s->rules.floor);
    s->defaultMin = property(p, "default.clock.min-quantum", s->defaultMin);
    s->defaultMax = property(p, "default.clock.max-quantum", s->defaultMax);
    s->rules.powerOfTwo = flag(p, "clock.power-of-two-quantum");
    s->rules.checkQuantum = flag(p, "settings.check-quantum");
}

void onDone(void *data, uint32_t id, int seq)
{
    auto *s = static_cast<State *>(data);
    if (id != PW_ID_CORE || seq != s->lookSeq)
        return;
    s->lookSeq = -1;
    if (!s->metadata) {
        lose(s); // a server without the setting is no use here
        return;
    }
    if (s->announced)
        return;
    s->announced = true;
    emit s->owner->sig_found(s->version);
    report(s);
}

void onError(void *data, uint32_t id, int, int res, const char *)
{
    auto *s = static_cast<State *>(data);
    // The server went away; the core is dropped outside its own callback.
    if (id == PW_ID_CORE && res == -EPIPE)
        pw_loop_signal_event(s->loop, s->drop);
}

const pw_core_events kCoreEvents = {
    PW_VERSION_CORE_EVENTS, onInfo, onDone, nullptr, onError, nullptr, nullptr, nullptr, nullptr};

void tryConnect(State *s)
{
    if (s->core)
        return;
    // No PipeWire here: no server will ever be found, and the page says so.
    if (!s->context) {
        lose(s);
        return;
    }
    s->core = pw_context_connect(s->context, nullptr, 0);
    if (!s->core) {
        if (s->retriesLeft-- > 0) {
            timespec later{0, kRetryNs};
            pw_loop_update_timer(s->loop, s->retry, &later, nullptr, false);
        } else {
            lose(s);
        }
        return;
    }
    pw_core_add_listener(s->core, &s->coreListener, &kCoreEvents, s);
    s->registry = pw_core_get_registry(s->core, PW_VERSION_REGISTRY, 0);
    pw_registry_add_listener(s->registry, &s->registryListener, &kRegistryEvents, s);
    s->lookSeq = pw_core_sync(s->core, PW_ID_CORE, 0);
}

void onRetry(void *data, uint64_t)
{
    tryConnect(static_cast<State *>(data));
}

void onDrop(void *data, uint64_t)
{
    dropServer(static_cast<State *>(data));
}

// The runtime folder changed: a server socket that appears is tried at once.
void onFolder(void *data, int fd, uint32_t)
{
    auto *s = static_cast<State *>(data);
    alignas(inotify_event) char buffer[4096];
    bool socket = false;
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        for (ssize_t at = 0; at < n;) {
            const auto *e = reinterpret_cast<const inotify_event *>(buffer + at);
            socket = socket || (e->len > 0 && s->socketName == e->name);
            at += ssize_t(sizeof(inotify_event) + e->len);
        }
    if (socket && !s->core) {
        s->retriesLeft = kConnectRetries;
        tryConnect(s);
    }
}

// What the GUI thread asked for. Its calls only set the atomics and signal the loop's event, which
// is safe from any thread; calling into the loop directly is not (an invocation made before the loop
// thread first runs is carried out in the caller's thread).
void onWake(void *data, uint64_t)
{
    auto *s = static_cast<State *>(data);
    if (s->look.exchange(false))
        tryConnect(s);
    const int samples = s->wanted.exchange(-1);
    if (samples < 0 || !s->metadata)
        return;
    char value[16];
    std::snprintf(value, sizeof value, "%d", samples);
    pw_metadata_set_property(s->metadata, PW_ID_CORE, kForceQuantum, nullptr, value);
}

} // namespace

PipeWireLink::PipeWireLink(QObject *parent) : QObject(parent), state_(new PipeWireLoopState)
{
    pw_init(nullptr, nullptr);
    State *s = state_;
    s->owner = this;
    s->thread = pw_thread_loop_new("lyntra-pipewire", nullptr);
    s->loop = pw_thread_loop_get_loop(s->thread);
    // No client configuration (no PipeWire installed) leaves no context: no server is ever found.
    s->context = pw_context_new(s->loop, nullptr, 0);
    s->retry = pw_loop_add_timer(s->loop, onRetry, s);
    s->drop = pw_loop_add_event(s->loop, onDrop, s);
    s->wake = pw_loop_add_event(s->loop, onWake, s);
    s->socketName = envOr("PIPEWIRE_REMOTE", "pipewire-0");
    const char *dir = envOr("PIPEWIRE_RUNTIME_DIR", envOr("XDG_RUNTIME_DIR", ""));
    s->inotifyFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (s->inotifyFd >= 0 && *dir &&
        inotify_add_watch(s->inotifyFd, dir, IN_CREATE | IN_MOVED_TO | IN_ATTRIB) >= 0)
        s->watch = pw_loop_add_io(s->loop, s->inotifyFd, SPA_IO_IN, false, onFolder, s);
}

void PipeWireLink::start()
{
    pw_thread_loop_start(state_->thread);
    state_->look = true;
    pw_loop_signal_event(state_->loop, state_->wake);
}

PipeWireLink::~PipeWireLink()
{
    State *s = state_;
    pw_thread_loop_stop(s->thread);
    // The loop thread has ended: its objects are this thread's now, and nobody is told any more.
    s->owner = nullptr;
    dropServer(s);
    for (spa_source *source : {s->watch, s->retry, s->drop, s->wake})
        if (source)
            pw_loop_destroy_source(s->loop, source);
    if (s->context)
        pw_context_destroy(s->context);
    pw_thread_loop_destroy(s->thread);
    if (s->inotifyFd >= 0)
        ::close(s->inotifyFd);
    delete s;
    pw_deinit();
}

void PipeWireLink::forceQuantum(int samples)
{
    state_->wanted = std::max(samples, 0);
    pw_loop_signal_event(state_->loop, state_->wake);
}
