#!/usr/bin/env bash
# Regenerates every picture in this folder from the SVG drawings in src/.
#
# The generated files are committed, so building the program needs none of
# this; run it after changing a drawing and commit the results with it.
#
# Needs these Debian 12 packages:
#   librsvg2-bin   rsvg-convert 2.54: renders the SVGs (it resolves the
#                  xi:include that shares the mosquito between drawings)
#   imagemagick    ImageMagick 6, called as /usr/bin/convert: JPEG, GIF and
#                  ICO encoding
# Nothing else: no fonts (the lettering is drawn with strokes), no network.
#
# The output is deterministic: the same sources and tool versions give the
# same bytes (no time stamps, no metadata, no dithering noise).
#
# Usage: resources/pictures/generate.sh            (from anywhere)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$here/src"

# /usr/local/bin may hold something else called convert; only ImageMagick 6
# is wanted here.
CONVERT=/usr/bin/convert
if ! "$CONVERT" -version 2>/dev/null | grep -q '^Version: ImageMagick 6'; then
    echo "generate.sh: $CONVERT is not ImageMagick 6 (apt-get install imagemagick)" >&2
    exit 1
fi
if ! command -v rsvg-convert >/dev/null; then
    echo "generate.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
    exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# render NAME SCALE: src/NAME.svg at SCALE times its own size, as PNG
render() {
    rsvg-convert --zoom "$2" "$src/$1.svg" -o "$work/$1@$2.png"
    echo "$work/$1@$2.png"
}

# JPEG: high quality and no chroma subsampling, so that flat page colours
# come back within a step or two of what was drawn.
jpeg() {
    "$CONVERT" "$1" -background white -alpha remove -alpha off -strip \
        -sampling-factor 1x1 -quality "$3" "JPEG:$2"
}

# GIF: an adaptive palette without dithering, which keeps flat areas (the
# yellow ground) exact and the outlines clean.
gif() {
    "$CONVERT" "$1" -background white -alpha remove -alpha off -strip \
        +dither -colors 255 "GIF:$2"
}

# name@2x.ext beside name.ext for high-DPI screens
double() { echo "${1%.*}@2x.${1##*.}"; }

for name in mosquito-dashing mosquito-singing mosquito-turning mosquito-falling; do
    jpeg "$(render "$name" 1)" "$here/$name.jpg" 92
    jpeg "$(render "$name" 2)" "$here/$(double "$name.jpg")" 90
done

for name in page-cyan page-yellow; do
    jpeg "$(render "$name" 1)" "$here/$name.jpg" 95
    jpeg "$(render "$name" 2)" "$here/$(double "$name.jpg")" 93
done

for name in title version-icon; do
    gif "$(render "$name" 1)" "$here/$name.gif"
    gif "$(render "$name" 2)" "$here/$(double "$name.gif")"
done

# Window icon: the pixel-drawn 32 x 32 face as a 16-colour ICO (4 bits per
# pixel, transparency in the mask), and the smooth face as PNGs.
"$CONVERT" "$(render tellumo-32 1)" -channel A -threshold 50% +channel -strip \
    -colors 16 -type PaletteAlpha "ICO:$here/tellumo.ico"
for size in 64 128 256; do
    rsvg-convert --width "$size" --height "$size" "$src/tellumo.svg" -o "$here/icon-$size.png"
done
cp "$src/tellumo.svg" "$here/tellumo.svg"

echo "generate.sh: pictures written to $here"
