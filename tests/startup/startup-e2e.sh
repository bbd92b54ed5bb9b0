#!/usr/bin/env bash
# Starts the real program in surroundings that used to stop it, all at once
# on a private Xvfb display (the splash alone lasts about 13 seconds):
#
#   closed-stderr  standard error closed, XDG_RUNTIME_DIR unset: the main
#                  window appears, with standard error on /dev/null
#   closed-all     standard input, output and error closed: the main window
#                  appears, with all three on /dev/null
#   silent-bus     a session bus that accepts and never answers: one line
#                  about it on standard error, and the main window appears
#   no-x11         an X display nobody serves: one line naming it, status 1
#   no-wayland     a Wayland display nobody serves: likewise
#   empty-display  DISPLAY empty: the line that suggests a virtual display
#   no-fonts       a font configuration without any font (offscreen): one
#                  line naming the font packages, and the program goes on
#   japanese       LANG=ja_JP.UTF-8, where fontconfig names the faces in
#                  Japanese: the main window appears, nothing is said about fonts
#
#   startup-e2e.sh PROGRAM SILENT_BUS_HELPER LOCALES
#
# LOCALES is a folder of compiled locales (LOCPATH) that holds ja_JP.UTF-8.
#
# Prints one line per scenario and exits 1 when any failed.
set -uo pipefail
program=$(realpath "${1:?usage: startup-e2e.sh PROGRAM SILENT_BUS_HELPER}")
helper=$(realpath "${2:?usage: startup-e2e.sh PROGRAM SILENT_BUS_HELPER LOCALES}")
locales=$(realpath "${3:?usage: startup-e2e.sh PROGRAM SILENT_BUS_HELPER LOCALES}")

# Seconds the main window may take to appear: the 13-second splash, plus
# start-up under a sanitizer on a busy machine.
readonly MainWindowDeadline=60
# Seconds a program that cannot open its display may take to say so.
readonly RefusalDeadline=20
# Seconds the private X server and the silent bus may take to come up.
readonly ServerDeadline=10
# Seconds between looks at the windows.
readonly PollInterval=0.5
# Lifetime of the silent bus, longer than any wait here.
readonly SilentBusLifetime=$((MainWindowDeadline + RefusalDeadline))

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "startup-e2e: $tool is missing; scripts/bootstrap.sh installs it (scripts/packages.txt)"
        exit 1
    fi
done

