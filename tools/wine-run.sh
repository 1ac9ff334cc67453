#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh <prefix> <program> [args].
# The first run creates the prefix (once per build folder); Wine's own diagnostics are off.
set -euo pipefail
prefix=$1; shift
# A fixed locale that Debian always has: UTF-8 file names on the Linux side, and the same ANSI
# code page (1252) on every run, which the tests rely on.
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
if [[ ! -f "$prefix/system.reg" ]]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    [[ -f "$prefix/system.reg" ]] || wineboot -i >/dev/null 2>&1
  ) 9>"$prefix.lock"
fi
exec wine "$@"
