#!/bin/sh
# Runs one test program in a private home and runtime directory, removed afterwards.
set -u
scratch=$(mktemp -d "${TMPDIR:-/tmp}/lyntra-test.XXXXXX") || exit 1
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" \
  QT_QPA_PLATFORM=offscreen LYNTRA_UNIT= "$@"
status=$?
rm -rf "$scratch"
exit $status
