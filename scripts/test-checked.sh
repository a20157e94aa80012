#!/usr/bin/env bash
# The checked builds: everything (program, service, tests) compiled with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the whole test suite run under them twice:
# - with clang in $BUILD, which also builds the fuzz targets;
# - with g++ in $GCC_BUILD (default $BUILD-gcc). g++'s UndefinedBehaviorSanitizer clears an object's
#   vptr when its destructor ends, so a call on an object already destroyed (a view asking a table
#   that its window destroyed first) is reported; clang's leaves the vptr and lets it pass.
# Then every fuzz target for a short bounded run (default 20 s each; 0 runs none) that fails on a
# crash, hang, leak or broken property.
#
#   bash scripts/test-checked.sh [fuzz-seconds] [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_SECONDS=${1:-20}
[ $# -gt 0 ] && shift
export BUILD=${BUILD:-build-checked}
GCC_BUILD=${GCC_BUILD:-$BUILD-gcc}
CC=clang CXX=clang++ CMAKE_ARGS="-DVELKARO_FUZZ=ON -DVELKARO_BENCH=OFF" bash scripts/test.sh "$@"
BUILD=$GCC_BUILD CC=gcc CXX=g++ CMAKE_ARGS="-DVELKARO_SANITIZE=ON -DVELKARO_BENCH=OFF" bash scripts/test.sh "$@"
bash scripts/fuzz.sh "$FUZZ_SECONDS" --build "$BUILD"
