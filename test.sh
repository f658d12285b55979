#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and warnings as errors, runs every test.
# The detail goes to build/test.log; the terminal gets one line per step, what broke if
# anything did, and a closing summary whose last line reads "tests: N passed, N failed".
set -euo pipefail
cd "$(dirname "$0")"

started=$SECONDS
log=build/test.log
mkdir -p build
: >"$log"

passed=0 failed=0 skipped=0
fuzz_note="fuzz: not run"
fuzz_from=

# A private runtime folder for Qt when there is none (headless runs, CI).
. scripts/runtime-dir.sh
summarised=
at_exit() {
  local status=$?
  if [ -n "$xdg_made" ]; then rm -rf -- "$xdg_made"; fi
  # Whatever stopped the run, CI still gets the closing counts.
  if [ -z "$summarised" ]; then summary "stopped (exit $status)"; fi
}
trap at_exit EXIT
ensure_runtime_dir

summary() {
  local outcome=$1 extra="" done_line
  if [ -n "$fuzz_from" ]; then
    done_line=$(tail -n +"$fuzz_from" "$log" | grep -E '^Done [0-9]+ runs in [0-9]+ second' | tail -n 1 || true)
    if [ -n "$done_line" ]; then
      fuzz_note="fuzz: $(sed -E 's/^Done ([0-9]+) runs in ([0-9]+) second.*/\1 runs in \2 s/' <<<"$done_line")"
    fi
  fi
  if [ "$skipped" -gt 0 ]; then extra="; $skipped skipped"; fi
  echo "test.sh: $outcome; detail in $log; $fuzz_note; $((SECONDS - started)) s in all$extra"
  echo "tests: $passed passed, $failed failed"
  summarised=yes
}

# The lines the log has so far; a step's own part of the log starts after them.
log_lines() { wc -l <"$log"; }

# Prints a step's part of the log starting a little before its first line matching
# PATTERN (a compiler's first error is the one that matters), or its last lines.
show_part() {
  local from=$1 pattern=$2 first
  first=$(tail -n +"$from" "$log" | grep -n -m1 -E "$pattern" | cut -d: -f1 || true)
  if [ -n "$first" ]; then
    tail -n +"$((from + (first > 3 ? first - 3 : 1) - 1))" "$log" | head -n 60 || true
  else
    tail -n +"$from" "$log" | tail -n 60
  fi
}

# step NAME PATTERN COMMAND...: runs COMMAND with its output in the log; when it fails,
# shows its part of the log and the summary and stops with COMMAND's status.
step() {
  local name=$1 pattern=$2 from status
  shift 2
  echo "test.sh: $name"
  echo "==== $name: $*" >>"$log"
  from=$(($(log_lines) + 1))
  if "$@" >>"$log" 2>&1; then
    return 0
  else
    status=$?
  fi
  echo "test.sh: $name failed (exit $status); its output, from its first error or its last lines:"
  show_part "$from" "$pattern"
  summary "FAILED at $name"
  exit "$status"
}

errors='error:|undefined reference|CMake Error|No such file'

step "install-deps" 'E:|error' ./scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
build=build/test
step "configure $build" "$errors" \
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUARN_SANITIZE=ON -DQUARN_WERROR=ON
step "build $build" "$errors" cmake --build "$build" -j2

# The counts come from ctest's own closing lines, "97% tests passed, 3 tests failed out
# of 100" and the list of tests that did not run. A skipped test counts among ctest's
# passed ones and a test whose program is missing among its failed ones; a disabled test
# is in neither.
echo "test.sh: ctest -j2 in $build"
echo "==== ctest" >>"$log"
from=$(($(log_lines) + 1))
if ctest --test-dir "$build" --output-on-failure --no-tests=error -j2 >>"$log" 2>&1; then
  ctest_status=0
else
  ctest_status=$?
fi
result=$(tail -n +"$from" "$log" | grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+$' |
         tail -n 1 || true)
if [ -n "$result" ]; then
  total=$(sed -E 's/.* out of ([0-9]+)$/\1/' <<<"$result")
  failed=$(sed -E 's/.* ([0-9]+) tests? failed .*/\1/' <<<"$result")
  not_run=$(tail -n +"$from" "$log" | sed -n '/^The following tests did not run:$/,/^$/p')
  skipped_only=$(grep -c -E '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' <<<"$not_run" || true)
  disabled=$(grep -c -E '^[[:space:]]*[0-9]+ - .* \(Disabled\)$' <<<"$not_run" || true)
  skipped=$((skipped_only + disabled))
  passed=$((total - failed - skipped_only))
fi
if [ "$ctest_status" -ne 0 ] || [ -z "$result" ] || [ "$failed" -ne 0 ]; then
  if [ -z "$result" ] || [ "$failed" -eq 0 ]; then
    echo "test.sh: ctest failed (exit $ctest_status) without a failed test to show; the end of its output:"
    tail -n +"$from" "$log" | tail -n 60
  else
    echo "test.sh: $failed of $total tests failed; once more, one at a time:"
    rerun=$build/rerun-failed.log
    ctest --test-dir "$build" --rerun-failed --output-on-failure >"$rerun" 2>&1 || true
    { echo "==== ctest --rerun-failed"; cat "$rerun"; } >>"$log"
    # A long rerun is cut in the middle: its start has the first failure in full, its
    # end the list of all that failed.
    if [ "$(wc -l <"$rerun")" -le 120 ]; then
      cat "$rerun"
    else
      head -n 80 "$rerun"
      echo "[... $(($(wc -l <"$rerun") - 110)) lines more in $log ...]"
      tail -n 30 "$rerun"
    fi
  fi
  summary "FAILED at ctest"
  exit $((ctest_status != 0 ? ctest_status : 1))
fi

# Fuzz both dimension-file readers for 30 seconds. libFuzzer comes with clang only.
if command -v clang++ >/dev/null 2>&1; then
  fuzz=build/fuzz
  step "configure $fuzz (clang)" "$errors" \
    env CC=clang CXX=clang++ cmake -S . -B "$fuzz" -DCMAKE_BUILD_TYPE=Debug -DQUARN_SANITIZE=ON \
    -DQUARN_BENCH=OFF -DQUARN_FUZZ=ON
  step "build the fuzzer" "$errors" cmake --build "$fuzz" --target fuzz_dimension_readers -j2
  fuzz_from=$(($(log_lines) + 1))
  fuzz_note="fuzz: stopped before its end"
  # Full-length inputs from the start, so that whole 71-record files are tried at once.
  # An input that breaks a reader is kept in the fuzz build folder, not among the sources.
  step "fuzz run (30 s)" '==[0-9]+==ERROR|ERROR: libFuzzer|runtime error' \
    "$fuzz/tests/fuzz/fuzz_dimension_readers" -max_total_time=30 -max_len=1600 -len_control=0 \
    -artifact_prefix="$fuzz/"
else
  fuzz_note="fuzz: skipped (clang++ not found)"
fi

summary "all passed"
