#!/usr/bin/env bash
# Builds everything with clang, AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer
# in build-asan/ and runs the whole test suite, end-to-end tests included. Every process writes its
# sanitizer reports to build-asan/sanitizer-logs/, so a report fails the run even where a test does
# not look at the status of the process that made it (a demo killed at the end, say).
#
#   bash scripts/sanitize.sh [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-asan
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g"

bash scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DPAPERCROWD_WINDOWS_TESTS=OFF "$@"
cmake --build "$build" -j2

logs=$PWD/$build/sanitizer-logs
rm -rf "$logs"
mkdir -p "$logs"
# halt_on_error: the first report ends the process. Leaks are checked at every exit; what start-up
# allocates for good (the sine table, the pictures) is still reachable then and is not reported.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1:log_path=$logs/report:log_exe_name=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/report:log_exe_name=1"
# Mesa's driver leaks when freeglut's exit handler tears the window down (lsan-system.supp); the
# preload keeps it loaded so that the report can name it.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-system.supp:print_suppressions=0"
clang -shared -fPIC -O2 scripts/keep_loaded.c -o "$build/keep_loaded.so"
export LD_PRELOAD="$PWD/$build/keep_loaded.so"

set +e
ctest --test-dir "$build" --output-on-failure -j2
status=$?
set -e
unset LD_PRELOAD

# A log may hold only warnings (a symbolizer that could not be started, say); reports fail the run.
reports=$(grep -lE 'ERROR: |runtime error|SUMMARY: ' "$logs"/* 2>/dev/null || true)
for f in "$logs"/*; do
  [ -e "$f" ] || continue
  echo "=== $f"
  head -n 80 "$f"
done
if [ -n "$reports" ]; then
  echo "sanitize: FAILED, sanitizer reports in: $reports" >&2
  exit 1
fi
if [ $status -ne 0 ]; then
  echo "sanitize: FAILED, tests failed" >&2
  exit $status
fi
echo "sanitize: passed, no sanitizer reports"
