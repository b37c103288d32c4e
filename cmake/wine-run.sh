#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest (CMAKE_CROSSCOMPILING_EMULATOR).
#   wine-run.sh --prefix DIR PROGRAM.exe [ARGS...]
# The prefix belongs to the build: it is created once (with the system fonts a
# fresh prefix lacks) and reused. With no display set, the programs of one
# prefix share an Xvfb of the prefix's own, which stops when the prefix's
# wineserver ends (a few seconds after its last program); nothing else is
# stopped, so programs may run side by side.
set -u
. "$(dirname "$0")/../scripts/common.sh"

if [ "${1:-}" != "--prefix" ] || [ -z "${2:-}" ] || [ -z "${3:-}" ]; then
  echo "usage: wine-run.sh --prefix DIR PROGRAM.exe [ARGS...]" >&2
  exit 2
fi
prefix=$2
shift 2

for tool in wine wineserver; do
  command -v "$tool" >/dev/null 2>&1 || { echo "wine-run.sh: '$tool' not found: install wine64" >&2; exit 2; }
done

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$(dirname "$prefix")"

(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -w
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$prefix/drive_c/windows/Fonts/" 2>/dev/null
    [ -f "$prefix/system.reg" ] || { echo "wine-run.sh: could not create the Wine prefix $prefix" >&2; exit 2; }
  fi

  if [ -z "${DISPLAY:-}" ]; then
    state=$prefix.display  # ":N PID" of the prefix's Xvfb
    if ! { [ -f "$state" ] && read -r display pid <"$state" && kill -0 "$pid" 2>/dev/null; }; then
      command -v Xvfb >/dev/null 2>&1 || { echo "wine-run.sh: no display and no Xvfb: install xvfb" >&2; exit 2; }
      kestrum_try_xvfb 90 140 || { echo "wine-run.sh: could not start Xvfb" >&2; exit 2; }
      pid=$kestrum_xvfb_pid
      echo "$kestrum_xvfb_display $pid" >"$state"
      # A wineserver that outlives its last program by five seconds, and a
      # watcher that stops this Xvfb once that wineserver has ended.
      wineserver -k >/dev/null 2>&1 </dev/null
      wineserver -p5 >/dev/null 2>&1 </dev/null
      (
        wineserver -w
        kill "$pid" 2>/dev/null
        rm -f "$state"
      ) >/dev/null 2>&1 </dev/null &
    fi
  fi

  # Wine's server and background services must not hold ctest's output
  # pipe: start them with their output going nowhere before the program runs.
  if wineserver -p5 >/dev/null 2>&1 </dev/null; then
    wine cmd /c exit >/dev/null 2>&1 </dev/null
  fi
) 9>"$prefix.lock" || exit 2

if [ -z "${DISPLAY:-}" ]; then
  read -r display _ <"$prefix.display" || { echo "wine-run.sh: the prefix's display is gone" >&2; exit 2; }
  export DISPLAY=$display
fi
exec wine "$@"
