#!/usr/bin/env bash
# Frame cost and tick rate of the real demo under Xvfb and Mesa's software renderer, measured from
# inside the running program by the probe preloaded into it (tests/e2e/live_probe.c): ticks and
# frames per second, the time of one drawScene (buffer swap included) and of one tick, and the
# heap allocations made during ticks and frames.
#   scripts/measure-live.sh [--build DIR] [--seconds N] [--warm-up N] [--callers]
# --build    a configured build folder (default: build); papercrowd, its pictures and the probe are built there
# --seconds  length of the measured stretch (default: 10)
# --warm-up  seconds run before it, past start-up and the driver's first frames (default: 3)
# --callers  also tell the program's own allocations from the driver's (slows the frames down)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
seconds=10
warmup=3
callers=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --warm-up) warmup=$2; shift 2 ;;
    --callers) callers=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

command -v Xvfb >/dev/null || { echo "Xvfb is missing: run bash scripts/install-deps.sh" >&2; exit 1; }
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j2 --target papercrowd sprites live_probe >/dev/null
build=$(cd "$build" && pwd)

source scripts/x_display.sh
work=$(mktemp -d)
demo_pid=""
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true
  wait "$demo_pid" 2>/dev/null || true
  x_stop
  rm -rf "$work"
}
trap cleanup EXIT
x_start

report="$work/probe"
(
  cd "$build"
  export LD_PRELOAD="$build/live_probe.so" PAPERCROWD_PROBE_OUT="$report"
  [ -n "$callers" ] && export PAPERCROWD_PROBE_CALLERS=1
  exec ./papercrowd >/dev/null 2>&1
) &
demo_pid=$!

# One reading: ask for it, wait for the line.
reading() {
  local lines
  lines=$(grep -vc '^#' "$report" 2>/dev/null || true)
  kill -USR1 "$demo_pid"
  for _ in $(seq 200); do
    [ "$(grep -vc '^#' "$report" 2>/dev/null || true)" -gt "${lines:-0}" ] && break
    sleep 0.05
  done
  grep -v '^#' "$report" | tail -n1
}

sleep "$warmup"
first=$(reading)
sleep "$seconds"
last=$(reading)
renderer=$(grep '^# renderer:' "$report" | head -n1 | sed 's/^# renderer: //')

awk -v a="$first" -v b="$last" -v renderer="$renderer" -v callers="$callers" 'BEGIN {
  split(a, x, " "); split(b, y, " ")
  wall = y[1] - x[1]; ticks = y[2] - x[2]; frames = y[3] - x[3]
  if (ticks <= 0 || frames <= 0) { print "the program made no progress" > "/dev/stderr"; exit 1 }
  printf "renderer:               %s\n", renderer
  printf "measured:               %.1f s, %d ticks, %d frames\n", wall, ticks, frames
  printf "ticks per second:       %.0f\n", ticks / wall
  printf "frames per second:      %.1f (one per %.2f ticks)\n", frames / wall, ticks / frames
  printf "one tick:               %.3f ms (100 figure steps, mouse-look step)\n", 1000 * (y[4] - x[4]) / ticks
  printf "one drawScene:          %.2f ms (1344 textured quads and the buffer swap)\n", 1000 * (y[5] - x[5]) / frames
  printf "share of the time:      %.0f %% ticks, %.0f %% drawing\n", 100 * (y[4] - x[4]) / wall, 100 * (y[5] - x[5]) / wall
  printf "allocations per tick:   %.2f\n", (y[6] - x[6]) / ticks
  printf "allocations per frame:  %.1f (by anyone on the program thread: the GL driver included)\n", (y[7] - x[7]) / frames
  if (callers) printf "the program'"'"'s own:      %d during ticks, %d during frames\n", y[8] - x[8], y[9] - x[9]
}'
