#!/usr/bin/env bash
# Leak check of whole walks through Tellumo, built with the address, leak
# and undefined-behaviour sanitizers (CMake preset "asan", build/asan):
#
#   1. the walk test (splash on a fake clock, every page, "終了") offscreen;
#   2. the same walk test on X11, under a private Xvfb display;
#   3. the real program on X11 under a private Xvfb, walked with the
#      keyboard through xdotool from the splash to "終了".
#
#   scripts/leakcheck.sh [--no-build]
#
# Each run must end normally with no sanitizer report; LeakSanitizer checks
# at exit. Reports from system libraries listed in tests/sanitizers/lsan.supp
# are suppressed, and the suppressions that matched are counted. Logs are
# kept under build/asan/leakcheck/. Exits non-zero when a run failed or left
# a report.
set -euo pipefail
self=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$(basename "${BASH_SOURCE[0]}")
cd "$(dirname "$self")/.."
root=$(pwd)

# Walks the real program with the keyboard, the way the focus order of the
# pages leads: run inside the private X display by the third check below.
drive_program() {
    local program=$1 pid window
    "$program" &
    pid=$!
    # The splash comes first and stays a little over 13 seconds; the main
    # window that follows is another X window, showing the personal data
    # page with the focus in the name field.
    local splash= candidate
    window=
    for _ in $(seq 120); do
        for candidate in $(xdotool search --onlyvisible --name '^Tellumo$' 2>/dev/null || true); do
            if [[ -z "$splash" ]]; then
                splash=$candidate
            elif [[ "$candidate" != "$splash" ]]; then
                window=$candidate
            fi
        done
        [[ -n "$window" ]] && break
        sleep 0.5
    done
    if [[ -z "$window" ]]; then
        echo "drive: the main window did not appear"
        kill "$pid" 2>/dev/null || true
        wait "$pid" || true
        return 1
    fi
    sleep 2
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    keys() { xdotool key --delay 60 "$@"; }
    settle() { sleep "${1:-2}"; }

    # Personal data: male, 30, 170 cm, 65 kg, O, 20 % body fat, normal skin.
    # Tab stops once in each group of options; the space bar chooses.
    xdotool type --delay 60 "Ka Taro"
    keys Tab space Tab
    xdotool type --delay 60 30; keys Tab
    xdotool type --delay 60 170; keys Tab
    xdotool type --delay 60 65; keys Tab space Tab
    xdotool type --delay 60 20; keys Tab space Tab space
    settle
    # Q1..Q10, then Q11..Q19: Tab stops once per question, on the middle
    # choice where there is one.
    local q
    for ((q = 1; q <= 10; ++q)); do keys space Tab; done
    keys space
    settle
    for ((q = 11; q <= 19; ++q)); do keys space Tab; done
    keys space
    settle 3
    # Result pages: the details, the caution points, the advice, "終了".
    keys Tab space
    settle
    keys Tab space
    settle
    keys Tab space
    settle
    keys space

    # The program ends by itself after "終了"; LeakSanitizer checks then.
    local status
    for _ in $(seq 60); do
        if ! kill -0 "$pid" 2>/dev/null; then
            status=0
            wait "$pid" || status=$?
            echo "drive: the program ended with status $status"
            return "$status"
        fi
        sleep 0.5
    done
    echo "drive: the program did not end after the walk"
    kill "$pid" 2>/dev/null || true
    wait "$pid" || true
    return 1
}

if [[ "${1:-}" == "--drive" ]]; then
    drive_program "$2"
    exit
fi

build=1
if [[ "${1:-}" == "--no-build" ]]; then
    build=0
    shift
fi
if (($# > 0)); then
    echo "usage: scripts/leakcheck.sh [--no-build]" >&2
    exit 2
fi

bash scripts/bootstrap.sh <(printf '%s\n' xvfb xauth xdotool)

if ((build)); then
    cmake --preset asan >/dev/null
    cmake --build --preset asan --target test_walk tellumo
fi
walk=build/asan/tests/walk/test_walk
program=build/asan/app/tellumo
for bin in "$walk" "$program"; do
    [[ -x "$bin" ]] || { echo "leakcheck: $bin is missing; run without --no-build" >&2; exit 2; }
done

logs=build/asan/leakcheck
rm -rf "$logs"
mkdir -p "$logs"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=1
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp")

failed=0
# report NAME STATUS LOG: one line per run; the sanitizer's own lines on failure.
report() {
    local name=$1 status=$2 log=$3
    local errors suppressed
    errors=$(grep -cE '^(==[0-9]+==ERROR|SUMMARY: (Address|Leak|UndefinedBehavior)Sanitizer)|runtime error:' "$log" || true)
    suppressed=$(awk '/^Suppressions used:/ {on = 1; next} on && /^ *[0-9]+ +[0-9]+ / {n += $1} END {print n + 0}' "$log")
    if ((status == 0 && errors == 0)); then
        echo "leakcheck: $name: no leak, no sanitizer report ($suppressed suppressed system-library leaks; log $log)"
    else
        failed=1
        echo "leakcheck: $name: FAILED, exit status $status, $errors sanitizer reports (log $log)"
        grep -E 'ERROR|SUMMARY|runtime error|^FAIL|#[0-9]+ 0x' "$log" | head -n 20 || true
    fi
}

set +e
QT_QPA_PLATFORM=offscreen "$walk" >"$logs/walk-offscreen.log" 2>&1
status=$?
set -e
report "walk test, offscreen" "$status" "$logs/walk-offscreen.log"

set +e
"${xvfb[@]}" env QT_QPA_PLATFORM=xcb "$walk" >"$logs/walk-xcb.log" 2>&1
status=$?
set -e
report "walk test, X11 under Xvfb" "$status" "$logs/walk-xcb.log"

set +e
"${xvfb[@]}" env QT_QPA_PLATFORM=xcb bash "$self" --drive "$program" >"$logs/program-xcb.log" 2>&1
status=$?
set -e
report "the program, walked with the keyboard on X11 under Xvfb" "$status" "$logs/program-xcb.log"

exit "$failed"
