#!/usr/bin/env bash
# Draws the window's reference pictures (tests/pictures/*.png) again from the current build. Run it only
# after a deliberate change of the look, then look at every changed picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
cmake --preset ci
cmake --build --preset ci -j "$(nproc)" --target tst_pictures lyntra-virtual-unit
LYNTRA_PICTURES_REFRESH=1 ctest --preset ci -R '^tst_pictures$' --output-on-failure
git status --short tests/pictures
