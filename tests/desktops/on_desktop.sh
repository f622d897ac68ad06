#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a desktop of its own and takes the desktop down after:
#   on_desktop.sh xvfb    COMMAND...   a bare X server (Xvfb), QT_QPA_PLATFORM=xcb
#   on_desktop.sh openbox COMMAND...   Xvfb with the openbox window manager, xcb
#   on_desktop.sh weston  COMMAND...   weston on its X11 back end inside Xvfb,
#                                      QT_QPA_PLATFORM=wayland
# DISPLAY names the X server in every case (under weston: the one weston
# draws into, for xdotool and screenshots). The X display is the first free
# number of VERMO_TEST_DISPLAYS (a range "first-last", 90-119 unless set);
# weston gets a runtime folder of its own. Leaves with 77 (skipped) when a
# desktop cannot be started, else with the command's status.
set -uo pipefail

kind="${1:-}"
shift || true
case "$kind" in
  xvfb|openbox|weston) ;;
  *) echo "usage: $0 xvfb|openbox|weston COMMAND..." >&2; exit 2 ;;
esac
[ $# -gt 0 ] || { echo "on_desktop.sh: no command given" >&2; exit 2; }

skip() { echo "on_desktop.sh: skipped: $*" >&2; exit 77; }

started=()
scratch="$(mktemp -d /tmp/vermo-desktop.XXXXXX)"
chmod 700 "$scratch"
cleanup() {
  local pid
  for pid in "${started[@]}"; do
    kill "$pid" 2>/dev/null
  done
  for pid in "${started[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  done
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v xprop >/dev/null || skip "xprop is not installed"

# An X server on the first display number that is free and stays free.
range="${VERMO_TEST_DISPLAYS:-90-119}"
first="${range%-*}"
last="${range#*-}"
display=""
for number in $(seq "$first" "$last"); do
  [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
  Xvfb ":$number" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
       3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ -s "$scratch/display" ]; then
    started+=("$pid")
    display=":$number"
    break
  fi
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
done
[ -n "$display" ] || skip "no X server could be started on displays $range"
export DISPLAY="$display"
unset WAYLAND_DISPLAY
# It has said it is ready; it must also answer.
for _ in $(seq 100); do
  xprop -root >/dev/null 2>&1 && break
  sleep 0.05
done
xprop -root >/dev/null 2>&1 || skip "the X server on $display does not answer"

case "$kind" in
  xvfb)
    export QT_QPA_PLATFORM=xcb
    ;;
  openbox)
    command -v openbox >/dev/null || skip "openbox is not installed"
    openbox >"$scratch/openbox.log" 2>&1 &
    started+=("$!")
    # The window manager is ready once it has claimed the screen.
    for _ in $(seq 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.05
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' \
      || skip "openbox did not start: $(tail -3 "$scratch/openbox.log")"
    export QT_QPA_PLATFORM=xcb
    ;;
  weston)
    command -v weston >/dev/null || skip "weston is not installed"
    export XDG_RUNTIME_DIR="$scratch"
    socket="${VERMO_TEST_WAYLAND_SOCKET:-wayland-vermo-test}"
    # No panel, no clock and no animations: the screen changes only when
    # the game's windows do.
    cat >"$scratch/weston.ini" <<'INI'
[core]
idle-time=0
[shell]
panel-position=none
background-color=0xff204060
animation=none
close-animation=none
startup-animation=none
focus-animation=none
INI
    weston --config="$scratch/weston.ini" --backend=x11-backend.so --use-pixman \
           --socket="$socket" --width=1280 --height=1024 >"$scratch/weston.log" 2>&1 &
    started+=("$!")
    for _ in $(seq 200); do
      [ -S "$scratch/$socket" ] && grep -q 'launching.*desktop-shell' "$scratch/weston.log" && break
      sleep 0.05
    done
    [ -S "$scratch/$socket" ] || skip "weston did not start: $(tail -3 "$scratch/weston.log")"
    sleep 0.5
    export WAYLAND_DISPLAY="$socket"
    export QT_QPA_PLATFORM=wayland
    ;;
esac

"$@"
