#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from .clang-format, and names the files.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
differing=$(clang-format --dry-run "${files[@]}" 2>&1 | grep -oE '^[^: ]+\.(cpp|h):[0-9]+' |
  cut -d: -f1 | sort -u || true)
if [ -n "$differing" ]; then
  echo "These files differ from .clang-format (clang-format -i FILE mends them):"
  echo "$differing" | sed 's/^/  /'
  exit 1
fi
