#!/usr/bin/env bash
# Runs every benchmark and prints their tables:
#   bench/run.sh [--only pane] [kestrum_bench parameters, e.g. --lines 4000]
# Builds what it needs (x64) into build/bench, runs it under Wine with that
# build's own prefix and, when no display is set, an Xvfb of its own. It stops
# only what it started. The benchmarks are not part of the test run.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

kestrum_install_missing
build=build/bench
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target Kestrum protoclient kestrum_bench pane_bench >/dev/null

trap 'kestrum_stop_wine; kestrum_stop_xvfb' EXIT
[ -n "${DISPLAY:-}" ] || kestrum_start_xvfb
prefix=$PWD/$build/wineprefix
# Creates the prefix, with the fonts a fresh one lacks, on first use.
cmake/wine-run.sh --prefix "$prefix" cmd /c exit >/dev/null 2>&1 || true
kestrum_start_wine "$prefix"

echo "Kestrum benchmarks: $(nproc) cores, $(wine --version), x64 build ($build), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "Command: bench/run.sh $*"
start=$SECONDS
# --only pane runs the pane benchmark alone; any other --only skips it.
only=
prev=
for arg in "$@"; do
    [ "$prev" = --only ] && only=$arg
    prev=$arg
done
[ -z "$only" ] || [ "$only" = pane ] && wine "$build/pane_bench.exe"
[ "$only" = pane ] || wine "$build/kestrum_bench.exe" "$@"
echo
echo "All benchmarks took $((SECONDS - start)) s."
