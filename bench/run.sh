#!/usr/bin/env bash
# Tellumo against the floor (the smallest Qt Widgets program: one window,
# quits at its first painted frame), on the offscreen platform and on X11 (a
# private Xvfb on a free display, no window manager). Builds the Release
# programs, measures, prints the tables and writes them into
# docs/performance.md between its "bench-results" markers.
#
#   bash bench/run.sh                     build, measure, write (about 3 to 4
#                                         minutes once built)
#   bash bench/run.sh --runs 3            runs per figure (default 5; the 13-s
#                                         splash: --splash-runs, default 3)
#   bash bench/run.sh --no-build          use the programs as they are built
#   bash bench/run.sh --no-write          print only
#   bash bench/run.sh --no-instructions   skip the callgrind instruction counts
#
# Timings are wall-clock and suffer when other work runs on the machine; the
# load average is printed with the tables. Run it on a quiet machine.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

runs=5 splash_runs=3 build=1 write=1 instructions=1
while (($#)); do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --splash-runs) splash_runs=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    --no-write) write=0; shift ;;
    --no-instructions) instructions=0; shift ;;
    -h | --help) sed -n '2,17p' "$0"; exit 0 ;;
    *) echo "run.sh: unknown option $1" >&2; exit 2 ;;
    esac
done

export LC_ALL=C
work=$(mktemp -d)
xvfb_pid= dbus_pid=
cleanup() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [[ -n $dbus_pid ]]; then
        kill "$dbus_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
log() { printf '%s\n' "$*" >&2; }

release=build/bench
debuginfo=build/perf-dev
bin=$release/bench
results=$work/results.txt
: >"$results"
mkdir -m 700 "$work/xdg"
export XDG_RUNTIME_DIR=$work/xdg
started=$SECONDS
load_before=$(cut -d ' ' -f 1-3 /proc/loadavg)

# --- build ------------------------------------------------------------------
if ((build)); then
    log "== Release build in $release"
    cmake --preset bench >"$work/configure.log" || { cat "$work/configure.log" >&2; exit 1; }
    cmake --build --preset bench --target tellumo tellumo_floor tellumo_start tellumo_walk >&2
    log "== RelWithDebInfo build of the program in $debuginfo (binary size with debug information)"
    if [[ -f $debuginfo/CMakeCache.txt ]] &&
        ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$root" "$debuginfo/CMakeCache.txt"; then
        rm -rf "$debuginfo"
    fi
    cmake -S . -B "$debuginfo" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELLUMO_BUILD_TESTS=OFF \
        >"$work/configure-debuginfo.log" || { cat "$work/configure-debuginfo.log" >&2; exit 1; }
    cmake --build "$debuginfo" -j2 --target tellumo >&2
fi
for program in "$release/app/tellumo" "$bin/tellumo_floor" "$bin/tellumo_start" "$bin/tellumo_walk"; do
    [[ -x $program ]] || { log "run.sh: $program is missing; run without --no-build"; exit 1; }
done

# --- binary sizes -------------------------------------------------------------
size_of() {
    local key=$1 file=$2
    [[ -f $file ]] || return 0
    strip -o "$work/stripped" "$file"
    echo "size $key $(stat -c %s "$file")" >>"$results"
    echo "size ${key}_stripped $(stat -c %s "$work/stripped")" >>"$results"
}
size_of release "$release/app/tellumo"
size_of relwithdebinfo "$debuginfo/app/tellumo"
size_of floor "$bin/tellumo_floor"

# --- session bus and X server -----------------------------------------------------
# A desktop session has a D-Bus session bus, and Qt's X11 support talks to it
# at start-up; without one, libdbus tries to launch a bus and Qt waits for
# that. Both programs get the same private bus.
if command -v dbus-daemon >/dev/null; then
    dbus-daemon --session --fork --print-address=5 --print-pid=6 5>"$work/dbus-address" 6>"$work/dbus-pid"
    dbus_pid=$(head -n 1 "$work/dbus-pid")
    export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/dbus-address")
    bus="a private D-Bus session bus"
else
    bus="no D-Bus session bus (dbus-daemon is not installed)"
fi
log "== starting Xvfb"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
[[ -s $work/display ]] || { log "run.sh: Xvfb did not start"; cat "$work/xvfb.log" >&2; exit 1; }
display=:$(head -n 1 "$work/display")
log "   Xvfb on display $display"

# --- measuring ----------------------------------------------------------------
# launch PLATFORM NAME PROGRAM ARGS...: runs the program on the platform and
# files its "key value" lines as "run PLATFORM NAME key value". The launch
# stamp is taken in the subshell right before exec, so the figures count the
# whole process start: exec, dynamic linking, static initialisation.
# Points this (sub)shell's Qt at the platform: offscreen, or xcb on our Xvfb.
use_platform() {
    if [[ $1 == offscreen ]]; then
        unset DISPLAY WAYLAND_DISPLAY
        export QT_QPA_PLATFORM=offscreen
    else
        unset WAYLAND_DISPLAY
        export QT_QPA_PLATFORM=xcb DISPLAY=$display
    fi
}

