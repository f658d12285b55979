#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop needs from it: the two
# programs, their data files where the installed program finds them, the desktop entry,
# the icon and the file types of the design files.
#   install_test.sh BUILD_DIR PROBE
set -euo pipefail
build=$1 probe=$2

work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
prefix=$work/prefix
fail=0
bad() { echo "FAIL: $*"; fail=1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }

share=$prefix/share
for f in bin/quarngear bin/quarngear-cli; do
  [ -x "$prefix/$f" ] || bad "$f is not installed as a program"
done
for f in instruct.doc QuISpIns.doc Exhaust.wav Error.wav; do
  [ -s "$share/quarngear/$f" ] || bad "share/quarngear/$f is missing or empty"
done
[ ! -e "$share/quarngear/make_sounds.sh" ] || bad "the sound maker script is installed"
entry=$share/applications/quarngear.desktop
icon=$share/icons/hicolor/scalable/apps/quarngear.svg
mime=$share/mime/packages/quarngear.xml
for f in "$entry" "$icon" "$mime"; do
  [ -s "$f" ] || bad "${f#"$prefix"/} is missing"
done
[ "$fail" -eq 0 ] || exit 1

# The entry: valid, opens the file it is given, and claims both design types.
desktop-file-validate "$entry" || bad "desktop-file-validate rejects the entry"
grep -qx 'Exec=quarngear %f' "$entry" || bad "the entry does not pass the file: $(grep ^Exec= "$entry")"
grep -qx 'Icon=quarngear' "$entry" || bad "the entry names another icon"
for t in application/x-quarngear-design application/x-quarngear-dos-design; do
  grep -q "^MimeType=.*$t;" "$entry" || bad "the entry does not list $t"
done

# The file types: the MIME database, built from the installed package alone, maps
# the two endings to the two types the entry lists.
mkdir -p "$work/mime/packages"
cp "$mime" "$work/mime/packages/"
# (The tool notes any folder outside the desktop's data folders; this one is on purpose.)
XDG_DATA_DIRS="$work:/usr/share" update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || { cat "$work/mime.log"; bad "update-mime-database failed"; }
if [ -s "$work/mime.log" ]; then cat "$work/mime.log"; bad "update-mime-database complains"; fi
grep -q ':application/x-quarngear-design:\*\.qgd$' "$work/mime/globs2" || bad "*.qgd is not a design"
grep -q ':application/x-quarngear-dos-design:\*\.qgk$' "$work/mime/globs2" || bad "*.qgk is not a DOS design"

# The icon draws.
"$probe" svg "$icon" "$work/icon.png" || bad "the icon does not render"

# The data files are found beside the installed program, from any working folder and
# before any compiled-in data folder.
cp "$probe" "$prefix/bin/install_probe"
for f in instruct.doc QuISpIns.doc Exhaust.wav; do
  found=$(cd / && "$prefix/bin/install_probe" find "$f")
  [ "$found" = "$share/quarngear/$f" ] || bad "the installed program finds $f at '$found'"
done

# The installed programs run.
version=$("$prefix/bin/quarngear" --version) || bad "quarngear --version fails"
[[ "$version" == "quarngear "* ]] || bad "quarngear --version prints '$version'"
"$prefix/bin/quarngear-cli" --help >/dev/null || bad "quarngear-cli --help fails"

[ "$fail" -eq 0 ] && echo "install tree complete"
exit "$fail"
