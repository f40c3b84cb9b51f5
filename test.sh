#!/usr/bin/env bash
# Builds and runs every test, then again with AddressSanitizer and UBSan, then checks that every
# C++ file is formatted as .clang-format says. A hung test fails after two minutes instead of
# blocking the run.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
export QT_QPA_PLATFORM=offscreen

"$root/tools/setup.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" --timeout 120 --output-on-failure -j "$(nproc)"

"$root/tools/setup.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DKOPLAR_SANITIZE=ON -DKOPLAR_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-asan" --timeout 120 --output-on-failure -j "$(nproc)"

"$root/tools/check-format.sh"
