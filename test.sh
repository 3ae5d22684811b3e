#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (unit and end to end).
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j"$(nproc)"
# The end-to-end tests start their own X servers, buses and programs; they need no display.
unset DISPLAY WAYLAND_DISPLAY
ctest --test-dir build --output-on-failure -j2 --timeout 300 "$@"
