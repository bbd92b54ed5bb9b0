#!/usr/bin/env bash
# Runs a program on a private virtual X display and serves that display to
# web browsers, for machines without a screen of their own.
#
#   bash scripts/browser-session.sh [--listen ADDRESS] [--port FIRST] PROGRAM [ARGUMENT...]
#
# Xvnc provides the display and serves it over VNC in one process (1024x768,
# 24-bit, no TCP listener, a fresh X authorisation cookie, the VNC service on
# a Unix socket inside a private temporary folder). openbox manages the
# windows, and websockify carries the VNC socket to WebSocket clients while
# serving the noVNC pages over HTTP. Every run makes a new VNC password; it
# travels only in the one address that is printed on standard output.
#
# Xvnc rather than Xvfb with x11vnc, because x11vnc passes clipboard text from
# the browser on as Latin-1: Japanese pasted through noVNC's clipboard panel
# arrives as different characters. Xvnc keeps it as UTF-8.
#
# The web server listens on 127.0.0.1 unless --listen names another numeric
# address (IPv4 or IPv6), and takes the first free port from FIRST (default
# 6080) onwards. The script stays in the foreground until PROGRAM ends or
# Ctrl+C, a hang-up or SIGTERM arrives (which is passed on to PROGRAM), then
# stops everything it started and removes its temporary folder.
#
# Exit status: PROGRAM's; 1 when the session cannot start or one of its
# servers stops while PROGRAM runs; 2 for a usage error.
set -uo pipefail

readonly screen_geometry=1024x768 screen_depth=24
readonly novnc_dir=/usr/share/novnc
readonly port_tries=100

usage() {
    echo "usage: $0 [--listen ADDRESS] [--port FIRST] PROGRAM [ARGUMENT...]" >&2
    exit 2
}

