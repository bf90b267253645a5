#!/usr/bin/env bash
# Builds the program and starts it under Wine.
#   With a usable $DISPLAY the window opens there (inside Wine's desktop window).
#   Without one it runs on a private virtual screen; a screenshot is saved once the window is up.
# The command ends when the program ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# Other folders for the build and the Wine prefix, for trying this script beside a running build.
build=${RC_RUN_BUILD:-build/win32}
wine_folder=${RC_RUN_WINE:-build/run-wine}

./scripts/setup.sh

echo "== win32 build"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" -j"$(nproc)" --target renamecopy ui_wait_for_window

program=$build/src/ui/renamecopy.exe
. scripts/wine-env.sh
# The tool runs as whoever started this script, on that user's own prefix.
export RC_WINE_USER=$(id -un)
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export RC_KEEP_DISPLAY=1
  rc_wine_start "$wine_folder"
  trap rc_wine_stop EXIT
  echo "== renamecopy.exe on $DISPLAY (close the window to end)"
  status=0
  wine "$program" || status=$?
  echo "renamecopy.exe ended with exit code $status"
  exit "$status"
fi

unset RC_KEEP_DISPLAY
rc_wine_start "$wine_folder"
program_pid=
stop() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  rc_wine_stop
}
trap stop EXIT
echo "== renamecopy.exe on a private screen $DISPLAY (no usable display here)"
wine "$program" &
program_pid=$!
if wine "$build/tests/ui/ui_wait_for_window.exe" RenameCopyMainWindow 120; then
  sleep 1  # let the first painting finish
  shot=$wine_folder/screenshot.png
  import -window root "$shot"
  echo "screenshot of the window: $root/$shot"
else
  echo "the window did not appear within 120 s" >&2
fi
echo "waiting for the program to end (Ctrl+C stops it)"
status=0
wait "$program_pid" || status=$?
program_pid=
echo "renamecopy.exe ended with exit code $status"
exit "$status"
