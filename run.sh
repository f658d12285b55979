#!/usr/bin/env bash
# Installs what is missing, builds the two release programs and starts quarngear with the
# nominal gear. Without a display it can reach, it draws the nominal frame to a picture
# instead and prints the valve-events report.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

# A private runtime folder for Qt when there is none (headless runs, CI).
. scripts/runtime-dir.sh
trap 'if [ -n "$xdg_made" ]; then rm -rf -- "$xdg_made"; fi' EXIT
ensure_runtime_dir

build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUARN_TESTS=OFF -DQUARN_BENCH=OFF
cmake --build "$build" --target quarngear quarngear-cli -j2

headless() {
  echo "$1: drawing the nominal gear to quarngear-frame.png and printing its report instead."
  "$build/app/quarngear-cli" render frame --out quarngear-frame.png
  "$build/app/quarngear-cli" report
  exit
}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  headless "No display found"
fi
# Qt aborts with its own message when the X display is named but not there (a stale
# DISPLAY over ssh, a stopped Xvfb); ask the server first, and do not wait on it for long.
if [ -z "${WAYLAND_DISPLAY:-}" ] && command -v xdpyinfo >/dev/null 2>&1 &&
   ! timeout 5 xdpyinfo >/dev/null 2>&1; then
  headless "The display $DISPLAY could not be reached"
fi
# Not exec: the runtime folder made above is removed once the window closes.
"$build/app/quarngear" "$@"
