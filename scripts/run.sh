#!/usr/bin/env bash
# Builds the panel and runs it against a virtual unit. Without a display it runs under Xvfb, leaves a
# screenshot and says where.
#   scripts/run.sh [--model K1|K2] [--rate 44100|48000|88200|96000|176400|192000]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
have_display=1
[ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && have_display=0
if [ $have_display -eq 0 ]; then scripts/install-deps.sh run; else scripts/install-deps.sh build; fi
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"

bin="$root/build/bin"
runtime="${XDG_RUNTIME_DIR:-/tmp/lyntra-run-$(id -u)}"
mkdir -p "$runtime" && chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"

"$bin/lyntra-virtual-unit" "$@" &
unit_pid=$!
panel_pid=""
cleanup() {
  [ -n "$panel_pid" ] && kill "$panel_pid" 2>/dev/null || true
  kill "$unit_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
sleep 0.5

if [ ! -x "$bin/lyntra-panel" ]; then
  echo "The panel is not built yet; the virtual unit runs until Ctrl-C."
  wait "$unit_pid"
  exit 0
fi

if [ $have_display -eq 1 ]; then
  "$bin/lyntra-panel"
  exit 0
fi

stamp=$(date +%Y%m%d-%H%M%S)
shot="$root/build/screenshot-$stamp"
# The start-up information box comes first; Return dismisses it like a user would. Then the interface
# page, then a click on its MIXER button for the mixer page.
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  "$1" >"$2-panel.log" 2>&1 & pid=$!
  sleep 4; xdotool key Return; sleep 2
  xwd -root -silent | convert xwd:- -trim +repage "$2-interface.png"
  xdotool mousemove 857 146 click 1; sleep 1
  xwd -root -silent | convert xwd:- -trim +repage "$2-mixer.png"
  kill $pid; wait $pid 2>/dev/null || true
' _ "$bin/lyntra-panel" "$shot"
echo "No display: screenshots of the panel left at $shot-interface.png and $shot-mixer.png"
