#!/usr/bin/env bash
# Saves a picture of every window and state of Tellumo into gallery/:
#
#   gallery/offscreen-1x/, -1.5x/, -2x/  each window on its own, rendered by
#                                        Qt's offscreen platform (QWidget::grab)
#   gallery/xvfb-1x/, -1.5x/, -2x/       the whole screen of a virtual X server
#                                        with the openbox window manager, so
#                                        title bars and centring show
#
# 1.5x and 2x run with QT_SCALE_FACTOR at that value, 1.5 for a fractional
# scale. Each folder holds the same 23 pictures:
# splash states 1-5, the personal data page empty / message box / filled, the
# five information dialogs, the Q1-Q10 page, the Q11-Q19 page empty and
# answered, the score page in classes 1-4, the details, caution and advice pages.
#
#   bash scripts/gallery.sh              # all six folders
#   bash scripts/gallery.sh offscreen    # or: xvfb
#
# The program that drives the windows is tools/gallery (target
# tellumo_gallery, built with the default preset; BUILD_DIR overrides the
# build folder). It stops with an error when a picture's window area comes
# out as one flat colour.
#
# Screen captures use ImageMagick's `import -window root`, not `xwd -root`:
# on this Debian 12 Xvfb, xwd (x11-apps 7.7) returns the client area of a
# window mapped over another window (the message box and the five dialogs,
# which open over the main window) as solid black, with openbox and without
# a window manager alike, although the window has drawn itself: `xwd -id
# <window>` and `import -window root` both show it. The program is not at
# fault, and no delay, expose round-trip or Xvfb option changes it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

modes=${1:-all}
case "$modes" in
    all) modes="offscreen xvfb" ;;
    offscreen | xvfb) ;;
    *) echo "usage: $0 [offscreen|xvfb]" >&2; exit 2 ;;
esac

# Build and run needs plus the capture tools.
bash scripts/bootstrap.sh
bash scripts/bootstrap.sh <(printf '%s\n' xvfb xauth openbox x11-utils imagemagick)

build=${BUILD_DIR:-build/default}
if [[ -z ${BUILD_DIR:-} ]]; then
    cmake --preset default >/dev/null
fi
cmake --build "$build" --target tellumo_gallery -j2
gallery_bin=$build/tools/gallery/tellumo_gallery
out=gallery

# Qt's harmless start-up remarks (no XDG_RUNTIME_DIR as root, the offscreen
# platform's size hints) are dropped; everything else on stderr stays.
quiet() { "$@" 2> >(grep -v -e 'XDG_RUNTIME_DIR' -e 'propagateSizeHints' >&2); }

run_offscreen() { # scale
    local dir=$out/offscreen-${1}x
    rm -rf "$dir"
    quiet env QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR="$1" "$gallery_bin" --out "$dir" >/dev/null
    echo "$dir: $(ls "$dir" | wc -l) pictures"
}

xvfb_pid= wm_pid=
stop_x() {
    [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
    wm_pid= xvfb_pid=
}
trap stop_x EXIT

run_xvfb() { # scale
    local scale=$1 dir=$out/xvfb-${1}x tmp size
    tmp=$(mktemp -d)
    # The screen grows with the scale so that the galleries frame alike.
    size=$(awk -v s="$scale" 'BEGIN { printf "%dx%d", 1280 * s, 1024 * s }')
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp \
        3>"$tmp/display" 2>"$tmp/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do [[ -s $tmp/display ]] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$tmp/display")"
    openbox >"$tmp/openbox.log" 2>&1 &
    wm_pid=$!
    # openbox is ready once it has announced itself on the root window.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    rm -rf "$dir"
    quiet env QT_SCALE_FACTOR="$scale" "$gallery_bin" --out "$dir" \
        --screen-command 'import -window root "$1"' >/dev/null
    stop_x
    rm -rf "$tmp"
    unset DISPLAY
    echo "$dir: $(ls "$dir" | wc -l) pictures"
}

for mode in $modes; do
    for scale in 1 1.5 2; do
        "run_$mode" "$scale"
    done
done
