# Shared by run.sh, test.sh, the benchmark and screenshot scripts and the Wine
# runner of the tests: installs what is missing, starts an Xvfb of our own
# when asked, and stops only what it started.

kestrum_packages="g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine64 xvfb xauth cmake googletest clang libclang-rt-dev cups-daemon cups-client printer-driver-cups-pdf"

kestrum_install_missing() {
    local missing=""
    for p in $kestrum_packages "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" != 0 ]; then
        echo "Kestrum needs these Debian packages:$missing" >&2
        echo "Run this script as root to install them, or install them yourself." >&2
        exit 1
    fi
    echo "Installing:$missing"
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
}

kestrum_xvfb_pid=""
kestrum_xvfb_display=""
# Starts an Xvfb on the first free display number from $1 to $2 and waits
# until it listens; sets kestrum_xvfb_display (":N") and kestrum_xvfb_pid.
# Returns 1 when none could be started.
kestrum_try_xvfb() {
    local n pid
    for n in $(seq "$1" "$2"); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        pid=$!
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            kestrum_xvfb_pid=$pid
            kestrum_xvfb_display=":$n"
            return 0
        fi
    done
    return 1
}

kestrum_start_xvfb() {
    kestrum_try_xvfb 60 120 || { echo "Could not start Xvfb." >&2; exit 1; }
    export DISPLAY=$kestrum_xvfb_display
}

kestrum_stop_xvfb() {
    if [ -n "$kestrum_xvfb_pid" ]; then
        kill "$kestrum_xvfb_pid" 2>/dev/null
        wait "$kestrum_xvfb_pid" 2>/dev/null
        kestrum_xvfb_pid=""
    fi
}

# Wine's server and its background services must not hold the output pipe of
# whatever runs next: start them once with their output going nowhere.
kestrum_start_wine() {
    export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    wineserver -p >/dev/null 2>&1 </dev/null || true
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

kestrum_stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
}
