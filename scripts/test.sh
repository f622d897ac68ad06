#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Vermo and runs every test:
#   1. the whole suite (file, core, window and main-window tests, and the
#      shake and the real program on X11 and Wayland desktops of their own);
#   2. installing: into a temporary prefix and as a Debian package, each
#      installed game started from another folder;
#   3. the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. the fuzzers of the high-score reader and the help-text reader, 60 s each;
#   5. a 60 s soak of the real main window played by an autopilot.
# VERMO_QUICK=1 runs the first stage only.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/install-deps.sh" test

stage() { printf '\n=== %s ===\n' "$*"; }

stage "build and test"
cmake -S "$root" -B "$root/build/test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/test" -j "$jobs"
ctest --test-dir "$root/build/test" --output-on-failure -j "$jobs"

[ "${VERMO_QUICK:-0}" = 1 ] && exit 0

stage "install and start the installed game"
"$root/tests/install/check_install.sh" "$root/build/test"

stage "build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build/sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DVERMO_SANITIZE=ON -DVERMO_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/sanitize" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build/sanitize" --output-on-failure -j "$jobs"

if [ -x "$root/fuzz/run_fuzzers.sh" ]; then
  stage "fuzz the file readers"
  "$root/fuzz/run_fuzzers.sh" "$root/build/fuzz" "${VERMO_FUZZ_SECONDS:-60}"
fi

if [ -x "$root/build/test/bench/vermo_soak" ]; then
  stage "soak: the main window played at speed 20"
  QT_QPA_PLATFORM=offscreen "$root/build/test/bench/vermo_soak" --seconds "${VERMO_SOAK_SECONDS:-60}"
fi
