#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs Vermo from a built tree into a temporary prefix, builds the Debian
# package with scripts/package.sh and unpacks it into a temporary root, and
# starts each installed game, offscreen and without a display, from a folder
# of its own:
#   check_install.sh BUILD_DIR
# Ends with "N passed, N failed" and fails when any check fails.
set -uo pipefail
build="$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)"
repo="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"

# Every box the game shows is answered with OK and written to the error
# output as "box: <text>" by a library loaded into the game; copied where
# the player who is not root can read it too.
answerer="$work/box_answerer.so"
cp "$build/tests/libvermo_box_answerer.so" "$answerer" || { echo "build the tests first" >&2; exit 1; }
chmod 755 "$answerer"

passed=0 failed=0
check() {
  local name=$1; shift
  if "$@" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1)); echo "FAILED: $name" >&2
  fi
}

data_files=(vermou.gif vermod.gif vermol.gif vermor.gif poison.gif vermoicp.ico helpfile.bat)
default_table="$(for _ in 1 2 3 4 5 6 7 8 9 10; do printf '"Computer",0\r\n'; done)"

# Starts the game until its first paint, from an empty folder, with its own
# HOME; further arguments are VAR=value settings. Leaves the output in
# $work/out and $work/err.
start() {
  local game=$1; shift
  rm -rf "$work/start"; mkdir "$work/start"
  (cd "$work/start" && env HOME="$work/home" LD_PRELOAD="$answerer" "$@" timeout 60 "$game" --quit-after-first-paint \
     >"$work/out" 2>"$work/err")
}

no_new_files_in_start_folder() { [ -z "$(ls -A "$work/start")" ]; }
err_has() { grep -qF "box: $1" "$work/err"; }
no_box() { ! grep -q '^box:' "$work/err"; }
links_to_installed() {
  local folder=$1 data=$2 file
  for file in "${data_files[@]}"; do cmp -s "$folder/$file" "$data/$file" || return 1; done
}
table_is() { [ "$(cat "$1")" = "$2" ]; }
no_table_under() { [ -z "$(find "$@" -name topten.dll)" ]; }

# The menu entry starts a program found in the games folder and shows an
# installed icon, the one the software-centre description names.
entry_resolves() {
  local games=$1 share=$2 entry="$2/applications/org.vermo.Vermo.desktop" exec icon
  exec="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"; icon="$(sed -n 's/^Icon=//p' "$entry")"
  [ -x "$(PATH="$games" command -v "$exec")" ] && [ -f "$share/icons/hicolor/48x48/apps/$icon.png" ] \
    && grep -qF "<icon type=\"stock\">$icon</icon>" "$share/metainfo/org.vermo.Vermo.metainfo.xml"
}

# The start checks for one installed game: program, its data folder, and
# the root it was installed under.
check_starts() {
  local what=$1 game=$2 data=$3 root=$4
  rm -rf "$work/home" "$work/xdg"; mkdir "$work/home"
  local mine="$work/xdg/vermo"

  start "$game" XDG_DATA_HOME="$work/xdg"
  check "$what: first start reaches its first paint" test -s "$work/out"
  check "$what: first start shows the first-run box" err_has "High lng_score File Not Found"
  check "$what: first start writes the ten default records" table_is "$mine/topten.dll" "$default_table"
  check "$what: the player's folder holds the installed data files" links_to_installed "$mine" "$data"
  check "$what: nothing is written in the start folder" no_new_files_in_start_folder

  printf '"Tester",99\r\n' >"$work/edited"; sed -n '2,10p' "$mine/topten.dll" >>"$work/edited"
  cp "$work/edited" "$mine/topten.dll"
  start "$game" XDG_DATA_HOME="$work/xdg"
  check "$what: second start shows no box" no_box
  check "$what: second start keeps the edited table" cmp "$work/edited" "$mine/topten.dll"

  start "$game" XDG_DATA_HOME=
  check "$what: without XDG_DATA_HOME the table lies under HOME" \
    table_is "$work/home/.local/share/vermo/topten.dll" "$default_table"

  : >"$work/in-the-way"
  start "$game" XDG_DATA_HOME="$work/in-the-way"
  check "$what: a file in the way still reaches the first paint" test -s "$work/out"
  check "$what: a file in the way gives the box naming the folder" \
    err_has "The Game's Folder $work/in-the-way/vermo Could Not Be Made Ready"
  check "$what: a file in the way gives the could-not-be-saved box" err_has "The High Score File topten.dll Could Not Be Saved"
  check "$what: a file in the way writes no table anywhere" no_table_under "$root" "$work/start"

  # A read-only folder stops only a player who is not root.
  if [ "$(id -u)" -ne 0 ]; then
    mkdir -m 555 "$work/read-only"
    start "$game" XDG_DATA_HOME="$work/read-only"
    check "$what: a read-only folder gives the box naming the folder" \
      err_has "The Game's Folder $work/read-only/vermo Could Not Be Made Ready"
    rmdir "$work/read-only"
  fi
}

