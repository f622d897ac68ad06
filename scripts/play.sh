#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Vermo and starts it in its own folder,
# beside its pictures, icon, help text and high-score file.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" play
cmake -S "$root" -B "$root/build/play" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DVERMO_BUILD_TESTS=OFF -DVERMO_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/play" --target vermo
cd "$root/build/play/src"
exec ./vermo "$@"
