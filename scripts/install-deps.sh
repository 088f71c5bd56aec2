#!/usr/bin/env bash
# Installs what building, testing and running the panel needs on Debian bookworm; only missing packages.
# Usage: scripts/install-deps.sh [build|run|package|asan|fuzz]
#   run adds screenshot tools; package adds the desktop-file and package checkers;
#   asan and fuzz add clang. The tests drive the real panel on an X display of their own, so Xvfb, xdotool
#   and xprop come with the build, and so do a PipeWire server with its tools (the buffer-size test starts a
#   private one) and umockdev (the USB test emulates the unit on a USB bus of its own). The picture test
#   compares the window with references drawn in these fonts, the Japanese ones included.
set -euo pipefail

packages=(cmake ninja-build pkg-config g++ qtbase5-dev qtbase5-dev-tools
          qttools5-dev qttools5-dev-tools libusb-1.0-0-dev libudev-dev libarchive-dev libssl-dev
          libpipewire-0.3-dev liblo-dev fonts-dejavu-core fonts-dejavu-extra fonts-noto-cjk xvfb xdotool x11-utils
          pipewire umockdev libumockdev-dev liblo-tools)
case "${1:-build}" in
  run)  packages+=(xauth x11-apps imagemagick) ;;
  package) packages+=(desktop-file-utils appstream dpkg-dev file) ;;
  asan|fuzz) packages+=(clang libclang-rt-14-dev) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
