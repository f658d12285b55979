# Sourced by run.sh and test.sh. Qt complains on every start when there is no usable
# runtime folder (headless runs, CI): make a private one then, named in $xdg_made so
# the caller removes it at exit.
xdg_made=
ensure_runtime_dir() {
  local xdg=${XDG_RUNTIME_DIR:-}
  if [ -z "$xdg" ] || [ ! -d "$xdg" ] || [ ! -O "$xdg" ] || [ ! -w "$xdg" ] ||
     [ "$(stat -c %a "$xdg")" != 700 ]; then
    xdg_made=$(mktemp -d "${TMPDIR:-/tmp}/quarngear-runtime.XXXXXX")
    chmod 0700 "$xdg_made"
    export XDG_RUNTIME_DIR=$xdg_made
  fi
}
