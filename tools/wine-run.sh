#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh <prefix> <program> [args].
# The first run creates the prefix (slow, once per build folder); Wine's own diagnostics are off.
set -euo pipefail
prefix=$1; shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f "$prefix/system.reg" ]]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    [[ -f "$prefix/system.reg" ]] || wineboot -i >/dev/null 2>&1
  ) 9>"$prefix.lock"
fi
exec wine "$@"
