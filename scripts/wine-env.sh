# Sourced by the scripts: a private Wine prefix and a private X screen for one build folder.
#   rc_wine_start FOLDER   sets WINEPREFIX to FOLDER/prefix (made on first use) and starts Xvfb
#   rc_wine_stop           ends that prefix's wineserver and the X screen
#   rc_wine CMD...         runs CMD (wine, wineserver, ...) as the prefix's owner
# Several folders can be in use at once; each has its own prefix and screen.
#
# Run as root, Windows programs would be allowed to write read-only files, which no Windows
# user can. So a root shell makes its prefixes for an unprivileged user, rcwine, and runs Wine
# as that user; a prefix made earlier keeps running as whoever owns it.

export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8

rc_wine_prefix_ready() { [ -f "$WINEPREFIX/.renamecopy-ready" ]; }

rc_wine() {
  if [ -n "${RC_WINE_USER:-}" ] && [ "$RC_WINE_USER" != "$(id -un)" ]; then
    runuser -u "$RC_WINE_USER" -- env HOME="$RC_WINE_HOME" "$@"
  else
    "$@"
  fi
}

rc_wine_choose_user() {
  local folder=$1
  if [ "$(id -u)" -ne 0 ]; then
    RC_WINE_USER=$(id -un)
  elif [ -n "${RC_WINE_USER:-}" ]; then
    :
  elif [ -d "$WINEPREFIX" ] && [ "$(stat -c %U "$WINEPREFIX")" = root ]; then
    RC_WINE_USER=root
  else
    id rcwine >/dev/null 2>&1 ||
      useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin rcwine
    RC_WINE_USER=rcwine
  fi
  RC_WINE_HOME="$folder"
  if [ "$RC_WINE_USER" != "$(id -un)" ]; then
    chown "$RC_WINE_USER:" "$folder"
    [ -d "$WINEPREFIX" ] && chown -R "$RC_WINE_USER:" "$WINEPREFIX"
  fi
  export RC_WINE_USER RC_WINE_HOME
}

rc_wine_make_prefix() {
  echo "wine: creating the prefix in $WINEPREFIX (about a minute)"
  rm -rf "$WINEPREFIX"
  rc_wine mkdir -p "$WINEPREFIX"
  rc_wine wineboot -i >/dev/null 2>&1 || true
  rc_wine wineserver -w
  # Debian's Wine does not load its own fonts: without them captions draw as garbage.
  rc_wine cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # No window manager runs here: Wine's virtual desktop draws the title bars, on a 1024x768
  # screen. A crash must end the program, not open a dialog that waits forever.
  local reg="$WINEPREFIX/renamecopy.reg"
  printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1024x768"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' |
    rc_wine tee "$reg" >/dev/null
  rc_wine wine regedit /S "$reg" >/dev/null 2>&1
  rc_wine wineserver -w
  rc_wine touch "$WINEPREFIX/.renamecopy-ready"
}

rc_wine_start() {
  local folder=$1
  mkdir -p "$folder"
  folder=$(cd "$folder" && pwd)
  export WINEPREFIX="$folder/prefix"
  rc_wine_choose_user "$folder"
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
  rc_wine wineserver -p30
  rc_wine wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

rc_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && { rc_wine wineserver -k 2>/dev/null || true; rc_wine wineserver -w 2>/dev/null || true; }
  [ -n "${RC_XVFB_PID:-}" ] && { kill "$RC_XVFB_PID" 2>/dev/null || true; wait "$RC_XVFB_PID" 2>/dev/null || true; }
  RC_XVFB_PID=
}
