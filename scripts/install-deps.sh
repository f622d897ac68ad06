#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Vermo
# need, skipping those already there. Usage: install-deps.sh [play|test]
set -euo pipefail

common=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev
        fonts-dejavu-core fonts-liberation2)
play=()
test=(googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev poppler-utils
      desktop-file-utils appstream lintian dpkg-dev file
      xvfb x11-utils openbox weston qt6-wayland xdotool imagemagick)

wanted=("${common[@]}")
case "${1:-test}" in
  play) wanted+=("${play[@]}") ;;
  test) wanted+=("${test[@]}") ;;
  *) echo "usage: $0 [play|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
