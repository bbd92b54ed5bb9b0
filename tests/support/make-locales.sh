#!/usr/bin/env bash
# Compiles ja_JP.UTF-8 and de_DE.UTF-8 into OUT (a folder for LOCPATH) from
# the definitions of Debian's locales package; the system's locales stay as
# they are. Locales already compiled there are kept.
#
#   make-locales.sh OUT
set -euo pipefail
out=${1:?usage: make-locales.sh OUT}
mkdir -p "$out"
for locale in ja_JP de_DE; do
    [[ -e "$out/$locale.UTF-8/LC_CTYPE" ]] && continue
    if [[ ! -e /usr/share/i18n/locales/$locale ]]; then
        echo "make-locales: no definition of $locale; scripts/bootstrap.sh installs it (locales)" >&2
        exit 1
    fi
    # localedef exits 1 for warnings about the definitions it still compiles.
    localedef -i "$locale" -f UTF-8 "$out/$locale.UTF-8" || [[ -e "$out/$locale.UTF-8/LC_CTYPE" ]]
done
