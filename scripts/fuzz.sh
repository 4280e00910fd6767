#!/usr/bin/env bash
# Fuzzes the picture decoder for SECONDS (default 60): the fuzz presets, whose test seeds a corpus
# with our own valid and broken pictures and runs the libFuzzer target under ASan and UBSan. The
# input behind a failure is left in build-fuzz/fuzz-artifacts/.   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset fuzz -DPAPERCROWD_FUZZ_SECONDS="${1:-60}" >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz
