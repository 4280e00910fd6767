#!/usr/bin/env bash
# Fresh Debian machine to a passing test suite: install, configure a release build, build, test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
