#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/ and runs each for SECONDS seconds (default 60), on corpora kept in
# build-fuzz/corpus/ and seeded from make-sample-saves (gzip saves, raw saves and the raw
# content of the gzip ones) or, for record_convert, from the records committed under
# fuzz/seeds/record_convert/ (tools/make_record_seeds.cpp). Prints each target's execution count
# and rate. Fails on any crash, leak,
# timeout or sanitizer report; the input that caused it is left in build-fuzz/artifacts/, to be
# kept under fuzz/regressions/<target>/ once the fault is mended.
#
#   tools/run-fuzz.sh [SECONDS [TARGET...]]     (all targets unless some are named)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: tools/run-fuzz.sh [SECONDS [TARGET...]]" >&2; exit 2; }
shift $(( $# > 0 ? 1 : 0 ))
chosen=("$@")
targets=(load_raw load_gzip probe load_convert record_convert)
executables=(fuzz-load-raw fuzz-load-gzip fuzz-probe fuzz-load-convert fuzz-record-convert)
build=build-fuzz

tools/ensure-packages.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCONVERTER_FUZZ=ON \
  -DCONVERTER_WERROR=ON -DCONVERTER_TESTS=OFF -DCONVERTER_TOOLS=ON >/dev/null
cmake --build "$build" -j2 --target make-sample-saves "${executables[@]}"

# Seeds: the small and medium samples (the extra-large ones would slow every execution down).
seeds=$build/seeds
if [[ ! -d "$seeds" ]]; then
  rm -rf "$seeds.tmp"
  ASAN_OPTIONS=detect_leaks=0 "$build/make-sample-saves" "$seeds.tmp/samples" >/dev/null
  mkdir -p "$seeds.tmp/raw" "$seeds.tmp/gzip"
  index=0
  while IFS= read -r -d '' sample; do
    index=$((index + 1))
    if [[ "$(head -c 2 "$sample" | od -An -tx1 | tr -d ' ')" == "1f8b" ]]; then
      cp "$sample" "$seeds.tmp/gzip/$index"
      gzip -dc <"$sample" >"$seeds.tmp/raw/$index.content"
    else
      cp "$sample" "$seeds.tmp/raw/$index"
    fi
  done < <(find "$seeds.tmp/samples" -type f -size -400k -print0 | sort -z)
  mv "$seeds.tmp" "$seeds"
fi

seed_folders() {
  case $1 in
    load_raw) echo "$seeds/raw" ;;
    load_gzip) echo "$seeds/gzip" ;;
    record_convert) echo "fuzz/seeds/record_convert" ;;
    *) echo "$seeds/raw $seeds/gzip" ;;
  esac
}

# A record-sized input for the record target, a whole save for the others.
max_len() { [[ $1 == record_convert ]] && echo 16384 || echo 400000; }
# The record target's runs are so short that libFuzzer's entropic schedule, which weighs the inputs
# by their rare features after each run, took half of its time; with the plain schedule it runs a
# third to a half more inputs per second of processor time.
schedule() { [[ $1 == record_convert ]] && echo -entropic=0 || echo -entropic=1; }

failed=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  if [[ ${#chosen[@]} -gt 0 && " ${chosen[*]} " != *" $target "* ]]; then continue; fi
  corpus=$build/corpus/$target
  artifacts=$build/artifacts/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  if [[ -z "$(ls -A "$corpus")" ]]; then
    for folder in $(seed_folders "$target"); do cp "$folder"/* "$corpus"/; done
  fi
  status=0
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
    "$build/fuzz/${executables[$i]}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -max_len="$(max_len "$target")" "$(schedule "$target")" -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  [[ -n "$runs" ]] || runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
  if [[ $status -ne 0 ]] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
    failed=1
    echo "FAILED $target after ${runs:-?} executions (exit $status); see $log"
    grep -E 'ERROR:|runtime error:|SUMMARY|Test unit written|: .*(fault|not|differs|failed)' "$log" | head -20 || true
  else
    echo "$target: ${runs:-?} executions in $seconds s ($(( ${runs:-0} / (seconds > 0 ? seconds : 1) )) a second), no fault"
  fi
done
exit $failed
