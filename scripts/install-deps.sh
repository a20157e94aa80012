#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run Velkaro. Idempotent.
set -euo pipefail
# fonts-wqy-microhei draws the Chinese interface texts: DejaVu has no CJK glyphs.
PKGS=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libcurl4-openssl-dev libcpp-httplib-dev fonts-dejavu-core fonts-wqy-microhei xvfb xauth clang-format
  python3 clang libclang-rt-14-dev llvm)
# clang and libclang-rt-14-dev: the checked build and the fuzz targets (the sanitizer and libFuzzer
# runtimes, FuzzedDataProvider.h); llvm: llvm-symbolizer, so that a sanitizer report names the lines.
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
