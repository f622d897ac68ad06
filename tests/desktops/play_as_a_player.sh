#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the real program on the desktop that on_desktop.sh started, with
# real keys (xdotool) and screenshots (ImageMagick), as a player would:
#   1. Start Game, accept the speed, steer right and press F1: the help
#      window opens and the game goes on behind it until the worm dies.
#   2. At "New Game?" press Down, then Return: that is Yes, so the speed
#      prompt follows (and the program does not end).
#   3. Accept the speed and press Left: the worm moves, without a click.
# Usage: play_as_a_player.sh PROGRAM ASSETS_FOLDER
set -uo pipefail

program="$1"
assets="$2"
for tool in xdotool import; do
  command -v "$tool" >/dev/null || { echo "play_as_a_player.sh: skipped: $tool is not installed" >&2; exit 77; }
done

folder="$(mktemp -d /tmp/vermo-player.XXXXXX)"
game=""
finish() {
  [ -n "$game" ] && kill "$game" 2>/dev/null
  rm -rf "$folder"
}
trap finish EXIT

fail() {
  echo "FAILED: $*" >&2
  keep="$(mktemp -d /tmp/vermo-player-shots.XXXXXX)"
  cp "$folder"/*.png "$keep"/ 2>/dev/null
  echo "screenshots kept in $keep" >&2
  exit 1
}

cp "$program" "$assets"/*.gif "$assets"/*.ico "$assets"/helpfile.bat "$folder"/
for _ in $(seq 10); do printf '"Computer",0\r\n'; done >"$folder/topten.dll"

# A picture of the whole screen; prints its file name.
screen() {
  local file
  file="$(mktemp -p "$folder" --suffix=.png screen-XXXXXX)"
  import -window root "$file" 2>/dev/null
  echo "$file"
}
same() { cmp -s <(convert "$1" rgb:- 2>/dev/null) <(convert "$2" rgb:- 2>/dev/null); }
# Waits up to ten seconds for the screen to differ from a picture of it.
wait_for_change() {
  local before="$1" now
  for _ in $(seq 100); do
    now="$(screen)"
    same "$before" "$now" || return 0
    rm -f "$now"
    sleep 0.1
  done
  return 1
}
press() { xdotool key --delay 80 "$@"; }
still_running() { kill -0 "$game" 2>/dev/null; }

# The pointer rests in a corner, over no window of the game.
xdotool mousemove 5 5
empty="$(screen)"
(cd "$folder" && HOME="$folder" exec ./vermo >"$folder/vermo.log" 2>&1) &
game=$!
wait_for_change "$empty" || fail "the main window did not appear"
sleep 1.5

# 1. A game with the help window open in front of it.
before="$(screen)"
press space
wait_for_change "$before" || fail "Start Game did not bring the speed prompt"
sleep 0.6
press Return
sleep 0.6
press Right F1
sleep 3
still_running || fail "the program ended during the first game"

# 2. The worm has died: "New Game?" is open. Down, then Return.
press Down
sleep 0.3
before="$(screen)"
press Return
sleep 1
still_running || fail "Down, then Return at \"New Game?\" ended the program"
wait_for_change "$before" || fail "no speed prompt after \"New Game?\""
sleep 0.5

# 3. Accept the speed; the arrow steers the worm without a click.
press Return
sleep 1
before="$(screen)"
press Left
sleep 1.5
after="$(screen)"
same "$before" "$after" && fail "the worm did not move after Left"
still_running || fail "the program ended in the second game"
echo "played on $QT_QPA_PLATFORM: the help window, \"New Game?\" with Down and Return, Left steers"
