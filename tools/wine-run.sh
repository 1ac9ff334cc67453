#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh <prefix> <program> [args].
# The first run creates the prefix (once per build folder); Wine's own diagnostics are off.
# The programs are 32-bit: the prefix is a 32-bit one of its own, <prefix>-win32, so that a
# 64-bit prefix an earlier build left at <prefix> is never taken for it.
set -euo pipefail
prefix=$1-win32; shift
# A fixed locale that Debian always has: UTF-8 file names on the Linux side, and the same ANSI
# code page (1252) on every run, which the tests rely on.
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
if [[ ! -f "$prefix/system.reg" ]]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    [[ -f "$prefix/system.reg" ]] || wineboot -i >/dev/null 2>&1
  ) 9>"$prefix.lock"
fi
exec wine "$@"
