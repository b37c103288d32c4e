#!/usr/bin/env bash
# Takes the README's screenshot: Kestrum under Wine on an Xvfb display of its
# own, with two debug windows and a snapshot, written as a PNG.
#   scripts/screenshot.sh [OUT.png]      (default: docs/kestrum.png)
# Needs a display of its own only: it works on a machine without one.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

out=${1:-docs/kestrum.png}
kestrum_install_missing x11-apps imagemagick
cmake --preset x64 >/dev/null
cmake --build --preset x64 -j "$(nproc)" --target screenshot_scene

prefix=$PWD/build/x64/screenshot-prefix
trap 'kestrum_stop_wine; kestrum_stop_xvfb' EXIT
unset DISPLAY
kestrum_start_xvfb
cmake/wine-run.sh --prefix "$prefix" cmd /c exit >/dev/null 2>&1 || true
kestrum_start_wine "$prefix"

# The scene runs inside a desktop window of Wine's, which gives the windows
# their title bars; it says "ready" once the scene stands.
fifo=$(mktemp -u)
mkfifo "$fifo"
wine explorer /desktop=Kestrum,1000x700 build/x64/screenshot_scene.exe 15 >"$fifo" 2>/dev/null &
scene=$!
if ! timeout 120 grep -q -m1 ready "$fifo"; then
    echo "screenshot.sh: the scene did not come up" >&2
    kill "$scene" 2>/dev/null || true
    rm -f "$fifo"
    exit 1
fi
mkdir -p "$(dirname "$out")"
xwd -root -display "$DISPLAY" | convert xwd:- -crop 1000x700+0+0 +repage "$out"
cat "$fifo" >/dev/null &
wait "$scene" || true
rm -f "$fifo"
echo "wrote $out"
