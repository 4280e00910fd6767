#!/usr/bin/env bash
# Fuzzes the picture decoder: builds the libFuzzer target with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, seeds a corpus with the generator's valid and broken
# pictures and runs for the given number of seconds. Any crash, leak, sanitizer report or wrong
# decode fails the run; the input that caused it is left in build-fuzz/artifacts/.
#
#   bash scripts/fuzz.sh [SECONDS]     (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=build-fuzz

bash scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPAPERCROWD_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target tga_decode_fuzzer papercrowd-tga-corpus

seeds=$build/fuzz-seeds
corpus=$build/fuzz-corpus
rm -rf "$seeds" "$build/artifacts"
mkdir -p "$seeds" "$corpus" "$build/artifacts"
"$build/papercrowd-tga-corpus" corpus "$seeds"
echo "seed corpus: $(ls "$seeds" | wc -l) pictures"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
log=$build/fuzz.log
# Inputs up to 64 KiB: room for pictures of a few thousand pixels and every header. The whole
# sprites in the seeds are cut to that, which makes more short pixel areas to refuse.
set +e
"$build/tga_decode_fuzzer" "$corpus" "$seeds" \
  -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2560 \
  -print_final_stats=1 -artifact_prefix="$build/artifacts/" >"$log" 2>&1
status=$?
set -e

grep -E '^(#[0-9]+ +DONE|Done )|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" || true
if [ $status -ne 0 ] || [ -n "$(ls -A "$build/artifacts")" ]; then
  tail -n 60 "$log"
  echo "fuzz: FAILED (status $status); inputs in $build/artifacts/" >&2
  exit 1
fi
echo "fuzz: passed, ${seconds} s, $(awk '/stat::average_exec_per_sec/ {print $2}' "$log") executions per second"
