#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vermo's Debian package with Debian's own compiler and linker flags
# (hardening included) and leaves it in the build folder:
#   scripts/package.sh [--dbgsym] [BUILD_DIR]
# BUILD_DIR is build/package unless given; --dbgsym adds vermo-dbgsym with
# the program's debug symbols. DEBFULLNAME and DEBEMAIL, when both are set,
# name the package's maintainer. Stops, leaving no package, when the
# package's Depends could not be worked out.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
usage() { sed -n '3,9s/^# \{0,1\}//p' "$0"; }
debug_package=OFF
while [ $# -gt 0 ]; do
  case "$1" in
    --dbgsym) debug_package=ON; shift ;;
    -h|--help) usage; exit 0 ;;
    --) shift; break ;;
    -*) echo "scripts/package.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
    *) break ;;
  esac
done
if [ $# -gt 1 ]; then usage >&2; exit 2; fi
build="$(realpath -m -- "${1:-$root/build/package}")"

"$root/scripts/install-deps.sh" package

# The flags Debian builds its packages with. CMake takes no CPPFLAGS, so
# the preprocessor's (_FORTIFY_SOURCE) join the compiler's, as Debian's
# own CMake builds do. They are worked out in the source folder, so the
# debug information names the sources relative to it.
cd "$root"
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
maintainer=(-U VERMO_MAINTAINER)
if [ -n "${DEBFULLNAME:-}" ] && [ -n "${DEBEMAIL:-}" ]; then
  maintainer=(-D "VERMO_MAINTAINER=$DEBFULLNAME <$DEBEMAIL>")
fi
# Flags are given on every run, not only the first, so a build folder kept
# from an earlier run is built with the same ones.
cmake -S "$root" -B "$build" -G Ninja -D CMAKE_BUILD_TYPE=None \
      -D "CMAKE_CXX_FLAGS=$CXXFLAGS $CPPFLAGS" -D "CMAKE_EXE_LINKER_FLAGS=$LDFLAGS" \
      -D VERMO_BUILD_TESTS=OFF -D VERMO_BUILD_BENCH=OFF \
      -D "VERMO_DEBUG_PACKAGE=$debug_package" "${maintainer[@]}" >/dev/null
cmake --build "$build" --target vermo

# CPack writes the debug package's md5sums with the build folder's full
# paths, leaves the debug file executable and gives the package no
# documentation; it is put right as Debian's own -dbgsym packages are, its
# documentation folder a link to the game's.
repair_debug_package() {
  local ddeb=$1 tree
  tree="$(mktemp -d)"
  dpkg-deb -R "$ddeb" "$tree"
  chmod 0755 "$tree"
  find "$tree/usr/lib/debug" -type f -exec chmod 0644 {} +
  mkdir -p "$tree/usr/share/doc" && ln -s vermo "$tree/usr/share/doc/vermo-dbgsym"
  (cd "$tree" && find usr -type f -exec md5sum {} + >DEBIAN/md5sums)
  dpkg-deb --root-owner-group --build "$tree" "$ddeb" >/dev/null
  rm -rf "$tree"
}

rm -f "$build"/vermo_*.deb "$build"/vermo-dbgsym_*.ddeb
(cd "$build" && cpack -G DEB)
for ddeb in "$build"/vermo-dbgsym_*.ddeb; do
  if [ -e "$ddeb" ]; then repair_debug_package "$ddeb"; fi
done

deb="$(ls "$build"/vermo_*.deb)"
# Without dpkg-shlibdeps CPack still makes a package, one that depends on
# its fonts alone and so installs without Qt: such a package is not left
# behind.
if ! dpkg-deb -f "$deb" Depends | grep -q libqt6; then
  rm -f "$deb" "$build"/vermo-dbgsym_*.ddeb
  echo "$0: the package's Depends came out without Qt (does dpkg-shlibdeps work?); no package made" >&2
  exit 1
fi
find "$build" -maxdepth 1 \( -name 'vermo_*.deb' -o -name 'vermo-dbgsym_*.ddeb' \) -printf 'Made %p\n'
