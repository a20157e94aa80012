#!/usr/bin/env bash
# Installs what is missing, builds Velkaro with its tests, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD=${BUILD:-build}
# CMAKE_ARGS: further options of the build (scripts/test-checked.sh gives its own).
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$(mktemp -d /tmp/velkaro-runtime.XXXXXX)
  chmod 700 "$XDG_RUNTIME_DIR"
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
