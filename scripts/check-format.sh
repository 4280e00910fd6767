#!/usr/bin/env bash
# Checks that the project's own C++ sources follow .clang-format; changes nothing. To fix a file:
# clang-format -i FILE.
set -euo pipefail
cd "$(dirname "$0")/.."

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.c')
else
  mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print)
fi
existing=()
for f in "${files[@]}"; do [ -f "$f" ] && existing+=("$f"); done

if clang-format --dry-run -Werror "${existing[@]}"; then
  echo "format: ${#existing[@]} files follow .clang-format"
else
  echo "format: FAILED; run clang-format -i on the files above" >&2
  exit 1
fi
