#!/usr/bin/env bash
# Builds Kestrum for x64 and x86, runs the fuzz targets natively, and runs
# every test under Wine, on an Xvfb display of its own. Installs the Debian packages it needs when missing
# (as root). Safe to run again: builds and the Wine prefix are reused.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh

kestrum_install_missing
jobs=$(nproc)

cmake --preset x64
cmake --build --preset x64 -j "$jobs"
cmake --preset x86
cmake --build --preset x86 -j "$jobs"

# The byte-level functions that read what other processes wrote, fuzzed
# natively for a short, fixed time.
fuzz/run.sh "${KESTRUM_FUZZ_SECONDS:-15}"

trap 'kestrum_stop_wine; kestrum_stop_xvfb' EXIT
kestrum_start_xvfb
# The emulator script creates the prefix on first use; make it exist before
# Wine's services start, so that they start with it.
cmake/wine-run.sh --prefix "$PWD/build/x64/wineprefix" cmd /c exit >/dev/null 2>&1 || true
kestrum_start_wine "$PWD/build/x64/wineprefix"
ctest --preset x64 "$@"
