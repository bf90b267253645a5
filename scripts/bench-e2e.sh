#!/usr/bin/env bash
# Times the tool's batch under Wine, from the click on OK to the completion box, beside a bare
# CopyFileA loop over the same files in the same Wine session.
#   scripts/bench-e2e.sh [--rounds R] [--log-files F] [--log-bytes B] [N ...]
# Default: 1000 and 10000 files, 3 rounds each, then 1000 files with 400000 bytes already logged.
# The full default run takes about 20 minutes here (10,000 emulated copies are slow).
# Builds in build/w-e2e and runs in its own Wine prefix and screen, build/w-e2e-wine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/w-e2e

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" -j"$(nproc)" --target renamecopy drop_bench copy_baseline >/dev/null

. scripts/wine-env.sh
trap rc_wine_stop EXIT
rc_wine_start build/w-e2e-wine
# The figures are code page 936 free; the program's own errors may not be.
rc_wine timeout 7200 wine "$build/tests/e2e/drop_bench.exe" "$build/src/ui/renamecopy.exe" \
  "$build/tests/e2e/copy_baseline.exe" "$@" 2>&1 | iconv -f GBK -t UTF-8 -c
