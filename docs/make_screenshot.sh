#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes docs/screenshot.png: builds the game, starts the real program on a
# private X display in a scratch folder (its pictures and a small high-score
# table beside it), starts a game at speed 4, steers the worm a few cells
# and photographs the window. Needs xvfb, xdotool and ImageMagick.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
for tool in xvfb-run xdotool import; do
  command -v "$tool" >/dev/null || { echo "make_screenshot.sh: $tool not found (xvfb, xdotool, imagemagick)" >&2; exit 1; }
done

build="$root/build/screenshot"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DVERMO_BUILD_TESTS=OFF -DVERMO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target vermo >/dev/null

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$build"/src/vermo "$build"/src/*.gif "$build"/src/*.ico "$build"/src/*.bat "$scratch"
for record in '"Ada",212' '"Bert",35' '"Cleo",48' '"Dan",60' '"Eve",75' \
              '"Finn",91' '"Gus",104' '"Hana",120' '"Ivo",146' '"Jo",170'; do
  printf '%s\r\n' "$record"
done >"$scratch/topten.dll"

cat >"$scratch/play.sh" <<'PLAY'
#!/usr/bin/env bash
# Runs inside the private display.
set -euo pipefail
cd "$(dirname "$0")"
HOME="$PWD" ./vermo &
game=$!
window="$(xdotool search --sync --onlyvisible --name '^vermo$' | head -1)"
xdotool windowfocus --sync "$window"
sleep 1
xdotool key space                    # Start Game
sleep 1
xdotool key BackSpace BackSpace 4 Return    # the speed prompt
sleep 0.5
for step in Right:1.6 Down:1.2 Left:0.9 Up:0.5; do
  xdotool key "${step%%:*}"
  sleep "${step##*:}"
done
xdotool key p                        # pause, so the picture holds still
sleep 0.5
import -window "$window" screenshot.png
kill "$game"
PLAY
chmod +x "$scratch/play.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$scratch/play.sh"
convert "$scratch/screenshot.png" -strip -define png:exclude-chunks=date,time "$root/docs/screenshot.png"
echo "docs/screenshot.png"
