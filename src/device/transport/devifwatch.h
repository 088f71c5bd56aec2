// Tells the worker when looking for the unit again could find something new, so that nothing polls
// the bus or the discovery directory while no unit is there: the device database's monitor reports
// USB devices added or removed, and the kernel reports files created or removed in the directory where
// virtual units listen.
//
// One watch per worker; worker thread only after creation.
#pragma once

struct devif_watch;

// Starts watching for `match_key` (the discovery directory's name) and for USB devices. With
// LYNTRA_UNIT naming a socket path, that path's directory is watched instead of the discovery
// directory. Never null.
devif_watch *devif_watch_open(const char *match_key);

// True when a watched source reported a change since the previous call (or since opening), or when
// no source could be watched at all (then every call is a change). Never blocks.
bool devif_watch_changed(devif_watch *watch);

void devif_watch_close(devif_watch *watch);
