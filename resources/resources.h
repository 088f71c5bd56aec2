// The compiled-in images and licence text under ":/Resource/".
#pragma once

// Registers the resources of the static library with Qt. Call once before any ":/Resource/..." path
// is opened (repeated calls are harmless). GUI thread, before the first window is built.
void lyntra_init_resources();
