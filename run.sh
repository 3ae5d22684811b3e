#!/usr/bin/env bash
# Installs what is missing, builds, installs the kiosk into build/kiosk/ and starts Tovira there.
# Without a display it runs under a private Xvfb, writes build/kiosk-screenshot.png and stops.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j"$(nproc)"
cmake --install build --prefix "$PWD/build/kiosk"

if [ ! -x build/kiosk/Tovira ]; then
  echo "Tovira is not built yet; nothing to start."
  exit 0
fi

if [ -n "${DISPLAY:-}" ]; then
  exec build/kiosk/Tovira
fi

exec bash scripts/run-headless.sh build/kiosk/Tovira build/kiosk-screenshot.png
