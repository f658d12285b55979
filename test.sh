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

# Fuzz both dimension-file readers for 30 seconds. libFuzzer comes with clang only.
if command -v clang++ >/dev/null 2>&1; then
  fuzz=build/fuzz
  CC=clang CXX=clang++ cmake -S . -B "$fuzz" -DCMAKE_BUILD_TYPE=Debug -DQUARN_SANITIZE=ON \
    -DQUARN_BENCH=OFF -DQUARN_FUZZ=ON
  cmake --build "$fuzz" --target fuzz_dimension_readers -j2
  # Full-length inputs from the start, so that whole 71-record files are tried at once.
  "$fuzz/tests/fuzz/fuzz_dimension_readers" -max_total_time=30 -max_len=1600 -len_control=0
else
  echo "test.sh: clang++ not found, skipping the fuzz run of the dimension-file readers"
fi
