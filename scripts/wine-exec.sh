#!/usr/bin/env bash
# Runs one Win32 test program under Wine for CTest, in the prefix and on the screen that
# scripts/test.sh prepared. A program that hangs is stopped after RC_WINE_TIMEOUT seconds.
exec timeout --kill-after=5 "${RC_WINE_TIMEOUT:-300}" wine "$@"
