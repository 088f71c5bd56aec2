#!/bin/bash
# Every figure of the lightness table, each bench three times, into one log per run:
#   bash bench/figures.sh [build dir] [output dir]
# CPU figures are a process's own time (utime + stime) over a fixed window; the machine's load average
# is printed with each run. The X figures run under Xvfb (xvfb-run), a real X server for Qt's xcb backend.
set -u
build=${1:-build}
out=${2:-bench-figures}
bin=$build/bin
mkdir -p "$out"
x() { xvfb-run -a -s "-screen 0 1920x1080x24" "$@"; }

for run in 1 2 3; do
    uptime >"$out/load-$run.txt"
    "$bin/bench_meter_display" --seconds 30 >"$out/meter_display-$run.txt" 2>&1
    x "$bin/bench_meter_display" --seconds 30 >"$out/meter_display_x-$run.txt" 2>&1
    "$bin/bench_startup" >"$out/startup-$run.txt" 2>&1
    x "$bin/bench_startup" --display >"$out/startup_x-$run.txt" 2>&1
    x "$bin/bench_pages" >"$out/pages_x-$run.txt" 2>&1
    bash "$(dirname "$0")/panel_memory.sh" "$build" >"$out/memory_x-$run.txt" 2>&1
    "$bin/bench_latency" >"$out/latency-$run.txt" 2>&1
    "$bin/bench_meters" >"$out/meters-$run.txt" 2>&1
done
grep -H . "$out"/*.txt | grep -E "load average|CPU|p50|p99|Rss|private|ms$|frames|sets/s|routing|monitor|show to" || true
