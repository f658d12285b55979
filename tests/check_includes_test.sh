#!/usr/bin/env bash
# Usage: check_includes_test.sh CHECK_SCRIPT
#
# Runs the include check on a small tree with two offending files among clean ones:
# the check must fail, name both offenders with their lines, and leave the clean
# files alone (a check that objects to everything would be no use either).
set -euo pipefail

check=${1:?usage: check_includes_test.sh CHECK_SCRIPT}
tree=$(mktemp -d)
trap 'rm -rf -- "$tree"' EXIT

mkdir -p "$tree/model" "$tree/dims" "$tree/mainwin"
printf '#include <vector>\n#include "solver.h"\n#include "model/gear_model.h"\n' >"$tree/model/clean.h"
printf '#pragma once\n#include <string>\n#include <QString>\n' >"$tree/model/bad.h"
printf '#include "dims/file_io.h"\n#include "model/gear_model.h"\n#include <cstdio>\n' >"$tree/dims/clean.cpp"
printf '#include "file_io.h"\n\n#include "mainwin/main_window.h"\n' >"$tree/dims/bad.cpp"
# Above the checked layers: may include anything.
printf '#include <QWidget>\n#include "dims/file_io.h"\n' >"$tree/mainwin/window.cpp"

if out=$(bash "$check" "$tree" 2>&1); then
  echo "FAIL: the check passed a tree with a Qt include in model and a mainwin include in dims"
  exit 1
else
  status=$?
fi
echo "$out"

fault=0
if [ "$status" -ne 1 ]; then
  echo "FAIL: the check ended with $status, not 1 (offences found)"; fault=1
fi
for want in "$tree/model/bad.h:3:" "$tree/dims/bad.cpp:3:"; do
  if ! grep -qF -- "$want" <<<"$out"; then echo "FAIL: $want is not named"; fault=1; fi
done
for clean in clean.h clean.cpp window.cpp; do
  if grep -qF -- "$clean" <<<"$out"; then echo "FAIL: $clean is named though it is clean"; fault=1; fi
done
exit "$fault"
