#!/usr/bin/env bash
# Runs a program on a private virtual X display and serves it to a web
# browser as Tellumo's own page, for machines without a screen of their own.
#
#   bash scripts/browser-session.sh [--listen ADDRESS] [--port FIRST] PROGRAM [ARGUMENT...]
#
# Xvnc provides the display and serves it over VNC in one process (24-bit, no
# TCP listener, a fresh X authorisation cookie, no blacklist, the VNC service
# on a Unix socket inside a private temporary folder). The display starts
# just large enough for the splash and is then fitted to the main window, so
# the browser shows the program and nothing around it. openbox manages the
# windows with a configuration that offers nothing but moving dialogs: no
# title-bar buttons, no menus, no key bindings. fcitx5 (with mozc, or anthy
# where mozc is missing) on a private session bus is the input method inside
# the session. scripts/browser-server.py serves the page (scripts/browser/),
# carries its WebSocket to the VNC socket and offers the files the program
# writes into the session's download folder, whose path it is given in
# TELLUMO_DOWNLOAD_DIR (the program then saves there instead of asking).
#
# Every run makes a new VNC password and a new download key; they travel
# only in the one address that is printed on standard output, in its
# fragment, which browsers do not send to the server.
#
# When run as root, everything the session starts runs as the system user
# _tellumo (created on first use), inside the session folder, which it owns
# and which is its home; otherwise as the calling user with that folder as
# home. A program the session user cannot run where it is, such as one in
# root's home, is copied into the folder first.
#
# Xvnc rather than Xvfb with x11vnc, because x11vnc passes clipboard text from
# the browser on as Latin-1: the page's text goes over the clipboard, and
# Xvnc keeps it as UTF-8.
#
# The web server listens on 127.0.0.1 unless --listen names another numeric
# address (IPv4 or IPv6), and takes the first free port from FIRST (default
# 6080) onwards. The script stays in the foreground until PROGRAM ends or
# Ctrl+C, a hang-up or SIGTERM arrives (which is passed on to PROGRAM), then
# stops everything it started and removes its temporary folder. Killed
# outright, it leaves that to a watchdog, which does the same within about a
# second; every process started carries TELLUMO_BROWSER_SESSION (the folder)
# in its environment, so what they start in turn is found too.
#
# Exit status: PROGRAM's; 1 when the session cannot start or one of its
# servers stops while PROGRAM runs; 2 for a usage error.
set -uo pipefail

# Wide enough for the splash; the display is fitted to the main window once
# it shows.
readonly screen_geometry=761x490 screen_depth=24
readonly novnc_dir=/usr/share/novnc
readonly here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly port_tries=100
readonly system_user=_tellumo

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
for tool in Xvnc vncpasswd xauth openbox xrandr xdotool xprop dbus-daemon fcitx5 setpriv /usr/bin/python3; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[[ -f $novnc_dir/core/rfb.js ]] || missing+=(noVNC)
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

# Who runs the session: never root.
if ((EUID == 0)); then
    if ! id -u "$system_user" >/dev/null 2>&1 \
        && ! useradd --system --user-group --home-dir /nonexistent --no-create-home \
            --shell /usr/sbin/nologin --comment "Tellumo browser sessions" "$system_user" 2>/dev/null \
        && ! id -u "$system_user" >/dev/null 2>&1; then
        say "cannot create the user $system_user to run the session as"
        exit 1
    fi
    session_user=$system_user
    run_as=(setpriv --reuid="$system_user" --regid="$system_user" --clear-groups --pdeathsig=KILL --)
else
    session_user=$(id -un 2>/dev/null || echo "$EUID")
    run_as=(setpriv --pdeathsig=KILL --)
fi

