#!/usr/bin/env bash
# The demo among fourteen hostile pictures (huge declared sizes, pixels cut short, header fields
# wrong, zero sizes, an empty file, one odd-width 24-bit picture that does load) must start, print
# exactly "96", draw, keep running, and still end on F4 with status 0.
#
#   hostile_pictures_test.sh DEMO CORPUS_MAKER
set -euo pipefail

demo=$1
corpusMaker=$2
source "$(dirname "$0")/../../scripts/x_display.sh"

work=$(mktemp -d)
demoPid=
cleanup() {
  [ -n "$demoPid" ] && kill "$demoPid" 2>/dev/null || true
  x_stop
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/stderr" ] && sed 's/^/demo stderr: /' "$work/stderr" >&2
  exit 1
}

mkdir "$work/run"
"$corpusMaker" hostile "$work/run"
[ "$(ls "$work/run" | wc -l)" -eq 14 ] || fail "expected fourteen pictures"

x_start 640x480
(cd "$work/run" && exec "$demo" >"$work/stdout" 2>"$work/stderr") &
demoPid=$!

window=$(x_find_window papercrowd 30) || fail "no window appeared"
sleep 3
kill -0 "$demoPid" 2>/dev/null || fail "the demo ended by itself"

# It draws: the window holds more than the white it is cleared to, and is not the black of a
# window never drawn. (The refused torso keeps its
# declared 65535 x 65535 size and is drawn as a blank quad 512 units across, so what shows is
# mostly fog-grey; the frames need not differ.)
x_shot "$window" "$work/frame.xwd" || fail "cannot read the window"
drawn=$(convert "$work/frame.xwd" -fx 'max(r, max(g, b)) > 0.05 && min(r, min(g, b)) < 0.95 ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:)
[ "$drawn" -gt 100 ] || fail "nothing drawn in the window ($drawn pixels neither white nor black)"
sleep 1
kill -0 "$demoPid" 2>/dev/null || fail "the demo ended by itself"

xdotool windowfocus --sync "$window"
x_quit_demo "$demoPid" "$work/stdout" || fail "F4 did not end the demo cleanly"
demoPid=
echo "hostile pictures: started, printed 96, drew $drawn pixels, ended on F4 with status 0"
