#!/usr/bin/env bash
# Installs what is missing, builds Tellumo and runs every test.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/bootstrap.sh
cmake --workflow --preset default
