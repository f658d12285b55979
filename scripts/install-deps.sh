#!/usr/bin/env bash
# Installs the Debian packages quarngear needs to build, test and run; only what is missing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
  libgl-dev
  fonts-dejavu-core fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev  # quarngear-cli reads its options with CLI11
  libnlopt-cxx-dev  # the equaliser's optimiser
  librsvg2-bin poppler-utils  # the export tests render the SVG and PDF pictures as a reader would
  clang libclang-rt-14-dev  # the fuzz run of test.sh: libFuzzer's runtime is in the rt package
  desktop-file-utils shared-mime-info  # the install test checks the desktop entry and file types
  dpkg-dev file  # the package: dpkg-shlibdeps finds the libraries the programs need
  xvfb xauth
  x11-utils  # run.sh asks the X server with xdpyinfo before it starts the window
  pulseaudio-utils  # parec and pactl, for the sound test's recording
)
# The sound test runs a PulseAudio server of its own. The package also enables one for
# every desktop session, which would compete with PipeWire's where that already serves
# the desktop: there it is left out, and the sound test says it is skipped for want of it.
if ! dpkg-query -W -f='${Status}' pipewire-pulse 2>/dev/null | grep -q '^install ok installed$'; then
  packages+=(pulseaudio)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  echo "install-deps: not root, using sudo for apt-get"
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
