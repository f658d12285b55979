#!/usr/bin/env bash
# Installs what is missing, builds the release programs and runs the main job.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUARN_TESTS=OFF
cmake --build "$build" -j2
exec "$build/app/quarngear-cli" report "$@"
