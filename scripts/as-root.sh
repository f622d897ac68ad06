#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one command as root: directly when root runs it, through sudo for
# anyone else, so the same command line works for both.
#   scripts/as-root.sh COMMAND [ARGUMENT...]
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGUMENT...]" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] && exec "$@"
command -v sudo >/dev/null || { echo "$0: $1 must run as root: run it as root or install sudo" >&2; exit 1; }
exec sudo -- "$@"