launch() {
    local platform=$1 name=$2
    shift 2
    (
        use_platform "$platform"
        export TELLUMO_BENCH_LAUNCH=$EPOCHREALTIME
        exec "$@"
    ) 2>>"$work/stderr.log" | while read -r key value; do
        echo "run $platform $name $key $value"
    done
}

for platform in offscreen xcb; do
    log "== $platform: warming up"
    {
        launch "$platform" floor "$bin/tellumo_floor"
        launch "$platform" start "$bin/tellumo_start" first-frame
        launch "$platform" walk "$bin/tellumo_walk"
    } >/dev/null
    log "== $platform: first painted frame, $runs runs each (floor and Tellumo taking turns)"
    for ((i = 0; i < runs; ++i)); do
        launch "$platform" floor "$bin/tellumo_floor" >>"$results"
        launch "$platform" start "$bin/tellumo_start" first-frame >>"$results"
    done
    log "== $platform: full walk, $runs runs"
    for ((i = 0; i < runs; ++i)); do
        launch "$platform" walk "$bin/tellumo_walk" >>"$results"
    done
    log "== $platform: real splash sequence, $splash_runs runs of about 13 s"
    for ((i = 0; i < splash_runs; ++i)); do
        launch "$platform" splash "$bin/tellumo_start" splash-cpu >>"$results"
    done
done

# --- instruction counts -----------------------------------------------------------
# Instructions do not depend on the machine's load: the figures to compare
# across runs. Counted on both platforms for every timed figure.
# summary_of FILE...: "trigger count" for each callgrind dump.
summary_of() {
    local file
    for file in "$@"; do
        local trigger count
        trigger=$(sed -n 's/^desc: Trigger: Client Request: //p' "$file")
        count=$(sed -n 's/^summary: //p' "$file")
        if [[ -n $trigger && -n $count ]]; then echo "$trigger $count"; fi
    done
    return 0
}
if ((instructions)) && command -v valgrind >/dev/null; then
    # A program that marked no span leaves no numbered dump: no count, no error.
    shopt -s nullglob
    for platform in offscreen xcb; do
        log "== $platform: instruction counts under callgrind (floor, first frame, the real splash, the walk)"
        mkdir "$work/cg-$platform"
        (
            use_platform "$platform"
            cg() { valgrind --tool=callgrind --callgrind-out-file="$work/cg-$platform/$1.%p" "${@:2}" >/dev/null 2>&1; }
            cg floor "$bin/tellumo_floor"
            cg start "$bin/tellumo_start" first-frame
            cg splash "$bin/tellumo_start" splash-cpu
            cg walk "$bin/tellumo_walk"
        ) || log "   (a callgrind run failed; its counts are left out)"
        summary_of "$work/cg-$platform"/floor.*.* | sed -n "s/^first-frame /instr $platform floor_first_frame /p" >>"$results"
        summary_of "$work/cg-$platform"/start.*.* | sed -n "s/^first-frame /instr $platform start_first_frame /p" >>"$results"
        summary_of "$work/cg-$platform"/splash.*.* | sed -n "s/^splash /instr $platform splash /p" >>"$results"
        summary_of "$work/cg-$platform"/walk.*.* | sed -n "s/^\(change_[0-9]_[0-9]\) /instr $platform \1 /p" >>"$results"
    done
    shopt -u nullglob
fi

# --- report ---------------------------------------------------------------------
qt_version=$(pkg-config --modversion Qt6Core 2>/dev/null || echo unknown)
{
    echo "meta date $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "meta commit $(git rev-parse --short HEAD)$(git diff --quiet HEAD -- app pages resources bench 2>/dev/null || echo ' with local changes')"
    echo "meta machine $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
    echo "meta Qt $qt_version"
    echo "meta load_average $load_before at the start, $(cut -d ' ' -f 1-3 /proc/loadavg) at the end (1, 5, 15 min)"
    echo "meta environment Xvfb 1280x1024x24 without a window manager, $bus"
    echo "meta duration $((SECONDS - started)) s"
} >>"$results"
cp "$results" "$release/bench-results.txt"

python3 bench/report.py "$results" >"$work/table.md"
cat "$work/table.md"

if ((write)); then
    doc=docs/performance.md
    mkdir -p docs
    [[ -f $doc ]] || printf '# Performance\n\n<!-- bench-results:begin -->\n<!-- bench-results:end -->\n' >"$doc"
    python3 - "$doc" "$work/table.md" <<'EOF'
import sys
doc, table = sys.argv[1], open(sys.argv[2], encoding="utf-8").read().rstrip("\n")
text = open(doc, encoding="utf-8").read()
begin, end = "<!-- bench-results:begin -->", "<!-- bench-results:end -->"
head, rest = text.split(begin, 1)
_, tail = rest.split(end, 1)
open(doc, "w", encoding="utf-8").write(f"{head}{begin}\n{table}\n{end}{tail}")
EOF
    log "== tables written to $doc (raw figures: $release/bench-results.txt)"
fi
