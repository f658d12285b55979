#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and warnings as errors, runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUARN_SANITIZE=ON -DQUARN_WERROR=ON
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2
