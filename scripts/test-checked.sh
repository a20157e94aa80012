#!/usr/bin/env bash
# The checked build: everything (program, service, tests, fuzz targets) compiled with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer; the whole test suite under them, then every fuzz
# target for a short bounded run (default 20 s each) that fails on a crash, hang, leak or broken property.
#
#   bash scripts/test-checked.sh [fuzz-seconds] [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_SECONDS=${1:-20}
[ $# -gt 0 ] && shift
bash scripts/install-deps.sh
BUILD=${BUILD:-build-checked}
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELKARO_FUZZ=ON -DVELKARO_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$(mktemp -d /tmp/velkaro-runtime.XXXXXX)
  chmod 700 "$XDG_RUNTIME_DIR"
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
bash scripts/fuzz.sh "$FUZZ_SECONDS" --build "$BUILD"
