#!/usr/bin/env bash
# Takes the README's picture of the window after a finished run: docs/screenshot-run.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/win32
./scripts/setup.sh
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" -j"$(nproc)" --target renamecopy demo_run >/dev/null
. scripts/wine-env.sh
trap rc_wine_stop EXIT
rc_wine_start build/shot-wine
rc_wine wine "$build/tests/e2e/demo_run.exe" "$build/src/ui/renamecopy.exe" 15 |
  while read -r line; do
    echo "$line"
    case $line in
      ready*)
        sleep 1
        # The tool's window only: the screen is Wine's 1024x768 desktop with the window centred.
        import -window root -crop 499x480+262+144 +repage docs/screenshot-run.png
        echo "saved docs/screenshot-run.png"
        ;;
    esac
  done
