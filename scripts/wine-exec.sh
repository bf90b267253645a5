#!/usr/bin/env bash
# Runs one Win32 test program under Wine for CTest, in the prefix, as the user and on the screen
# that scripts/test.sh prepared. A program that hangs is stopped after RC_WINE_TIMEOUT seconds.
if [ -n "${RC_WINE_USER:-}" ] && [ "$RC_WINE_USER" != "$(id -un)" ]; then
  exec timeout --kill-after=5 "${RC_WINE_TIMEOUT:-300}" \
    runuser -u "$RC_WINE_USER" -- env HOME="$RC_WINE_HOME" wine "$@"
fi
exec timeout --kill-after=5 "${RC_WINE_TIMEOUT:-300}" wine "$@"
