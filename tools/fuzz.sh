#!/usr/bin/env bash
# Builds the fuzz target of the mechanism file reader with clang (installed when missing) and
# runs it on a copy of the seed corpus.
# Usage: tools/fuzz.sh [seconds, default 600] [extra libFuzzer arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true

if ! command -v clang++ >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends clang
fi
CC=clang CXX=clang++ "$root/tools/setup.sh" build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOPLAR_FUZZ=ON -DKOPLAR_TESTS=OFF -DKOPLAR_BENCH=OFF

work="$root/build-fuzz/corpus"
mkdir -p "$work" "$root/build-fuzz/crashes"
"$root/build-fuzz/tests/fuzz/fuzz_file_reader" "$work" "$root/tests/fuzz/corpus" \
  -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$root/build-fuzz/crashes/" "$@"
