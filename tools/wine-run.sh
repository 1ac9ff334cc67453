#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh <prefix> <program> [args].
# The first run creates the prefix (once per build folder); Wine's own diagnostics are off.
# A 32-bit program runs in a 32-bit prefix of its own, <prefix>-win32, under the 32-bit Wine; a
# 64-bit one (the suite's build for machines that cannot run 32-bit programs) in <prefix>-win64
# under the 64-bit Wine.
set -euo pipefail
if [[ $(file -b "$2") == PE32+* ]]; then
  prefix=$1-win64 arch=win64
  export WINELOADER=/usr/lib/wine/wine64
  wine=/usr/lib/wine/wine64
else
  prefix=$1-win32 arch=win32 wine=wine
fi
shift
# A fixed locale that Debian always has: UTF-8 file names on the Linux side, and the same ANSI
# code page (1252) on every run, which the tests rely on.
export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
if [[ ! -f "$prefix/system.reg" ]]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    [[ -f "$prefix/system.reg" ]] || "$wine" wineboot -i >/dev/null 2>&1
  ) 9>"$prefix.lock"
fi
exec "$wine" "$@"
