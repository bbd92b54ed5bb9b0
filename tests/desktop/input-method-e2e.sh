#!/usr/bin/env bash
# Runs TEST (test_input_method) against a real input method: a private Xvfb
# display, a private session bus, and fcitx5 with anthy (which runs as root,
# unlike mozc) set up in a scratch HOME. Everything started here ends with it.
#
#   input-method-e2e.sh TEST
set -uo pipefail
test_binary=$(realpath "${1:?usage: input-method-e2e.sh TEST}")
for tool in Xvfb dbus-daemon fcitx5 fcitx5-remote xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "input-method-e2e: $tool is missing; scripts/bootstrap.sh installs it (scripts/packages.txt)"
        exit 1
    fi
done

work=$(mktemp -d /tmp/tellumo-im.XXXXXX)
started=()
cleanup() {
    local pid
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# waitfor SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds.
waitfor() {
    local tries=$(($1 * 10))
    shift
    until "$@" 2>/dev/null; do
        ((--tries > 0)) || return 1
        sleep 0.1
    done
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
started+=($!)
waitfor 10 test -s "$work/display" || { echo "input-method-e2e: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

# A bus that starts no service by itself: the session bus's usual set-up
# would start a second fcitx5 of its own (fcitx5 ships a D-Bus activation
# file) when anything asks for fcitx5 before ours holds its name.
cat >"$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$work/bus.conf" --nofork --nopidfile --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
started+=($!)
waitfor 10 test -s "$work/bus" || { echo "input-method-e2e: dbus-daemon did not start"; exit 1; }
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/fcitx5" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# One group: the plain keyboard and anthy, which starts in hiragana.
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=anthy

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=anthy
Layout=

[GroupOrder]
0=Default
PROFILE
fcitx5 --disable=all --enable=dbus,dbusfrontend,xcb,keyboard,anthy >"$work/fcitx5.log" 2>&1 &
started+=($!)
fcitx_ready() { [[ $(fcitx5-remote -q 2>/dev/null) == Default ]]; }
if ! waitfor 20 fcitx_ready; then
    echo "input-method-e2e: fcitx5 did not come up"; cat "$work/fcitx5.log"; exit 1
fi
# anthy loads its dictionary on first use; the test's first key waits for it.
env QT_QPA_PLATFORM=xcb QT_IM_MODULE=fcitx "$test_binary"
status=$?
((status == 0)) || { echo "input-method-e2e: fcitx5's log:"; tail -n 30 "$work/fcitx5.log"; }
exit "$status"