# Whose files the installed game trusts. Run as root, another user's files
# are made for real and the player is a user who is not root.
other_user=64102 player_user=64101
as_player=()
[ "$(id -u)" -eq 0 ] && as_player=(setpriv --reuid="$player_user" --regid="$player_user" --clear-groups)
check_trust() {
  local what=$1 game=$2
  local shared="$work/shared" home="$work/trust-home"
  rm -rf "$shared" "$home"; mkdir -p "$shared" "$home"; chmod 1777 "$shared"
  printf 'my notes\n' >"$home/notes.txt"
  : >"$shared/helpfile.bat"
  ln -s "$home/notes.txt" "$shared/topten.dll"
  [ "$(id -u)" -eq 0 ] && chown -h "$other_user:$other_user" "$shared/helpfile.bat" "$shared/topten.dll"
  (cd "$shared" && env HOME="$home" XDG_DATA_HOME= LD_PRELOAD="$answerer" timeout 60 "$game" --quit-after-first-paint \
     >"$work/out" 2>"$work/err")
  check "$what: a folder others may write to is not the game's folder" \
    table_is "$home/.local/share/vermo/topten.dll" "$default_table"
  check "$what: the player's notes behind a shared folder's link stay as they were" \
    grep -qx 'my notes' "$home/notes.txt"
  check "$what: the shared folder's link is left alone" test -L "$shared/topten.dll"

  # A table the player may not read is told about and left as it is.
  local own="$work/unreadable"
  rm -rf "$own"; mkdir -p "$own/xdg/vermo" "$own/runtime"
  printf '"Kept",42\r\n' >"$own/xdg/vermo/topten.dll"; sed -n '2,10p' "$work/edited" >>"$own/xdg/vermo/topten.dll"
  cp "$own/xdg/vermo/topten.dll" "$work/unreadable-before"
  [ "$(id -u)" -eq 0 ] && chown -R "$player_user:$player_user" "$own"
  chmod 000 "$own/xdg/vermo/topten.dll"; chmod 700 "$own/runtime"
  (cd "$own" && env HOME="$own" XDG_DATA_HOME="$own/xdg" XDG_RUNTIME_DIR="$own/runtime" \
     LD_PRELOAD="$answerer" timeout 60 "${as_player[@]}" "$game" --quit-after-first-paint >"$work/out" 2>"$work/err")
  check "$what: an unreadable table gives the box saying why" \
    err_has "The High Score File topten.dll Could Not Be Read (Permission denied)"
  check "$what: an unreadable table gets no first-run box" bash -c '! grep -q "High lng_score" "$1"' _ "$work/err"
  chmod 600 "$own/xdg/vermo/topten.dll"
  check "$what: an unreadable table is left as it was" cmp "$work/unreadable-before" "$own/xdg/vermo/topten.dll"
}

# --- cmake --install -------------------------------------------------------
prefix="$work/prefix"
check "cmake --install --strip succeeds" cmake --install "$build" --prefix "$prefix" --strip
share="$prefix/share"
check "the program lies in games" test -x "$prefix/games/vermo"
check "the stripped program keeps no symbols and no compiler notes" \
  bash -c '! readelf -S "$1" | grep -qE "\.symtab|\.comment"' _ "$prefix/games/vermo"
check "the desktop entry is valid" desktop-file-validate "$share/applications/org.vermo.Vermo.desktop"
check "the desktop entry is in the arcade games" \
  grep -qx 'Categories=Game;ArcadeGame;' "$share/applications/org.vermo.Vermo.desktop"
check "the entry's Exec and Icon resolve to installed files" entry_resolves "$prefix/games" "$share"
check "the metainfo is valid, pedantically" \
  appstreamcli validate --pedantic --no-net "$share/metainfo/org.vermo.Vermo.metainfo.xml"
