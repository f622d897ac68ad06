#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, playing and testing Vermo
# need, skipping those already there. Usage: install-deps.sh [play|package|test]
set -euo pipefail

common=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev
        fonts-dejavu-core fonts-liberation2 fonts-symbola)
play=()
package=(dpkg-dev file)
test=("${package[@]}" googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
      poppler-utils desktop-file-utils appstream lintian man-db
      xvfb x11-utils openbox weston qt6-wayland xdotool imagemagick)

wanted=("${common[@]}")
case "${1:-test}" in
  play) wanted+=("${play[@]}") ;;
  package) wanted+=("${package[@]}") ;;
  test) wanted+=("${test[@]}") ;;
  *) echo "usage: $0 [play|package|test]" >&2; exit 2 ;;
esac

missing=()
for name in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$name")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root="$(dirname "$0")/as-root.sh"
echo "Installing: ${missing[*]}"
"$as_root" apt-get update -qq
"$as_root" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
