#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the two fuzz targets with clang (no Qt needed) and runs each one
# over a copy of its seed corpus; fails when either finds a crash.
#
# Usage: fuzz/run_fuzzers.sh [build-folder] [seconds-per-target]
#   build-folder        default: build-fuzz beside this folder
#   seconds-per-target  default: 60
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-$here/../build-fuzz}"
seconds="${2:-60}"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C "$build" vermo_fuzz_scores vermo_fuzz_help

# run_one TARGET CORPUS-NAME
run_one() {
    local target="$1" corpus="$2"
    local work="$build/corpus/$corpus"
    rm -rf "$work"
    mkdir -p "$work" "$build/artifacts"
    cp "$here/corpus/$corpus"/* "$work"/
    echo "== $target for ${seconds}s"
    if ! "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$build/artifacts/$corpus-" -print_final_stats=1 "$work"; then
        echo "!! $target found a crash; the input is in $build/artifacts/" >&2
        return 1
    fi
}

status=0
run_one vermo_fuzz_scores scores || status=1
run_one vermo_fuzz_help help || status=1
exit "$status"
