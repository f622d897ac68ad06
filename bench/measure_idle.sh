#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program's idle cost, resident memory and start-up time.
#
#   bench/measure_idle.sh [--vermo PATH] [--seconds 20] [--runs 20] [--xvfb]
#
# Runs `vermo` in a scratch folder holding its pictures and a fresh
# high-score table, offscreen (or on a private Xvfb display with --xvfb),
# and reports:
#   - CPU use before the first game (the "Start Game" screen) over the
#     given time, from /proc/PID/schedstat (nanoseconds) and /proc/PID/stat
#     (clock ticks), after two seconds to settle;
#   - resident memory (VmRSS) at the end of that time;
#   - start-up: what `vermo --quit-after-first-paint` prints (milliseconds
#     from process start to the first completed paint), over several runs,
#     and hyperfine's wall time of the whole run when hyperfine is there.
# CPU use while a game is paused needs a game to be started:
# `vermo_timing --idle SECONDS` measures it in-process.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
vermo="$repo/build-bench/src/vermo"
seconds=20
runs=20
xvfb=0
while [ $# -gt 0 ]; do
    case "$1" in
        --vermo) vermo=$(realpath "$2"); shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --xvfb) xvfb=1; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
[ -x "$vermo" ] || { echo "no program at $vermo (build the vermo target first)" >&2; exit 2; }

work=$(mktemp -d /tmp/vermo-idle-XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

for file in vermou.gif vermod.gif vermol.gif vermor.gif poison.gif vermoicp.ico helpfile.bat; do
    cp "$repo/assets/$file" "$work/"
done
# A table on disk, so no start-up message box opens.
for i in 1 2 3 4 5 6 7 8 9 10; do printf '"Computer",0\r\n'; done > "$work/topten.dll"

if [ "$xvfb" = 1 ]; then
    display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
    export DISPLAY=$display QT_QPA_PLATFORM=xcb
    platform="Xvfb $display (xcb)"
else
    export QT_QPA_PLATFORM=offscreen
    platform="offscreen"
fi

ticks_per_second=$(getconf CLK_TCK)
# utime + stime in clock ticks (fields 14 and 15; the name field may hold blanks).
stat_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
run_ns() { awk '{ print $1 }' "/proc/$1/schedstat"; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), kernel $(uname -r)"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg); platform: $platform"

cd "$work"
"$vermo" >/dev/null 2>&1 &
pid=$!
pids+=("$pid")
sleep 2
t0=$(stat_ticks "$pid"); n0=$(run_ns "$pid"); w0=$(date +%s.%N)
sleep "$seconds"
t1=$(stat_ticks "$pid"); n1=$(run_ns "$pid"); w1=$(date +%s.%N)
rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
kill "$pid"
wait "$pid" 2>/dev/null || true
awk -v n0="$n0" -v n1="$n1" -v t0="$t0" -v t1="$t1" -v w0="$w0" -v w1="$w1" -v hz="$ticks_per_second" -v rss="$rss" 'BEGIN {
    wall = w1 - w0
    printf "before the first game: CPU %.3f %% of one core by schedstat (%.1f ms in %.1f s), %.2f %% by stat (%d ticks of 1/%d s)\n",
           100 * (n1 - n0) / 1e9 / wall, (n1 - n0) / 1e6, wall, 100 * (t1 - t0) / hz / wall, t1 - t0, hz
    printf "resident memory (VmRSS): %.1f MB\n", rss / 1024
}'

startups=()
for ((i = 0; i < runs; i++)); do
    startups+=("$("$vermo" --quit-after-first-paint 2>/dev/null | tail -n1)")
done
printf '%s\n' "${startups[@]}" | sort -n | awk '{ v[NR] = $1; s += $1 } END {
    printf "start-up to first paint (ms, %d runs): median %.1f, mean %.1f, min %.1f, max %.1f\n",
           NR, v[int((NR + 1) / 2)], s / NR, v[1], v[NR]
}'

if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 3 --runs "$runs" --style basic "$vermo --quit-after-first-paint" 2>/dev/null |
        grep -E 'Time|Range' | sed 's/^/hyperfine (whole run, start to exit): /'
fi
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
