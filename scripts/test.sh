#!/usr/bin/env bash
# Installs what is missing, builds Tellumo and runs every test: once in the
# optimised build, then again built with the address, leak and
# undefined-behaviour sanitizers (build/asan).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/bootstrap.sh
cmake --workflow --preset default
cmake --workflow --preset asan
