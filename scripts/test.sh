#!/usr/bin/env bash
# Sets up what is missing, builds both builds and runs every test.
#   host:  the portable core under AddressSanitizer, LeakSanitizer and UBSan (GoogleTest)
#   win32: the product and its tests, run under Wine (32-bit prefix, code page 936) in Xvfb
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

./scripts/setup.sh

jobs=$(nproc)
echo "== host build"
cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/host -j"$jobs"
echo "== host tests"
ctest --test-dir build/host --output-on-failure -j"$jobs"

echo "== win32 build"
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build build/win32 -j"$jobs"

echo "== win32 tests under Wine"
. scripts/wine-env.sh
trap rc_wine_stop EXIT
rc_wine_start build/wine
# Tests that drive windows share one screen, so they run one at a time.
ctest --test-dir build/win32 --output-on-failure