listen=127.0.0.1
first_port=6080
while (($# > 0)); do
    case $1 in
        --listen) (($# >= 2)) || usage; listen=$2; shift 2 ;;
        --listen=*) listen=${1#*=}; shift ;;
        --port) (($# >= 2)) || usage; first_port=$2; shift 2 ;;
        --port=*) first_port=${1#*=}; shift ;;
        --) shift; break ;;
        -*) usage ;;
        *) break ;;
    esac
done
(($# >= 1)) || usage
if [[ ! $first_port =~ ^[0-9]{1,5}$ ]] || ((10#$first_port < 1 || 10#$first_port > 65535)); then
    echo "tellumo: --port wants a number from 1 to 65535, not '$first_port'" >&2
    exit 2
fi
first_port=$((10#$first_port))

missing=()
for tool in Xvnc vncpasswd xauth openbox websockify /usr/bin/python3; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[[ -f $novnc_dir/vnc.html ]] || missing+=(noVNC)
if ((${#missing[@]} > 0)); then
    echo "tellumo: needed to serve the program to a web browser but not installed: ${missing[*]} (bash scripts/bootstrap.sh installs them)" >&2
    exit 1
fi
if ! /usr/bin/python3 -c 'import socket, sys; socket.getaddrinfo(sys.argv[1], None, flags=socket.AI_NUMERICHOST)' \
    "$listen" 2>/dev/null; then
    echo "tellumo: --listen wants a numeric IPv4 or IPv6 address, not '$listen'" >&2
    exit 2
fi

say() { echo "tellumo: $*" >&2 2>/dev/null || true; }

# The temporary folder holds the X cookie, the VNC password and the VNC
# socket, so it is private to this user. Unix socket paths are limited to
# about 100 bytes and openbox's start-up command is parsed like a shell
# line, so an unusual or missing TMPDIR falls back to /tmp.
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tellumo-browser.XXXXXXXX" 2>/dev/null) || tmp=''
if [[ -z $tmp ]] || ((${#tmp} > 80)) || [[ $tmp == *[!A-Za-z0-9/._-]* ]]; then
    [[ -n $tmp ]] && rmdir "$tmp"
    tmp=$(mktemp -d /tmp/tellumo-browser.XXXXXXXX) || exit 1
fi
chmod 700 "$tmp"

program_pid='' x_pid='' wm_pid='' web_pid='' display_number=''

# Waits up to five seconds for a process to end after `signal`, then kills it.
# Returns 0 when the process ended by itself within the time.
stop_process() { # pid signal
    local pid=$1 signal=$2 i
    [[ -n $pid ]] || return 0
    kill -s "$signal" "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -s KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        return 1
    fi
    wait "$pid" 2>/dev/null
    return 0
}

cleanup() {
    local rc=$?
    trap '' INT TERM HUP PIPE
    # A still running program gets TERM like any other process being ended.
    if [[ -n $program_pid ]]; then
        stop_process "$program_pid" TERM
    fi
    stop_process "$web_pid" TERM
    stop_process "$wm_pid" TERM
    if ! stop_process "$x_pid" TERM && [[ -n $display_number ]]; then
        # Killed outright, the X server leaves its lock file and socket behind.
        rm -f "/tmp/.X$display_number-lock" "/tmp/.X11-unix/X$display_number"
    fi
    rm -rf "$tmp"
    exit "$rc"
}
trap cleanup EXIT

# A signal is passed on to the program; the session then ends with the
# program's status. Ctrl+C on the terminal reaches the program directly, since
# it shares the terminal's foreground process group with this script.
on_signal() { # signal
    trap '' INT TERM HUP
    if [[ -n $program_pid ]]; then
        kill -s "$1" "$program_pid" 2>/dev/null
        local i
        for ((i = 0; i < 100; i++)); do
            kill -0 "$program_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$program_pid" 2>/dev/null && kill -s KILL "$program_pid" 2>/dev/null
        wait "$program_pid"
        local status=$?
        program_pid=''
        exit "$status"
    fi
    exit $((128 + $(kill -l "$1")))
}
trap 'on_signal INT' INT
trap 'on_signal TERM' TERM
trap 'on_signal HUP' HUP

show_log() { # name file
    [[ -s $2 ]] || return 0
    say "last lines from $1:"
    tail -n 15 "$2" | sed 's/^/    /' >&2
}

# Waits up to 20 seconds until `test_command` succeeds while process `pid`
# is alive; on failure reports `name` with its log and ends the session.
await() { # name pid log test_command...
    local name=$1 pid=$2 log=$3 i
    shift 3
    for ((i = 0; i < 200; i++)); do
        "$@" && return 0
        if ! kill -0 "$pid" 2>/dev/null; then
            say "$name stopped while starting"
            show_log "$name" "$log"
            exit 1
        fi
        sleep 0.1
    done
    say "$name did not start within 20 seconds"
    show_log "$name" "$log"
    exit 1
}

# X display and VNC server. The X server reads every cookie in its -auth file
# whatever display number it names; clients need one under the number Xvnc
# picks. The VNC password goes through vncpasswd's standard input into the
# obfuscated file Xvnc reads, so it never shows in the process list.
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
(umask 077 && : >"$tmp/Xauthority")
xauth -q -f "$tmp/Xauthority" add :0 MIT-MAGIC-COOKIE-1 "$cookie" || exit 1
# VNC authentication uses eight characters of the password at most.
password=$(LC_ALL=C tr -dc 'A-Za-z0-9' < <(head -c 512 /dev/urandom))
password=${password:0:8}
(umask 077 && printf '%s\n' "$password" | vncpasswd -f >"$tmp/vnc-password") || exit 1
Xvnc -displayfd 3 -geometry "$screen_geometry" -depth "$screen_depth" \
    -nolisten tcp -auth "$tmp/Xauthority" \
    -rfbport -1 -rfbunixpath "$tmp/vnc.sock" -rfbunixmode 0600 \
    -SecurityTypes VncAuth -PasswordFile "$tmp/vnc-password" -desktop Tellumo \
    3>"$tmp/display" </dev/null >"$tmp/xvnc.log" 2>&1 &
x_pid=$!
await Xvnc "$x_pid" "$tmp/xvnc.log" test -s "$tmp/display"
display_number=$(tr -dc 0-9 <"$tmp/display")
xauth -q -f "$tmp/Xauthority" add ":$display_number" MIT-MAGIC-COOKIE-1 "$cookie" || exit 1
export DISPLAY=":$display_number" XAUTHORITY="$tmp/Xauthority"
unset WAYLAND_DISPLAY
await Xvnc "$x_pid" "$tmp/xvnc.log" test -S "$tmp/vnc.sock"

# Window manager, with its default configuration and its cache in the
# temporary folder. It runs the start-up command once it manages windows.
mkdir -m 700 "$tmp/wm"
XDG_CONFIG_HOME=$tmp/wm XDG_CACHE_HOME=$tmp/wm \
    openbox --sm-disable --startup "touch $tmp/wm/ready" </dev/null >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
await openbox "$wm_pid" "$tmp/openbox.log" test -e "$tmp/wm/ready"

# Web server. websockify cannot search for a free port itself, so a short
# Python step binds the first free one, writes its number down and hands the
# listening socket to websockify as standard input (its inetd mode).
/usr/bin/python3 -c '
import os, socket, sys
host, first, tries, port_file = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
family = socket.getaddrinfo(host, None, flags=socket.AI_NUMERICHOST)[0][0]
for port in range(first, min(first + tries, 65536)):
    sock = socket.socket(family, socket.SOCK_STREAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    try:
        sock.bind((host, port))
        sock.listen(16)
        break
    except OSError:
        sock.close()
else:
    sys.exit("no free port from %d to %d" % (first, min(first + tries, 65536) - 1))
os.dup2(sock.fileno(), 0)
with open(port_file + ".part", "w") as f:
    f.write(str(port))
os.rename(port_file + ".part", port_file)
os.execvp(sys.argv[5], sys.argv[5:])
' "$listen" "$first_port" "$port_tries" "$tmp/port" \
    websockify --inetd --web "$novnc_dir" --unix-target "$tmp/vnc.sock" \
    >"$tmp/websockify.log" 2>&1 &
web_pid=$!
await websockify "$web_pid" "$tmp/websockify.log" test -s "$tmp/port"
port=$(<"$tmp/port")

host=$listen
case $listen in
    0.0.0.0 | ::)
        # Any interface: show the machine's first address rather than a wildcard.
        host=$(hostname -I 2>/dev/null | awk '{print $1}')
        [[ -n $host ]] || host=127.0.0.1
        ;;
esac
[[ $host == *:* ]] && host="[$host]"
case $listen in
    127.* | ::1) ;;
    *) say "listening on $listen: anyone who can reach port $port there may connect with the password;" \
        "the connection is not encrypted" ;;
esac

# The program. Commands started in the background ignore SIGINT, so it is set
# back to the default for the program to end on Ctrl+C as in a terminal.
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    mkdir -m 700 "$tmp/runtime"
    export XDG_RUNTIME_DIR=$tmp/runtime
fi
QT_QPA_PLATFORM=xcb env --default-signal=INT,QUIT "$@" </dev/null &
program_pid=$!

echo "tellumo: open http://$host:$port/vnc.html?autoconnect=1&resize=scale&password=$password in a web browser (Ctrl+C ends)"

wait -n -p ended "$program_pid" "$x_pid" "$wm_pid" "$web_pid"
rc=$?
if [[ ${ended:-} == "$program_pid" ]]; then
    program_pid=''
    exit "$rc"
fi
case ${ended:-} in
    "$x_pid") name=Xvnc log=xvnc x_pid='' ;;
    "$wm_pid") name=openbox log=openbox wm_pid='' ;;
    *) name=websockify log=websockify web_pid='' ;;
esac
say "$name stopped unexpectedly; ending the session"
show_log "$name" "$tmp/$log.log"
exit 1
