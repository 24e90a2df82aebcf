#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests of the Windows build: a
# prefix of its own (made on first use), no windows, no debug output.
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvane-wine}
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export DISPLAY=
exec wine "$@"
