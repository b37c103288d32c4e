#!/usr/bin/env bash
# Builds Kestrum (x64) and starts it under Wine on your display.
#   ./run.sh          start Kestrum
#   ./run.sh --demo   start Kestrum and a small demo client that writes a few lines
# Installs the Debian packages it needs when missing (as root). Kestrum keeps
# its settings in a Wine prefix of its own, build/run-prefix.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh

demo=0
case "${1:-}" in
    "") ;;
    --demo) demo=1 ;;
    *) echo "usage: ./run.sh [--demo]" >&2; exit 2 ;;
esac

if [ -z "${DISPLAY:-}" ]; then
    echo "No display: Kestrum needs one. To see it without a display, run scripts/screenshot.sh (it writes a PNG)." >&2
    exit 1
fi

kestrum_install_missing
cmake --preset x64 >/dev/null
cmake --build --preset x64 -j "$(nproc)" --target Kestrum dbgclient

prefix=$PWD/build/run-prefix
if [ ! -f "$prefix/system.reg" ]; then
    echo "Preparing a Wine prefix for Kestrum (once)..."
    cmake/wine-run.sh --prefix "$prefix" cmd /c exit >/dev/null 2>&1 || true
fi
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

wine build/x64/Kestrum.exe &
kestrum=$!
if [ "$demo" = 1 ]; then
    sleep 3
    wine build/x64/dbgclient.exe "Hello from the demo client.\n" "Each program's output gets a window of its own.\n" \
        --count 10 --prefix "demo line " >/dev/null 2>&1 || true
fi
wait "$kestrum"
