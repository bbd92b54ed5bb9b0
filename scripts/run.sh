#!/usr/bin/env bash
# Installs what is missing, builds Tellumo and starts it. Without a display it
# starts Tellumo on a private virtual one instead and prints the address at
# which a web browser shows it (scripts/browser-session.sh, which takes the
# options --listen ADDRESS and --port FIRST given here).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/bootstrap.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    exec bash scripts/browser-session.sh "$@" build/default/app/tellumo
fi
if (($# > 0)); then
    echo "tellumo: a display was found; $* applies only without one" >&2
fi
exec build/default/app/tellumo
