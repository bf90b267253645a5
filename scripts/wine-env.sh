# Sourced by the scripts: a private Wine prefix and a private X screen for one build folder.
#   rc_wine_start FOLDER   sets WINEPREFIX to FOLDER/prefix (made on first use) and starts Xvfb
#   rc_wine_stop           ends that prefix's wineserver and the X screen
# Several folders can be in use at once; each has its own prefix and screen.

export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8

rc_wine_prefix_ready() { [ -f "$WINEPREFIX/.renamecopy-ready" ]; }

rc_wine_make_prefix() {
  echo "wine: creating the prefix in $WINEPREFIX (about a minute)"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # Debian's Wine does not load its own fonts: without them captions draw as garbage.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # No window manager runs here: Wine's virtual desktop draws the title bars, on a 1024x768
  # screen. A crash must end the program, not open a dialog that waits forever.
  local reg="$WINEPREFIX/renamecopy.reg"
  printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1024x768"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' > "$reg"
  wine regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.renamecopy-ready"
}

rc_wine_start() {
  local folder=$1
  mkdir -p "$folder"
  folder=$(cd "$folder" && pwd)
  export WINEPREFIX="$folder/prefix"
  if [ -z "${RC_KEEP_DISPLAY:-}" ]; then
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    RC_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  rc_wine_prefix_ready || rc_wine_make_prefix
  # Keep the server up between test programs, and warm it so the first program starts quickly.
  wineserver -p30
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

rc_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
  [ -n "${RC_XVFB_PID:-}" ] && { kill "$RC_XVFB_PID" 2>/dev/null || true; wait "$RC_XVFB_PID" 2>/dev/null || true; }
  RC_XVFB_PID=
}
