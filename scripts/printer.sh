#!/usr/bin/env bash
# A PostScript printer of our own for the print tests: a CUPS scheduler with
# its own configuration, listening only on a unix socket inside DIR, and one
# queue, "Kestrum_PS", the default, that writes each job to DIR/out/job.ps.
#
#   printer.sh start DIR   installs the CUPS packages when missing (as root),
#                          starts the scheduler and adds the queue; then
#                          prints the environment that points programs at it
#   printer.sh env DIR     prints that environment again
#   printer.sh stop DIR    stops the scheduler that "start" started
#
# Starts and stops pair up: a start while the scheduler runs only counts one
# more user, and the scheduler stops with the last user's stop. So a script
# may keep the printer up around a test run whose tests start and stop it too.
#
# The environment (eval it, or pass it to ctest):
#   CUPS_SERVER=DIR/cups.sock           where libcups, and so Wine, finds the printer
#   KESTRUM_PRINT_OUTPUT=DIR/out        where the jobs' PostScript lands
set -u

usage() {
    echo "usage: printer.sh start|stop|env DIR" >&2
    exit 2
}

[ $# -eq 2 ] || usage
action=$1
mkdir -p "$2" || { echo "printer.sh: cannot create $2" >&2; exit 1; }
dir=$(cd "$2" && pwd)
socket=$dir/cups.sock
pidfile=$dir/cupsd.pid
usersfile=$dir/users
queue=Kestrum_PS
packages="cups-daemon cups-client printer-driver-cups-pdf"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

print_env() {
    echo "CUPS_SERVER=$socket"
    echo "KESTRUM_PRINT_OUTPUT=$dir/out"
}

running() {
    [ -f "$pidfile" ] && [ -S "$socket" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null
}

install_missing() {
    local missing="" p
    for p in $packages; do
        dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" != 0 ]; then
        echo "printer.sh: these Debian packages are missing:$missing" >&2
        echo "printer.sh: run as root to install them, or install them yourself." >&2
        exit 1
    fi
    echo "printer.sh: installing$missing" >&2
    apt-get update >&2 || { echo "printer.sh: apt-get update failed" >&2; exit 1; }
    DEBIAN_FRONTEND=noninteractive apt-get install -y $missing >&2 ||
        { echo "printer.sh: could not install$missing" >&2; exit 1; }
}

write_config() {
    mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state/certs" "$dir/log" "$dir/out"
    # The scheduler checks that the files it reads are not writable by others,
    # and runs filters as lp: they read the spool and write the output.
    chmod 755 "$dir" "$dir/etc" "$dir/etc/ppd" "$dir/cache" "$dir/state" "$dir/log"
    chmod 1777 "$dir/spool/tmp"
    chmod 777 "$dir/out"  # the tests take the jobs away
    chmod 710 "$dir/spool"
    chgrp lp "$dir/spool" 2>/dev/null || true
    cat >"$dir/etc/cupsd.conf" <<EOF
Listen $socket
Browsing No
WebInterface No
LogLevel warn
MaxLogSize 0
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/etc/printcap
FileDevice Yes
EOF
}

start() {
    install_missing
    local cupsd
    cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
    [ -x "$cupsd" ] || { echo "printer.sh: cupsd not found" >&2; exit 1; }
    if [ "$(id -u)" != 0 ]; then
        echo "printer.sh: the scheduler must be started as root" >&2
        exit 1
    fi
    if running; then
        echo $(($(cat "$usersfile" 2>/dev/null || echo 1) + 1)) >"$usersfile"
    else
        write_config
        rm -f "$socket"
        # -f: in the foreground of a process of ours, so that its pid is ours to stop.
        "$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
        local pid=$!
        echo "$pid" >"$pidfile"
        for _ in $(seq 1 100); do
            [ -S "$socket" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if ! running; then
            echo "printer.sh: the scheduler did not start; see $dir/log/" >&2
            cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | tail -20 >&2
            kill "$pid" 2>/dev/null
            rm -f "$pidfile"
            exit 1
        fi
        echo 1 >"$usersfile"
    fi
    export CUPS_SERVER=$socket
    lpadmin -p "$queue" -E -v "file://$dir/out/job.ps" -P "$ppd" -o printer-error-policy=abort-job \
        -D "Kestrum test printer" >&2 || { echo "printer.sh: could not add the queue $queue" >&2; exit 1; }
    lpadmin -d "$queue" >&2 || { echo "printer.sh: could not make $queue the default" >&2; exit 1; }
    print_env
}

stop() {
    if running; then
        local users pid
        users=$(($(cat "$usersfile" 2>/dev/null || echo 1) - 1))
        if [ "$users" -gt 0 ]; then
            echo "$users" >"$usersfile"
            return 0
        fi
        pid=$(cat "$pidfile")
        kill "$pid"
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    fi
    rm -f "$pidfile" "$socket" "$usersfile"
}

case $action in
start) start ;;
stop) stop ;;
env) print_env ;;
*) usage ;;
esac
