#!/usr/bin/env bash
# Pictures of the real demo window under an Xvfb of its own (build/papercrowd-capture), with real
# key presses; ImageMagick's convert makes the PNG or the GIF.
#   scripts/screenshot.sh [--build DIR] [--out FILE.png] [--seconds N] [--closer N] [--keys "KEY*N ..."]
#   scripts/screenshot.sh --among [--build DIR]
#   scripts/screenshot.sh --gif [--build DIR] [--out FILE.gif]
# --build   folder with papercrowd, papercrowd-capture and the pictures (default: build)
# --out     where the picture goes (default: docs/screenshot.png, docs/crowd.gif with --gif)
# --seconds how long the crowd runs before the picture is taken (default: 4)
# --closer  Up-arrow presses first, one scene unit each, to fly the camera towards the crowd (default: 40)
# --keys    further key presses after those, as X key names, each optionally repeated: "Up*12 Left*3"
# --among   the second README picture, docs/screenshot-among.png: the camera flown in among the
#           figures, where the fog still lets their colours through
# --gif     the README's moving picture: 6 seconds at 10 frames a second while the camera flies in
#           one key press a frame, then F8 and F10 switch the drives
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
out=""
seconds=4
closer=40
keys=""
gif=0
while [ $# -gt 0 ]; do
  case "$1" in
    --among) out=docs/screenshot-among.png; closer=0; keys="Up*38 Right*12"; shift ;;
    --gif) gif=1; shift ;;
    --keys) keys=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --closer) closer=$2; shift 2 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

for tool in Xvfb convert; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run bash scripts/install-deps.sh" >&2; exit 1; }
done
for program in papercrowd papercrowd-capture; do
  [ -x "$build/$program" ] || { echo "$build/$program is not built" >&2; exit 1; }
done
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT

if [ "$gif" = 1 ]; then
  out=${out:-docs/crowd.gif}
  "$build/papercrowd-capture" --program "$build/papercrowd" --out "$frames" --frames 60 --seconds 6 \
    --keys "Up*34 Right*4 wait*4 F8 wait*8 F10 wait*8"
  mkdir -p "$(dirname "$out")"
  convert -delay 10 -loop 0 "$frames"/frame*.ppm -layers Optimize "$out"
else
  out=${out:-docs/screenshot.png}
  [ "$closer" -gt 0 ] && keys="Up*$closer $keys"
  "$build/papercrowd-capture" --program "$build/papercrowd" --out "$frames" --seconds "$seconds" \
    --keys "$keys"
  mkdir -p "$(dirname "$out")"
  convert "$frames/frame0000.ppm" "$out"
fi
echo "screenshot: $out"
