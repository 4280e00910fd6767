#!/usr/bin/env bash
# Remakes every plot in docs/ and the generated tables in docs/physics.md from the project's own
# tools (papercrowd-modes, papercrowd-trace) with gnuplot.
#   scripts/plots.sh [--build DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
command -v gnuplot >/dev/null || { echo "gnuplot is missing: run bash scripts/install-deps.sh" >&2; exit 1; }
for tool in papercrowd-modes papercrowd-trace; do
  [ -x "$build/$tool" ] || { echo "$build/$tool is not built" >&2; exit 1; }
done
modes=$build/papercrowd-modes
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT

"$modes" --bodies > "$data/bodies.txt"
"$modes" > "$data/modes.txt"
"$modes" --region > "$data/region.txt"
"$modes" --energy 2000 > "$data/energy.txt"
"$build/papercrowd-trace" --ticks 300 --every 1 > "$data/trace.txt"
awk '$2 == 0' "$data/trace.txt" > "$data/record0.txt"
awk '$2 == 99' "$data/trace.txt" > "$data/record99.txt"

gnuplot <<GNUPLOT
set terminal pngcairo size 640,480 font ",10"
set datafile separator whitespace

set output "docs/figure-tree.png"
set title "The figure at its PD equilibrium: thirteen bodies hung from the base at (0, 0)"
set size ratio -1
set xrange [-3:3]
set yrange [-4.3:0.4]
set xlabel "x"
set ylabel "y (up)"
unset key
plot "$data/bodies.txt" using 4:5:(\$6-\$4):(\$7-\$5) with vectors nohead lw 3 lc rgb "#3060a0", \
     "" using 4:5 with points pt 7 ps 1.2 lc rgb "#c03020", \
     "" using (\$6 >= \$4 ? \$6 : 1/0):7:(sprintf("%d %s", int(\$2), strcol(3))) with labels left offset 0.5,-0.5 font ",8", \
     "" using (\$6 < \$4 ? \$6 : 1/0):7:(sprintf("%d %s", int(\$2), strcol(3))) with labels right offset -0.5,-0.5 font ",8", \
     "<echo 0 0" using 1:2 with points pt 5 ps 2 lc rgb "black"

set output "docs/stability-region.png"
set title "One tick's stability region |R(z)| <= 1 and every mode's z = h lambda (no drives, diagonal 0)"
set size noratio
set xrange [-5:0.5]
set yrange [-2.5:2.5]
set xlabel "Re z"
set ylabel "Im z"
set key top left
set contour base
set cntrparam levels discrete 1
unset surface
set view map
set table "$data/contour.txt"
splot "$data/region.txt" using 1:2:3 with lines
unset table
plot "$data/contour.txt" using 1:2 with lines lw 2 lc rgb "#3060a0" title "|R(z)| = 1", \
     "$data/modes.txt" using (strcol(1) eq "mode" && \$7 <= 1 ? \$5 : 1/0):6 with points pt 7 lc rgb "#208040" title "stable mode", \
     "" using (strcol(1) eq "mode" && \$7 > 1 ? \$5 : 1/0):6 with points pt 9 ps 1.5 lc rgb "#c03020" title "unstable mode"

set output "docs/joint-angles.png"
set terminal pngcairo size 640,720 font ",10"
set multiplot layout 3,1 title "Joint angles over the first 300 ticks (papercrowd-trace, start-up drive modes)"
set xrange [0:300]
set yrange [*:*]
set autoscale y
set xlabel "tick"
set ylabel "angle (rad)"
set key outside right
set title "record 0: diagonal 0, not driven"
plot "$data/record0.txt" using 1:3 with lines title "Torso", \
     "" using 1:4 with lines title "RightUpperArm", \
     "" using 1:6 with lines title "RightHand", \
     "" using 1:15 with lines title "LeftFoot"
set title "record 99: diagonal 18, limbs driven"
plot "$data/record99.txt" using 1:3 with lines title "Torso", \
     "" using 1:4 with lines title "RightUpperArm", \
     "" using 1:6 with lines title "RightHand", \
     "" using 1:15 with lines title "LeftFoot"
set title "record 0: the same joints' momenta"
set ylabel "momentum"
plot "$data/record0.txt" using 1:16 with lines title "Torso", \
     "" using 1:17 with lines title "RightUpperArm", \
     "" using 1:19 with lines title "RightHand", \
     "" using 1:28 with lines title "LeftFoot"
unset multiplot
set terminal pngcairo size 640,480 font ",10"

set output "docs/energy.png"
set title "One figure released from its PD pose with the PD and drive torques off"
set xrange [*:*]
set autoscale
set xlabel "tick (0.021 s)"
set ylabel "energy"
set key top left
plot "$data/energy.txt" using 1:4 with lines lw 2 title "T + V", \
     "" using 1:2 with lines title "T", \
     "" using 1:3 with lines title "V"
GNUPLOT

# The tables quoted in docs/physics.md, replaced between their markers.
{
  echo '```'
  echo "\$ $build/papercrowd-modes"
  cat "$data/modes.txt"
  echo '```'
} > "$data/default.md"
{
  echo "| limb mode | torso mode | diagonal | residual | most negative h·λ | \|R\| | joint | unstable modes |"
  echo "|---|---|---|---|---|---|---|---|"
  for limb in 0 1; do
    for torso in -1 0 1; do
      for diagonal in 0 9 10 18; do
        "$modes" --limb-mode "$limb" --torso-mode "$torso" --diagonal "$diagonal" |
          awk -v l="$limb" -v t="$torso" -v d="$diagonal" '
            NR == 1 { residual = $2 }
            NR == 2 { z = $5; if ($6 != 0) z = z " ± " ($6 < 0 ? -$6 : $6) "i"; r = $7; joint = $8 }
            / unstable$/ { n++ }
            END { printf "| %s | %s | %s | %s | %s | %s | %s | %d |\n", l, t, d, residual, z, r, joint, n }'
      done
    done
  done
  echo
  echo "Energy, \`$build/papercrowd-modes --energy 2000\` (tick, T, V, T + V), every 500 ticks:"
  echo
  echo '```'
  awk 'NR % 500 == 1' "$data/energy.txt"
  echo '```'
} > "$data/table.md"
replace_block() {  # marker name, file with the new block
  awk -v begin="<!-- begin $1 -->" -v end="<!-- end $1 -->" -v file="$2" '
    $0 == begin { print; while ((getline line < file) > 0) print line; skip = 1; next }
    $0 == end { skip = 0 }
    !skip { print }' docs/physics.md > "$data/physics.md"
  cp "$data/physics.md" docs/physics.md
}
replace_block "default modes" "$data/default.md"
replace_block "mode table" "$data/table.md"
echo "plots: docs/figure-tree.png docs/stability-region.png docs/joint-angles.png docs/energy.png"
