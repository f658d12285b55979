#!/usr/bin/env bash
# Usage: check_includes.sh SRC_DIR
#
# Keeps the Qt-free layers free of Qt and of the layers above them. Each layer may
# include the standard library, its own headers and the headers of the layers named
# for it here; a project header is included with its folder ("model/gear_model.h"),
# and a quoted name without a folder is a header of the same folder. Every include
# that breaks this is listed as FILE:LINE and the check fails. A layer whose folder
# does not exist (yet) is skipped.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: check_includes.sh SRC_DIR" >&2
  exit 2
fi
src=${1%/}

# Bottom up: the layer, then the folders it may include from.
layers=(
  "model:model"
  "canvas:canvas"
  "drawing:model canvas drawing"
  "dims:model dims"
)

include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"])([^">]*)[">]'
checked=0
offences=0
for entry in "${layers[@]}"; do
  layer=${entry%%:*}
  allowed=" ${entry#*:} "
  [ -d "$src/$layer" ] || continue
  checked=$((checked + 1))
  while IFS= read -r -d '' file; do
    n=0
    while IFS= read -r line || [ -n "$line" ]; do
      n=$((n + 1))
      [[ $line =~ $include_re ]] || continue
      kind=${BASH_REMATCH[1]}
      name=${BASH_REMATCH[2]}
      bad=
      if [[ $name == Q* ]] && { [ "$kind" = "<" ] || [ ! -e "${file%/*}/$name" ]; }; then
        # Qt's headers all start with a capital Q: <QString>, <QtCore/QString>.
        bad="a Qt header in the Qt-free layer $layer"
      elif [ "$kind" = '"' ] && [[ $name == *..* ]]; then
        bad="a path that climbs out of the folders"
      elif [ "$kind" = '"' ] && [[ $name == */* ]]; then
        folder=${name%%/*}
        [[ $allowed == *" $folder "* ]] || bad="$layer may not include from $folder"
      fi
      if [ -n "$bad" ]; then
        echo "$file:$n: ${line#"${line%%[![:space:]]*}"}  ($bad)"
        offences=$((offences + 1))
      fi
    done <"$file"
  done < <(find "$src/$layer" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' \
             -o -name '*.cc' -o -name '*.cxx' -o -name '*.inl' -o -name '*.ipp' \) -print0 | sort -z)
done

# Not one layer folder means a wrong SRC_DIR, not a clean tree.
if [ "$checked" -eq 0 ]; then
  echo "check_includes.sh: none of model, canvas, drawing, dims under $src" >&2
  exit 2
fi
if [ "$offences" -gt 0 ]; then
  echo "check_includes.sh: $offences include(s) against the layering" >&2
  exit 1
fi