icon_sizes_right() {
  local size
  for size in 32 48 64 128 256; do
    file "$share/icons/hicolor/${size}x${size}/apps/org.vermo.Vermo.png" \
      | grep -q "PNG image data, $size x $size" || return 1
  done
}
check "the icons have their folders' sizes" icon_sizes_right
manual_page_clean() {
  MANWIDTH=80 man --warnings -l "$share/man/man6/vermo.6.gz" >"$work/out" 2>"$work/err" \
    && grep -q '^ENVIRONMENT' "$work/out" && [ ! -s "$work/err" ]
}
check "the manual page formats without a warning" manual_page_clean

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
game="$prefix/games/vermo"
version_printed() {
  "$game" --version >"$work/out" 2>"$work/err" && [ "$(head -1 "$work/out")" = "vermo $version" ] \
    && grep -qx 'License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.' \
         "$work/out" && [ ! -s "$work/err" ]
}
usage_printed() {
  "$game" --help >"$work/out" 2>"$work/err" && grep -q '^Usage: vermo' "$work/out" \
    && [ ! -s "$work/err" ]
}
check "--version prints the version and the licence and succeeds" version_printed
check "--help prints the usage and succeeds" usage_printed
unknown_option_refused() {
  "$game" --no-such-option >"$work/out" 2>"$work/err"
  [ $? -eq 2 ] && [ ! -s "$work/out" ] && grep -q '^Usage: vermo' "$work/err"
}
check "an unknown option prints the usage on stderr and exits 2" unknown_option_refused

check_starts "installed" "$game" "$share/games/vermo" "$prefix"
chmod 711 "$work"  # the player who is not root reaches the installed game
check_trust "installed" "$game"

uninstall_by_manifest() {
  xargs -a "$build/install_manifest.txt" -d '\n' rm -f -- \
    && rmdir "$share/games/vermo" "$share/doc/vermo" && [ -z "$(find "$prefix" -type f)" ]
}
check "the files in install_manifest.txt are all the install left" uninstall_by_manifest

# --- the Debian package ------------------------------------------------------
"$repo/scripts/package.sh" "$work/package" >"$work/package.log" 2>&1 || tail -20 "$work/package.log" >&2
deb="$(ls "$work"/package/vermo_*.deb 2>/dev/null | head -1)"
check "scripts/package.sh makes a .deb" test -f "$deb"
lintian -I -E --pedantic "$deb" >"$work/lintian" 2>&1
check "lintian finds no errors or warnings" bash -c '! grep -q "^[EW]:" "$1"' _ "$work/lintian"
check "lintian finds nothing to harden" bash -c '! grep -q hardening "$1"' _ "$work/lintian"
check "the .deb depends on the Qt libraries it links" \
  bash -c 'dpkg-deb -f "$1" Depends | grep -q libqt6widgets6' _ "$deb"
check "the .deb depends on the fonts the printed list falls back on" \
  bash -c 'dpkg-deb -f "$1" Depends | grep -q "fonts-dejavu-core, fonts-symbola"' _ "$deb"
check "the .deb recommends Qt's Wayland platform" \
  bash -c 'dpkg-deb -f "$1" Recommends | grep -qx qt6-wayland' _ "$deb"
check "the .deb unpacks" dpkg-deb -x "$deb" "$work/root"
check "the .deb puts the program in /usr/games" test -x "$work/root/usr/games/vermo"
# Hardened as Debian's own programs: full RELRO (BIND_NOW), PIE, stack
# protector and fortified calls.
hardened() {
  local segments dynamic symbols
  segments="$(readelf -lW "$1")" dynamic="$(readelf -dW "$1")" symbols="$(readelf -sW --dyn-syms "$1")"
  grep -q GNU_RELRO <<<"$segments" && grep -qE 'FLAGS_1.* NOW' <<<"$dynamic" \
    && grep -qE 'FLAGS_1.* PIE' <<<"$dynamic" && grep -q __stack_chk_fail <<<"$symbols" \
    && grep -qE '__[a-z]+printf_chk' <<<"$symbols"
}
check "the packaged program is hardened" hardened "$work/root/usr/games/vermo"
check "the .deb's entry's Exec and Icon resolve to its files" \
  entry_resolves "$work/root/usr/games" "$work/root/usr/share"
check_starts "unpacked .deb" "$work/root/usr/games/vermo" "$work/root/usr/share/games/vermo" "$work/root"

# Without dpkg-shlibdeps's answer, the package would depend on nothing.
mkdir "$work/no-shlibdeps" && printf '#!/bin/sh\nexit 0\n' >"$work/no-shlibdeps/dpkg-shlibdeps"
chmod +x "$work/no-shlibdeps/dpkg-shlibdeps"
no_package_without_depends() {
  ! PATH="$work/no-shlibdeps:$PATH" "$repo/scripts/package.sh" "$work/package" && [ ! -e "$deb" ]
}
check "scripts/package.sh fails and leaves no .deb when Depends comes out without Qt" no_package_without_depends

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
