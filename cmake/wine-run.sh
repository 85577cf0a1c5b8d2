#!/bin/sh
# Runs a Windows test program under Wine in the prefix scripts/wine-prefix
# made: CTest's emulator for the windows preset.
#   wine-run.sh <prefix> <program.exe> [arguments...]
prefix=$1
shift
if [ ! -f "$prefix/system.reg" ]; then
  echo "wine-run: no Wine prefix at $prefix; run scripts/wine-prefix first" >&2
  exit 1
fi
# Windows the tests open go to the prefix's own display when it has one.
if [ -s "$prefix/xvfb.display" ]; then
  DISPLAY=:$(cat "$prefix/xvfb.display")
  export DISPLAY
fi
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
