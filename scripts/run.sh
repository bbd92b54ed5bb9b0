#!/usr/bin/env bash
# Installs what is missing, builds Tellumo and starts it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/bootstrap.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "tellumo: no display found; start it under a virtual one with: xvfb-run -a -s '-screen 0 1280x1024x24' build/default/app/tellumo" >&2
    exit 1
fi
exec build/default/app/tellumo
