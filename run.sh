#!/usr/bin/env bash
# Installs what is missing, builds the release programs and starts quarngear with the
# nominal gear. Without a display it draws the nominal frame to a picture instead and
# prints the valve-events report.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUARN_TESTS=OFF
cmake --build "$build" -j2

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: drawing the nominal gear to quarngear-frame.png and printing its report instead."
  "$build/app/quarngear-cli" render frame --out quarngear-frame.png
  exec "$build/app/quarngear-cli" report
fi
exec "$build/app/quarngear" "$@"