# The temporary folder holds the X cookie, the VNC password, the VNC and bus
# sockets, the session's home and the downloads, so it is private to the
# session user. Unix socket paths are limited to about 100 bytes, so an
# unusual or missing TMPDIR, or one the session user cannot reach, falls back
# to /tmp.
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tellumo-browser.XXXXXXXX" 2>/dev/null) || tmp=''
if [[ -z $tmp ]] || ((${#tmp} > 80)) || [[ $tmp == *[!A-Za-z0-9/._-]* ]] \
    || ! "${run_as[@]}" test -x "${tmp%/*}"; then
    [[ -n $tmp ]] && rmdir "$tmp"
    tmp=$(mktemp -d /tmp/tellumo-browser.XXXXXXXX) || exit 1
fi
chmod 700 "$tmp"
# The web server and its page are copied in, so that the session user can
# read them wherever this checkout is (root's home, say).
if ! mkdir "$tmp/web" || ! cp -R "$here/browser-server.py" "$here/browser" "$tmp/web/" \
    || { ((EUID == 0)) && ! chown -R "$system_user:$system_user" "$tmp"; }; then
    rm -rf "$tmp"
    exit 1
fi

program_pid='' x_pid='' wm_pid='' bus_pid='' im_pid='' web_pid='' fit_pid='' watchdog_pid='' display_number=''

# Ends every process that carries this session's mark, then removes what an
# X server killed outright leaves behind and the folder.
sweep() {
    local environ pid number signal
    for signal in TERM KILL; do
        for environ in /proc/[0-9]*/environ; do
            pid=${environ#/proc/}
            pid=${pid%/environ}
            [[ $pid == "$$" || $pid == "$BASHPID" ]] && continue
            grep -qzFx "TELLUMO_BROWSER_SESSION=$tmp" "$environ" 2>/dev/null && kill -s "$signal" "$pid" 2>/dev/null
        done
        [[ $signal == TERM ]] && sleep 0.3
    done
    number=$({ tr -dc 0-9 <"$tmp/display"; } 2>/dev/null)
    if [[ -n $number ]] && ! kill -0 "$({ tr -dc 0-9 <"/tmp/.X$number-lock"; } 2>/dev/null)" 2>/dev/null; then
        rm -f "/tmp/.X$number-lock" "/tmp/.X11-unix/X$number"
    fi
    rm -rf "$tmp"
}

# The watchdog: should this script be killed outright, it ends the session
# within about a second. The terminal's signals are this script's to handle.
# It waits on a FIFO nothing writes to, so that no child of its own outlives
# it when it is stopped.
mkfifo -m 600 "$tmp/watchdog" || exit 1
(
    trap '' INT TERM HUP
    exec </dev/null >/dev/null 2>&1 3<>"$tmp/watchdog"
    while kill -0 "$$" 2>/dev/null; do
        read -r -t 0.5 -u 3
    done
    sweep
) &
watchdog_pid=$!

# Waits up to five seconds for a process to end after `signal`, then kills it.
# It only watches the process end: bash collects its children by itself,
# and a `wait` here, in the cleanup after a signal, could block for ever on a
# child that ended in the same moment as the signal came (see the main loop).
stop_process() { # pid signal
    local pid=$1 signal=$2 i
    [[ -n $pid ]] || return 0
    kill -s "$signal" "$pid" 2>/dev/null || return 0
    for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -s KILL "$pid" 2>/dev/null
}

cleanup() {
    local rc=$?
    trap '' INT TERM HUP PIPE
    # A still running program gets TERM like any other process being ended.
    if [[ -n $program_pid ]]; then
        stop_process "$program_pid" TERM
    fi
    local pid
    for pid in "$fit_pid" "$web_pid" "$im_pid" "$bus_pid" "$wm_pid" "$x_pid"; do
        stop_process "$pid" TERM
    done
    # Whatever they started themselves (the input method's converter, say).
    sweep
    # It ignores the signals of the terminal.
    kill -s KILL "$watchdog_pid" 2>/dev/null
    wait "$watchdog_pid" 2>/dev/null
    exit "$rc"
}
trap cleanup EXIT

# A signal is passed on to the program; the session then ends with the
# program's status.
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
    tail -n 15 "$2" | LC_ALL=C tr -d '\000-\010\013-\037\177' | sed 's/^/    /' >&2
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

# Runs a command as the session user. Commands started in the background use
# "${run_as[@]}" directly, so that $! is the command's own process.
as_user() { "${run_as[@]}" "$@"; }

# The session's own environment, inherited by everything started from here.
home=$tmp/home downloads=$tmp/downloads
as_user mkdir -m 700 "$home" "$home/.config" "$home/.cache" "$home/.local" "$tmp/runtime" "$downloads" || exit 1
unset WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS XDG_SESSION_ID MAIL
export TELLUMO_BROWSER_SESSION=$tmp HOME=$home USER=$session_user LOGNAME=$session_user \
    XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local \
    XDG_RUNTIME_DIR=$tmp/runtime TELLUMO_DOWNLOAD_DIR=$downloads

# X display and VNC server. The X server reads every cookie in its -auth file
# whatever display number it names; clients need one under the number Xvnc
# picks. The VNC password goes through vncpasswd's standard input into the
# obfuscated file Xvnc reads, so it never shows in the process list. Xvnc's
# blacklist is off: every client comes through the one socket, so five wrong
# passwords from anyone would lock everyone out; the web server slows wrong
# passwords down instead.
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
as_user sh -c 'umask 077 && : >"$1"' sh "$tmp/Xauthority" || exit 1
as_user xauth -q -f "$tmp/Xauthority" add :0 MIT-MAGIC-COOKIE-1 "$cookie" || exit 1
# VNC authentication uses eight characters of the password at most.
password=$(LC_ALL=C tr -dc 'A-Za-z0-9' < <(head -c 512 /dev/urandom))
password=${password:0:8}
download_key=$(LC_ALL=C tr -dc 'A-Za-z0-9' < <(head -c 1024 /dev/urandom))
download_key=${download_key:0:22}
printf '%s\n' "$password" | as_user sh -c 'umask 077 && vncpasswd -f >"$1"' sh "$tmp/vnc-password" || exit 1
"${run_as[@]}" Xvnc -displayfd 3 -geometry "$screen_geometry" -depth "$screen_depth" \
    -nolisten tcp -auth "$tmp/Xauthority" \
    -rfbport -1 -rfbunixpath "$tmp/vnc.sock" -rfbunixmode 0600 \
    -SecurityTypes VncAuth -PasswordFile "$tmp/vnc-password" -desktop Tellumo \
    -UseBlacklist=0 -DisconnectClients=0 -AcceptSetDesktopSize=0 \
    3>"$tmp/display" </dev/null >"$tmp/xvnc.log" 2>&1 &
x_pid=$!
await Xvnc "$x_pid" "$tmp/xvnc.log" test -s "$tmp/display"
display_number=$(tr -dc 0-9 <"$tmp/display")
as_user xauth -q -f "$tmp/Xauthority" add ":$display_number" MIT-MAGIC-COOKIE-1 "$cookie" || exit 1
export DISPLAY=":$display_number" XAUTHORITY="$tmp/Xauthority"
await Xvnc "$x_pid" "$tmp/xvnc.log" test -S "$tmp/vnc.sock"

# Window manager: windows are moved by their title bar and focused by a
# click, and that is all. Pages and the main window have no frame; dialogs
# keep a title (their caption) without buttons. No menu, no key binding, no
# way to iconify, maximise, close or leave.
as_user mkdir -m 700 "$tmp/wm" || exit 1
as_user tee "$tmp/wm/rc.xml" >/dev/null <<'XML' || exit 1
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy><center>yes</center></placement>
  <theme><titleLayout>L</titleLayout><keepBorder>no</keepBorder></theme>
  <desktops><number>1</number><popupTime>0</popupTime></desktops>
  <margins><top>0</top><bottom>0</bottom><left>0</left><right>0</right></margins>
  <keyboard><chainQuitKey></chainQuitKey></keyboard>
  <mouse>
    <dragThreshold>4</dragThreshold>
    <doubleClickTime>0</doubleClickTime>
    <context name="Client">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Titlebar">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Left" action="Drag"><action name="Move"/></mousebind>
    </context>
  </mouse>
  <applications>
    <application type="normal"><decor>no</decor></application>
  </applications>
</openbox_config>
XML
"${run_as[@]}" openbox --sm-disable --config-file "$tmp/wm/rc.xml" --startup "touch $tmp/wm/ready" \
    </dev/null >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
await openbox "$wm_pid" "$tmp/openbox.log" test -e "$tmp/wm/ready"

# The session bus, private to the session, and the input method on it:
# Ctrl+Space turns Japanese input on and off. mozc where it is installed
# (it refuses to run as root, which the session never is), anthy otherwise.
"${run_as[@]}" dbus-daemon --session --nofork --nopidfile --address="unix:path=$tmp/bus" --print-address=3 \
    3>"$tmp/bus-address" </dev/null >"$tmp/dbus.log" 2>&1 &
bus_pid=$!
await dbus-daemon "$bus_pid" "$tmp/dbus.log" test -s "$tmp/bus-address"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/bus"
engine=anthy
[[ -e /usr/share/fcitx5/addon/mozc.conf ]] && engine=mozc
as_user mkdir -p -m 700 "$XDG_CONFIG_HOME/fcitx5" || exit 1
as_user tee "$XDG_CONFIG_HOME/fcitx5/profile" >/dev/null <<INI || exit 1
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=$engine

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=$engine
Layout=

[GroupOrder]
0=Default
INI
"${run_as[@]}" fcitx5 --disable=wayland,waylandim,notificationitem,kimpanel,xim </dev/null >"$tmp/fcitx5.log" 2>&1 &
im_pid=$!
export QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx

# Web server: Tellumo's page, the VNC socket as a WebSocket, the downloads.
"${run_as[@]}" /usr/bin/python3 "$tmp/web/browser-server.py" --listen "$listen" \
    --port "$first_port" --tries "$port_tries" --port-file "$tmp/port" --page "$tmp/web/browser" \
    --novnc "$novnc_dir" --vnc "$tmp/vnc.sock" --downloads "$downloads" \
    < <(printf '%s\n' "$download_key") >"$tmp/web.log" 2>&1 &
web_pid=$!
await "the web server" "$web_pid" "$tmp/web.log" test -s "$tmp/port"
port=$(tr -dc 0-9 <"$tmp/port")

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

# The program, where the session user can run it. Commands started in the
# background ignore SIGINT, so it is set back to the default for the program
# to end on Ctrl+C as in a terminal.
program=$1
if [[ $program != */* ]]; then
    program=$(command -v "$program") || program=$1
fi
if [[ -f $program && -x $program ]] && ! as_user test -x "$program"; then
    as_user mkdir -m 700 "$tmp/program" || exit 1
    as_user cp "/proc/self/fd/3" "$tmp/program/${program##*/}" 3<"$program" \
        && as_user chmod 700 "$tmp/program/${program##*/}" || exit 1
    program=$tmp/program/${program##*/}
fi
shift
QT_QPA_PLATFORM=xcb "${run_as[@]}" env --default-signal=INT,QUIT "$program" "$@" </dev/null &
program_pid=$!

# Fits the display to the main window once it shows and puts the window at
# the display's corner. The main window is the program's window of normal
# type that may grow (the splash has a fixed size, dialogs their own type).
fit_display() {
    local window geometry WIDTH HEIGHT mode i
    for ((i = 0; i < 1200; i++)); do
        for window in $(xdotool search --onlyvisible --name '^Tellumo$' 2>/dev/null); do
            xprop -id "$window" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q '_NET_WM_WINDOW_TYPE_NORMAL' || continue
            xprop -id "$window" WM_NORMAL_HINTS 2>/dev/null | grep -q 'maximum size' && continue
            geometry=$(xdotool getwindowgeometry --shell "$window") || return
            eval "$(grep -E '^(WIDTH|HEIGHT)=[0-9]+$' <<<"$geometry")"
            mode="${WIDTH}x${HEIGHT}"
            xrandr --newmode "$mode" 0 "$WIDTH" 0 0 0 "$HEIGHT" 0 0 0 2>/dev/null
            xrandr --addmode VNC-0 "$mode" 2>/dev/null
            xrandr --fb "$mode" --output VNC-0 --mode "$mode"
            xdotool windowmove "$window" 0 0
            return
        done
        sleep 0.1
    done
}
"${run_as[@]}" bash -c "$(declare -f fit_display); fit_display" </dev/null >"$tmp/fit.log" 2>&1 &
fit_pid=$!

echo "tellumo: open http://$host:$port/#password=$password&key=$download_key in a web browser (Ctrl+C ends)"

# Runs until the program or one of the session's processes ends. It looks
# every 0.2 seconds rather than waiting with `wait -n`: a signal's trap that
# interrupts `wait -n` just as a child ends (Ctrl+C ends the program and
# several helpers at once) can make bash lose that child, and a later `wait`
# for it then never returns. The pause runs as the session user, as
# everything the session starts does.
ended=''
while [[ -z $ended ]]; do
    as_user sleep 0.2
    for pid in "$program_pid" "$x_pid" "$wm_pid" "$bus_pid" "$im_pid" "$web_pid" "$fit_pid"; do
        [[ -n $pid ]] && ! kill -0 "$pid" 2>/dev/null && { ended=$pid; break; }
    done
    # The display fitter's work is done once the main window shows.
    [[ -n $ended && $ended == "$fit_pid" ]] && { fit_pid='' ended=''; }
done
wait "$ended"
rc=$?
if [[ ${ended:-} == "$program_pid" ]]; then
    program_pid=''
    exit "$rc"
fi
case ${ended:-} in
    "$x_pid") name=Xvnc log=xvnc x_pid='' ;;
    "$wm_pid") name=openbox log=openbox wm_pid='' ;;
    "$bus_pid") name=dbus-daemon log=dbus bus_pid='' ;;
    "$im_pid") name=fcitx5 log=fcitx5 im_pid='' ;;
    *) name="the web server" log=web web_pid='' ;;
esac
say "$name stopped unexpectedly; ending the session"
show_log "$name" "$tmp/$log.log"
exit 1
