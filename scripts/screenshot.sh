#!/usr/bin/env bash
# Screenshot of the real demo window, taken under an Xvfb of our own.
#   scripts/screenshot.sh [--build DIR] [--out FILE.png] [--seconds N] [--closer N] [--keys "KEY*N ..."]
#   scripts/screenshot.sh --among [--build DIR]
# --build   folder with papercrowd and its pictures (default: build)
# --out     where the PNG goes (default: docs/screenshot.png)
# --seconds how long the crowd runs before the picture is taken (default: 4)
# --closer  Up-arrow presses first, one scene unit each, to fly the camera towards the crowd (default: 40)
# --keys    further key presses after those, as xdotool key names, each optionally repeated: "Up*12 Left*3"
# --among   the second README picture, docs/screenshot-among.png: the camera flown in among the
#           figures, where the fog still lets their colours through
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
out=docs/screenshot.png
seconds=4
closer=40
keys=""
while [ $# -gt 0 ]; do
  case "$1" in
    --among) out=docs/screenshot-among.png; closer=0; keys="Up*38 Right*12"; shift ;;
    --keys) keys=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --closer) closer=$2; shift 2 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run bash scripts/install-deps.sh" >&2; exit 1; }
done
[ -x "$build/papercrowd" ] || { echo "$build/papercrowd is not built" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")

source scripts/x_display.sh
demo_pid=""
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true
  x_stop
}
trap cleanup EXIT
x_start

# The demo runs from its own folder, where the pictures are; it is titled with its invocation path.
(cd "$build" && exec ./papercrowd >/dev/null 2>&1) &
demo_pid=$!
window=$(timeout 15 xdotool search --sync --name '^\./papercrowd$' | head -n1)
[ -n "$window" ] || { echo "no demo window appeared" >&2; exit 1; }

xdotool mousemove 300 300 windowfocus --sync "$window" 2>/dev/null || true
for _ in $(seq "$closer"); do xdotool key Up; done
for press in $keys; do
  name=${press%%\**}
  count=1
  [ "$press" != "$name" ] && count=${press#*\*}
  for _ in $(seq "$count"); do xdotool key "$name"; done
done
sleep "$seconds"
import -window "$window" "$out"
echo "screenshot: $out"
