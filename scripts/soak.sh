#!/usr/bin/env bash
# Soaks the real demo under random real input in an Xvfb of its own (papercrowd-soak, built in
# build/ with the release preset if missing); it must still repaint, not grow and quit cleanly.
#   bash scripts/soak.sh [--seconds N] [--seed S]     (default 300 s and a random seed)
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build/CMakeCache.txt ] || cmake --preset release >/dev/null
cmake --build --preset release --target papercrowd-soak >/dev/null
exec build/papercrowd-soak "$@"
