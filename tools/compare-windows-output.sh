#!/usr/bin/env bash
# Converts the same sample saves with the Linux and the Windows converter (under Wine), both
# answering "y" then "y", and compares every file of the two folders byte for byte, and the two
# transcripts line for line. Fails on any difference.
# Usage: tools/compare-windows-output.sh <native build folder> <windows build folder>
set -euo pipefail
cd "$(dirname "$0")/.."
wine_run="$PWD/tools/wine-run.sh"
native=$(realpath "$1")
windows=$(realpath "$2")
work="$windows/compare"
rm -rf "$work"

for side in linux windows; do
  mkdir -p "$work/$side/work"
  "$native/make-sample-saves" "$work/$side/games" --seed 11 --cycles 2 >/dev/null
done
(cd "$work/linux/work" && printf 'y\ny' | "$native/savefile-converter" >"$work/linux.transcript")
(cd "$work/windows/work" &&
  printf 'y\ny' | "$wine_run" "$windows/wineprefix" "$windows/savefile-converter.exe" \
    >"$work/windows.transcript")

failed=0
if ! diff <(cd "$work/linux/games" && find . -type f | sort) <(cd "$work/windows/games" && find . -type f | sort); then
  echo "The two conversions left different sets of files" >&2
  failed=1
fi
identical=0
converted=0
while IFS= read -r -d '' file; do
  if cmp -s "$work/linux/games/$file" "$work/windows/games/$file"; then
    identical=$((identical + 1))
    [[ "$file" == *"(converted)"* ]] && converted=$((converted + 1))
  else
    echo "Differs: $file" >&2
    failed=1
  fi
done < <(cd "$work/linux/games" && find . -type f -print0)
# Each system lists a folder in its own order, and the outcome lines follow that order.
if ! cmp -s <(sort "$work/linux.transcript") <(sort "$work/windows.transcript"); then
  echo "The transcripts differ (beyond the order of the outcome lines)" >&2
  failed=1
fi
if ((failed)); then exit 1; fi
echo "Linux and Windows conversions: $identical files byte-identical, $converted of them converted copies;" \
  "transcripts identical up to the folder listing order"
