#!/usr/bin/env bash
# The whole test suite under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer: the
# asan presets, then a look at build-asan/sanitizer-logs/, where every process writes its reports,
# so that a report fails the run even where no test looks at the process that made it (a demo
# killed at the end, say).   bash scripts/sanitize.sh [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

logs=build-asan/sanitizer-logs
cmake --preset asan "$@" && cmake --build --preset asan
rm -rf "$logs" && mkdir -p "$logs"
status=0
ctest --preset asan || status=$?

# A log may hold only warnings (a symbolizer that could not be started, say); reports fail the run.
for f in "$logs"/*; do [ -e "$f" ] && { echo "=== $f"; head -n 80 "$f"; }; done
reports=$(grep -lE 'ERROR: |runtime error|SUMMARY: ' "$logs"/* 2>/dev/null || true)
[ -z "$reports" ] || { echo "sanitize: FAILED, sanitizer reports in: $reports" >&2; exit 1; }
[ $status -eq 0 ] || { echo "sanitize: FAILED, tests failed" >&2; exit $status; }
echo "sanitize: passed, no sanitizer reports"
