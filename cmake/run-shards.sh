#!/usr/bin/env bash
# Runs parts of one test program at the same time, each through run-isolated.sh (a scratch home and
# runtime folder of its own), and fails when any part fails. For programs whose time goes on waiting
# for the unit's and the window's own timers, not on the processor.
#   run-shards.sh <program> <arguments of part 1> [-- <arguments of part 2>]...
set -u
here=$(dirname "$0")
program=$1
shift
out=$(mktemp -d "${TMPDIR:-/tmp}/lyntra-shards.XXXXXX") || exit 1
pids=()
part=()
launch() {
  "$here/run-isolated.sh" "$program" "${part[@]}" >"$out/${#pids[@]}.log" 2>&1 &
  pids+=($!)
  part=()
}
for arg in "$@"; do
  if [ "$arg" = "--" ]; then
    launch
  else
    part+=("$arg")
    echo "$arg" >>"$out/parts"
  fi
done
launch
status=0
# Every case of the program runs in some part: a case added and left out of every part would pass unseen.
"$here/run-isolated.sh" "$program" -datatags >"$out/cases" 2>/dev/null || status=1
while read -r _ function tag; do
  if ! grep -Fxq -e "$function" -e "$function:$tag" "$out/parts"; then
    echo "FAIL!  : $function${tag:+:$tag} is in no part of the run"
    status=1
  fi
done <"$out/cases"
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || status=1
  cat "$out/$i.log"
done
rm -rf "$out"
exit $status
