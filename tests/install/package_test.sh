#!/usr/bin/env bash
# Builds the Debian package from the build tree it is given and checks what apt would
# install from it: the control fields and the files a desktop needs. Nothing is installed.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1

work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
fail=0
bad() { echo "FAIL: $*"; fail=1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; echo "FAIL: cpack -G DEB"; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
deb=$work/quarngear_${version}_${arch}.deb
[ -s "$deb" ] || { ls "$work"; echo "FAIL: cpack wrote no $(basename "$deb")"; exit 1; }

# The control fields apt and the package managers show.
field() { dpkg-deb -f "$deb" "$1"; }
for f in Package=quarngear Version="$version" Architecture="$arch" Section=science; do
  [ "$(field "${f%%=*}")" = "${f#*=}" ] || bad "${f%%=*} is '$(field "${f%%=*}")', not '${f#*=}'"
done
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || bad "Maintainer is '$(field Maintainer)'"
[ "$(field Description | wc -l)" -ge 3 ] || bad "the Description has no long text"
# The Qt 6 runtime comes with the package, or the programs would not start.
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libqt6svg6; do
  [[ ", $(field Depends)," =~ ,\ $lib[\ ,] ]] || bad "Depends does not name $lib: $(field Depends)"
done

# The programs, their data, and what a desktop reads to offer them; all under /usr, and
# no MIME or desktop cache, which the system's triggers build from every package's files.
contents=$(dpkg-deb -c "$deb")
for f in bin/quarngear bin/quarngear-cli; do
  grep -Eq "^-rwxr-xr-x root/root .* \./usr/$f$" <<<"$contents" || bad "/usr/$f is not a program"
done
for f in quarngear/Exhaust.wav quarngear/Error.wav quarngear/instruct.doc quarngear/QuISpIns.doc \
         applications/quarngear.desktop icons/hicolor/scalable/apps/quarngear.svg \
         mime/packages/quarngear.xml; do
  grep -q " \./usr/share/$f$" <<<"$contents" || bad "the package lacks /usr/share/$f"
done
awk '{print $6}' <<<"$contents" | grep -v -e '^\./$' -e '^\./usr/' -e '^\./usr$' >"$work/outside" &&
  bad "outside /usr: $(cat "$work/outside")"
grep -E 'mime\.cache$|/mime/globs|mimeinfo\.cache$' <<<"$contents" && bad "the package ships caches"

[ "$fail" -eq 0 ] && echo "package complete: $(basename "$deb")"
exit "$fail"
