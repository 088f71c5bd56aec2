#!/bin/bash
# Memory of the real panel program on a real X server (Xvfb) with the mixer page shown, against a
# virtual unit: Rss and the private part from /proc/<pid>/smaps_rollup.
#   bash bench/panel_memory.sh [build dir]
# The window comes up at the screen's top left, so the MIXER button of the interface page is at a known
# place (as in scripts/run.sh).
set -u
bin=$(cd "${1:-build}/bin" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/run HOME=$work XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/AVENOR" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[Misc]\nInformation_Dialog=true\n' >"$XDG_CONFIG_HOME/AVENOR/DUOMIX_Setting.ini"
"$bin/lyntra-virtual-unit" >/dev/null 2>&1 &
unit=$!
sleep 0.5
echo "machine: $(uptime)"
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  "$1" >/dev/null 2>&1 & pid=$!
  sleep 8
  xdotool mousemove 857 146 click 1
  sleep 5
  # Private_Clean is mostly library code no other process happens to map at this moment (on a desktop
  # every Qt program shares it); Private_Dirty is what this program alone costs.
  awk "/^Rss:/ {r = \$2} /^Private_Clean:/ {c = \$2} /^Private_Dirty:/ {d = \$2}
       END {printf \"panel, mixer page shown on X: Rss %.1f MB, private %.1f MB (dirty %.1f, clean %.1f)\n\",
            r / 1024, (c + d) / 1024, d / 1024, c / 1024}" /proc/$pid/smaps_rollup
  kill $pid; wait $pid 2>/dev/null || true
' _ "$bin/lyntra-panel"
kill $unit
