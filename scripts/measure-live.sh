#!/usr/bin/env bash
# Ticks and frames per second of the running demo, the cost of one frame and one tick, and the
# heap allocations per tick and frame, read from the probe inside it (papercrowd-measure-live).
#   bash scripts/measure-live.sh [--build DIR] [--seconds N] [--warm-up N] [--callers]
# --build  a configured build folder (default: build, configured with the release preset if missing)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
[ "${1:-}" = --build ] && { build=$2; shift 2; }
[ -f "$build/CMakeCache.txt" ] || cmake --preset release >/dev/null
cmake --build "$build" -j2 --target papercrowd-measure-live >/dev/null
exec "$build/papercrowd-measure-live" "$@"
