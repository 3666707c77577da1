#!/bin/bash
# Installs what building, running and testing the engine needs on Debian 12, and any packages named
# as arguments (CI adds lintian, which only the package's lintian test needs). Run as root.
set -euo pipefail
packages=(
  make cmake g++ pkg-config git
  libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev libfreetype-dev libfontconfig-dev libjpeg62-turbo-dev libpng-dev
  libmp3lame-dev
  fonts-ipafont-mincho fonts-ipafont-gothic timgm6mb-soundfont
  libgtest-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick
  clang-format python3 clang libfuzzer-14-dev lame
  dpkg-dev desktop-file-utils appstream man-db
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
