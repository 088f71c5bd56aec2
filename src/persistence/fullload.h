// The full load: brings the panel and the unit back to the stored mixer state (start-up, reconnection,
// "Initialize", scene load). The order is fixed here; what each strip does with its keys belongs to the
// mixer, which implements StripLoader.
#pragma once

#include <QStringList>

class QIXDevice;
class Settings;

class StripLoader {
public:
    virtual ~StripLoader();

    // Pair p (1..10) is linked: load its stereo strip from "Track<2p-1>_<2p>".
    virtual void loadPair(int pair) = 0;
    // Track t (1..20) belongs to an unlinked pair: load its mono strip from "Track<t>".
    virtual void loadMono(int track) = 0;
    // The master strip and everything outside the channel strips (reverb, monitor, line outputs).
    virtual void loadMaster() = 0;
    // The twenty channel names of "Track1".."Track20", in order.
    virtual void loadNames(const QStringList &names) = 0;
    // The ten scene names, in order.
    virtual void loadSceneNames(const QStringList &names) = 0;
};

// Runs the full load. Order: device->reset_params() (skipped when `device` is null), then for pairs
// 1..10 in turn loadPair(p) when "Link" of the pair group is true, else loadMono(2p-1), loadMono(2p);
// then loadMaster(); then loadNames(); then loadSceneNames().
//
// `device`, `settings` and `loader` are borrowed for the call only. GUI thread (the thread of `device`
// and `settings`). The loader may write to `settings` meanwhile; links are read pair by pair.
void runFullLoad(QIXDevice *device, const Settings &settings, StripLoader &loader);
