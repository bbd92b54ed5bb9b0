#!/usr/bin/env bash
# Takes the gallery (every window and state, offscreen, scale 1) under
# C.UTF-8, ja_JP.UTF-8 and de_DE.UTF-8 at once and fails unless every
# picture is the same in all three, byte for byte.
#
#   locale-gallery.sh GALLERY LOCALES
set -uo pipefail
gallery=${1:?usage: locale-gallery.sh GALLERY LOCALES}
locales=${2:?usage: locale-gallery.sh GALLERY LOCALES}
work=$(mktemp -d /tmp/tellumo-locales.XXXXXX)
trap 'rm -rf "$work"' EXIT

declare -A pid
for locale in C.UTF-8 ja_JP.UTF-8 de_DE.UTF-8; do
    env -u LC_ALL -u LC_CTYPE -u LC_MESSAGES -u LANGUAGE LANG="$locale" LOCPATH="$locales" \
        QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" \
        "$gallery" --out "$work/$locale" >"$work/$locale.log" 2>&1 &
    pid[$locale]=$!
done
failed=0
for locale in "${!pid[@]}"; do
    if ! wait "${pid[$locale]}"; then
        echo "locale-gallery: the gallery failed under $locale:"; cat "$work/$locale.log"
        failed=1
    fi
done
((failed)) && exit 1

count=0
for picture in "$work/C.UTF-8"/*.png; do
    name=$(basename "$picture")
    count=$((count + 1))
    for locale in ja_JP.UTF-8 de_DE.UTF-8; do
        if ! cmp -s "$picture" "$work/$locale/$name"; then
            echo "locale-gallery: $name differs under $locale"
            failed=1
        fi
    done
done
((count > 0)) || { echo "locale-gallery: the gallery made no picture"; exit 1; }
echo "locale-gallery: $count pictures compared under three locales"
exit "$failed"
