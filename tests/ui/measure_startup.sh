#!/usr/bin/env bash
# Starts renamecopy.exe and a program that only shows an empty window N times each under Wine and
# prints the time from process start to the first shown window, with the exe's size and imports.
#   tests/ui/measure_startup.sh [RUNS] [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-10}
build=${2:-build/w-ui}
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$(pwd)/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" -j"$(nproc)" --target renamecopy ui_empty_window ui_startup_bench >/dev/null

tool="$build/src/ui/renamecopy.exe"
baseline="$build/tests/ui/ui_empty_window.exe"
echo "renamecopy.exe: $(stat -c %s "$tool") bytes; baseline: $(stat -c %s "$baseline") bytes"
echo "imports: $(i686-w64-mingw32-objdump -p "$tool" | awk '/DLL Name/ {print $3}' | tr '\n' ' ')"

. scripts/wine-env.sh
trap rc_wine_stop EXIT
rc_wine_start "$build-wine"
wine "$build/tests/ui/ui_startup_bench.exe" "$runs" "$(pwd)/$tool" "$(pwd)/$baseline"
