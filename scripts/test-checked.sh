#!/usr/bin/env bash
# The checked build: everything (program, service, tests, fuzz targets) compiled with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer; the whole test suite under them, then every fuzz
# target for a short bounded run (default 20 s each; 0 runs none) that fails on a crash, hang, leak or
# broken property.
#
#   bash scripts/test-checked.sh [fuzz-seconds] [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_SECONDS=${1:-20}
[ $# -gt 0 ] && shift
export BUILD=${BUILD:-build-checked}
CC=clang CXX=clang++ CMAKE_ARGS="-DVELKARO_FUZZ=ON -DVELKARO_BENCH=OFF" bash scripts/test.sh "$@"
bash scripts/fuzz.sh "$FUZZ_SECONDS" --build "$BUILD"