work=$(mktemp -d /tmp/tellumo-startup.XXXXXX)
started=() # every process started here, ended on exit
cleanup() {
    local pid
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

failed=0
pass() { echo "startup-e2e: $1: ok"; }
fail() {
    echo "startup-e2e: $1: FAILED: $2"
    failed=1
}

# deadline SECONDS: the time (in EPOCHREALTIME microseconds) SECONDS from now.
deadline() { echo $((${EPOCHREALTIME/./} + $1 * 1000000)); }
before() { ((${EPOCHREALTIME/./} < $1)); }

# A private X server on the first free display number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display-number" >"$work/xvfb.log" 2>&1 &
started+=($!)
until_time=$(deadline "$ServerDeadline")
while [[ ! -s "$work/display-number" ]] && before "$until_time"; do sleep 0.1; done
if [[ ! -s "$work/display-number" ]]; then
    echo "startup-e2e: Xvfb did not start"
    cat "$work/xvfb.log"
    exit 1
fi
display=":$(head -n 1 "$work/display-number")"

# A display number no X server listens on.
absent=59
while [[ -e /tmp/.X11-unix/X$absent || -e /tmp/.X$absent-lock ]]; do absent=$((absent + 1)); done

# The silent session bus.
"$helper" "$work/bus" "$SilentBusLifetime" &
started+=($!)
until_time=$(deadline "$ServerDeadline")
while [[ ! -S "$work/bus" ]] && before "$until_time"; do sleep 0.1; done

# A font configuration with one empty font folder.
mkdir -p "$work/no-fonts" "$work/font-cache" "$work/runtime"
chmod 700 "$work/runtime"
cat >"$work/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig><dir>$work/no-fonts</dir><cachedir>$work/font-cache</cachedir></fontconfig>
EOF

# Each scenario's program runs in its own folder, so that a core file
# would show where it came from.
# env takes the variables to remove first, then those to set.
x11=(DISPLAY="$display" QT_QPA_PLATFORM=xcb)
declare -A pid
for name in closed-stderr closed-all silent-bus no-x11 no-wayland empty-display no-fonts japanese; do
    mkdir -p "$work/$name"
done
(cd "$work/closed-stderr" && exec env -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u DBUS_SESSION_BUS_ADDRESS "${x11[@]}" "$program" 2>&-) &
pid[closed-stderr]=$!
(cd "$work/closed-all" && exec env -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u DBUS_SESSION_BUS_ADDRESS "${x11[@]}" "$program" <&- >&- 2>&-) &
pid[closed-all]=$!
(cd "$work/silent-bus" && exec env -u WAYLAND_DISPLAY "${x11[@]}" XDG_RUNTIME_DIR="$work/runtime" DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus" \
    "$program" 2>"$work/silent-bus.err") &
pid[silent-bus]=$!
(cd "$work/no-x11" && ulimit -c unlimited 2>/dev/null
 exec env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$absent" "$program" 2>"$work/no-x11.err") &
pid[no-x11]=$!
(cd "$work/no-wayland" && ulimit -c unlimited 2>/dev/null
 exec env QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="tellumo-absent-$$" "$program" 2>"$work/no-wayland.err") &
pid[no-wayland]=$!
(cd "$work/empty-display" && exec env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY= "$program" 2>"$work/empty-display.err") &
pid[empty-display]=$!
(cd "$work/no-fonts" && exec env QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$work/fonts.conf" XDG_RUNTIME_DIR="$work/runtime" \
    DBUS_SESSION_BUS_ADDRESS=disabled: "$program" 2>"$work/no-fonts.err") &
pid[no-fonts]=$!
(cd "$work/japanese" && exec env -u WAYLAND_DISPLAY -u LC_ALL -u LC_CTYPE -u LC_MESSAGES "${x11[@]}" LOCPATH="$locales" LANG=ja_JP.UTF-8 \
    XDG_RUNTIME_DIR="$work/runtime" DBUS_SESSION_BUS_ADDRESS=disabled: "$program" 2>"$work/japanese.err") &
pid[japanese]=$!
started+=("${pid[@]}")

# The programs that cannot open a display: each ends by itself with status 1
# and exactly one line, and leaves no core file.
check_refusal() {
    local name=$1 expected=$2 status=0 lines
    local until_time
    until_time=$(deadline "$RefusalDeadline")
    while kill -0 "${pid[$name]}" 2>/dev/null && before "$until_time"; do sleep 0.1; done
    if kill -0 "${pid[$name]}" 2>/dev/null; then
        fail "$name" "still running after ${RefusalDeadline} s"
        return
    fi
    wait "${pid[$name]}" || status=$?
    lines=$(wc -l <"$work/$name.err")
    if ((status != 1)); then
        fail "$name" "exit status $status, not 1: $(head -c 300 "$work/$name.err")"
    elif ((lines != 1)) || ! grep -qF -- "$expected" "$work/$name.err"; then
        fail "$name" "expected one line with '$expected', got: $(head -c 300 "$work/$name.err")"
    elif compgen -G "$work/$name/core*" >/dev/null; then
        fail "$name" "left a core file"
    else
        pass "$name"
    fi
}
check_refusal no-x11 "X11 display \":$absent\""
check_refusal no-wayland "Wayland display \"tellumo-absent-$$\""
check_refusal empty-display "no display found"

# The programs on the X server: the splash is the first window each shows;
# the main window is another one, shown after it.
declare -A first main
until_time=$(deadline "$MainWindowDeadline")
while before "$until_time"; do
    waiting=0
    for name in closed-stderr closed-all silent-bus japanese; do
        [[ -n "${main[$name]:-}" ]] && continue
        kill -0 "${pid[$name]}" 2>/dev/null || continue
        waiting=1
        for window in $(DISPLAY="$display" xdotool search --onlyvisible --pid "${pid[$name]}" 2>/dev/null); do
            if [[ -z "${first[$name]:-}" ]]; then
                first[$name]=$window
            elif [[ "$window" != "${first[$name]}" ]]; then
                main[$name]=$window
            fi
        done
    done
    ((waiting)) || break
    sleep "$PollInterval"
done
# Where the closed descriptors of a running program lead now.
declare -A reopened=([closed-stderr]="2" [closed-all]="0 1 2" [silent-bus]="" [japanese]="")
for name in closed-stderr closed-all silent-bus japanese; do
    if [[ -n "${main[$name]:-}" ]]; then
        leads=ok
        for fd in ${reopened[$name]}; do
            target=$(readlink "/proc/${pid[$name]}/fd/$fd")
            [[ "$target" == /dev/null ]] || leads="descriptor $fd leads to $target, not /dev/null"
        done
        if [[ "$leads" == ok ]]; then
            pass "$name"
        else
            fail "$name" "$leads"
        fi
    elif ! kill -0 "${pid[$name]}" 2>/dev/null; then
        status=0
        wait "${pid[$name]}" || status=$?
        fail "$name" "the program ended (status $status) before its main window appeared"
    elif [[ -n "${first[$name]:-}" ]]; then
        fail "$name" "the splash appeared, the main window not within ${MainWindowDeadline} s"
    else
        fail "$name" "no window appeared within ${MainWindowDeadline} s"
    fi
done

# The silent bus is reported once; the fonts are there, so not reported.
bus_lines=$(grep -c "session bus" "$work/silent-bus.err")
if ((bus_lines != 1)) || grep -q "Japanese font" "$work/silent-bus.err"; then
    fail "silent-bus" "expected one line about the bus and none about fonts, got: $(head -c 400 "$work/silent-bus.err")"
fi

# Under the Japanese locale the faces are found by their other names.
if grep -q "Japanese font" "$work/japanese.err"; then
    fail "japanese" "warned of missing fonts: $(head -c 300 "$work/japanese.err")"
fi

# Missing fonts: by now the program has been running through its whole
# splash; it says so once and is still running.
font_lines=$(grep -c "fonts-ipafont-gothic" "$work/no-fonts.err")
if ! kill -0 "${pid[no-fonts]}" 2>/dev/null; then
    fail "no-fonts" "the program ended: $(head -c 300 "$work/no-fonts.err")"
elif ((font_lines != 1)); then
    fail "no-fonts" "expected one line naming the font packages, got $font_lines: $(head -c 300 "$work/no-fonts.err")"
else
    pass "no-fonts"
fi

exit "$failed"
